# Sourced by the scripts that run programs under a private X server. start_private_display DIR
# starts Xvfb (1280x1024, 24-bit, no TCP) on a display it chooses itself, keeps its process id
# in xvfb_pid for the caller's clean-up, and exports DISPLAY; DIR receives its number and log.
# -noreset: by default the server resets when its last client leaves, and drops any client that
# has connected but not finished its handshake. The AT-SPI bus launcher connects and leaves just
# as the program starts, so the program could find no display.
start_private_display() {
  local dir=$1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$dir/display" 2>"$dir/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s $dir/display ]] && break
    sleep 0.1
  done
  if [[ ! -s $dir/display ]]; then
    echo "FAILED: Xvfb did not start: $(cat "$dir/xvfb.log")" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$dir/display")"
}
