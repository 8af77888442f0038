# Sourced by the benchmark's scripts with $root and $build set: builds the two programs and the
# X client that plays the user, starts a private X server, and makes the game folders of the
# variants in $work, which is removed on exit.
bash "$root/scripts/setup.sh" bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKROVAN_BUILD_BENCH=ON \
  >/dev/null
cmake --build "$build" --target config bench_bare_window bench_map_watch

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=tests/private_display.sh
source "$root/tests/private_display.sh"
start_private_display "$work"

# The dialog runs in a game folder with a complete configuration file, or in one without it, as
# on the first start; Cancel leaves either as it is. The pointer rests off the windows, or over
# the place where both programs open their window.
mkdir "$work/complete" "$work/none"
printf '1024\r\n768\r\n32\r\n2\r\n1\r\n0\r\n0\r\n1\r\n0\r\n75\r\n3\r\n200\r\n205\r\n208\r\n203\r\n157\r\n17\r\n32\r\n31\r\n30\r\n29\r\n' \
  >"$work/complete/krovan3d.cfg"
variants=("complete away" "complete over" "none away" "none over")
