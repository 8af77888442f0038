# shellcheck shell=bash
# Sourced by end_to_end_test.sh: the Wayland display. A headless sway compositor, run as the
# player because sway refuses root, with the player's own XDG_RUNTIME_DIR; the program on Qt's
# Wayland platform, given the socket's full path. Windows are found and focused through sway's
# criteria (title, an anchored regular expression), asked to close by sway's kill (the
# toplevel's close request, what a title bar's close button or the desktop's close-window
# shortcut sends), and typed into through wtype's virtual keyboards. A headless sway has no
# pointer: no mouse clicks here.
display_tools=(sway swaymsg wtype)

start_display() {
  printf 'output HEADLESS-1 resolution 1280x1024\nxwayland disable\n' >"$work/sway.config"
  (exec "${as_player[@]}" env HOME="$work/home" XDG_RUNTIME_DIR="$runtime_dir" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman sway -c "$work/sway.config") >"$work/sway.log" 2>&1 &
  compositor_pid=$!
  local socket=
  for _ in $(seq $((kTimeout * 10))); do
    socket=$(find "$runtime_dir" -maxdepth 1 -type s -name 'wayland-*' | head -n1)
    SWAYSOCK=$(find "$runtime_dir" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n1)
    [[ -n $socket && -n $SWAYSOCK ]] && break
    sleep 0.1
  done
  [[ -n $socket && -n $SWAYSOCK ]] || fail "sway did not start: $(cat "$work/sway.log")"
  # For swaymsg and wtype, which run as the caller, and the program.
  export SWAYSOCK WAYLAND_DISPLAY=$socket
  program_environment=(env -u DISPLAY QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR="$runtime_dir")
  # A keyboard for the whole run. Each wtype brings a virtual keyboard of its own and takes it
  # away when it ends; a seat left without any keyboard makes Qt give up its own, and the keys
  # that the next wtype sends before Qt has asked for a new one are lost.
  wtype -s 86400000 &
  keyboard_pid=$!
  for _ in $(seq $((kTimeout * 10))); do
    swaymsg -t get_inputs | grep -q '"type": "keyboard"' && return 0
    sleep 0.1
  done
  fail "sway has no keyboard: $(swaymsg -t get_inputs)"
}

stop_display() {
  stop_process "$keyboard_pid"
  stop_process "$compositor_pid"
}

# Runs sway's command $2 on the window titled $1, once there is one.
on_window() {
  for _ in $(seq $((kTimeout * 10))); do
    swaymsg -q "[title=\"$1\"] $2" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

focus_window() {
  on_window "$1" focus
}

# xdotool's key names (alt+k, shift+Tab, Return) as wtype's presses and releases.
type_keys() {
  local key modifier modifiers arguments=()
  for key; do
    IFS=+ read -ra modifiers <<<"$key"
    key=${modifiers[-1]}
    unset 'modifiers[-1]'
    for modifier in "${modifiers[@]}"; do arguments+=(-M "$modifier"); done
    arguments+=(-k "$key")
    for modifier in "${modifiers[@]}"; do arguments+=(-m "$modifier"); done
  done
  wtype "${arguments[@]}"
}

request_close() {
  on_window "$1" kill
}

shown_titles() {
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def windows(node):
    if node.get("pid"):
        yield node["name"]
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from windows(child)
print("\n".join(windows(json.load(sys.stdin))))'
}
