# shellcheck shell=bash
# Sourced by end_to_end_test.sh: the X11 display. A private Xvfb without a window manager; keys
# through xdotool's XTEST events, after giving the window the focus; the close box's request
# through x11_close_request, the tool given by --x11-close. Windows are found by their title, an
# anchored regular expression.
display_tools=(Xvfb xdotool)

start_display() {
  [[ -x $x11_close ]] || skip "no close-request tool for X11 (--x11-close)"
  # shellcheck source=tests/private_display.sh
  source "$(dirname "${BASH_SOURCE[0]}")/../private_display.sh"
  start_private_display "$work"
  program_environment=()
}

stop_display() {
  stop_process "$xvfb_pid"
}

# The id of the shown window titled $1, once there is one.
x11_window() {
  timeout "$kTimeout" xdotool search --sync --onlyvisible --name "$1" | head -n1
}

focus_window() {
  local window
  window=$(x11_window "$1") && [[ -n $window ]] || return 1
  xdotool windowfocus --sync "$window"
}

type_keys() {
  xdotool key "$@"
}

request_close() {
  local window
  window=$(x11_window "$1") && [[ -n $window ]] || return 1
  "$x11_close" "$window"
}

shown_titles() {
  local window
  for window in $(xdotool search --onlyvisible --name .); do
    xdotool getwindowname "$window"
  done
}
