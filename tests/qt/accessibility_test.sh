#!/usr/bin/env bash
# Runs the built program under the Linux accessibility stack (private X server, session bus,
# AT-SPI bus) and reads it as a screen reader does: every control's role, name, label and
# state, then the message box that Alt+L (Cancel) shows. Exits 77 (skipped) when a part of the
# stack is missing.
set -euo pipefail
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
readonly kTimeout=10
# The system's python3, which has pyatspi; another one may come first in PATH.
readonly kPython=/usr/bin/python3
readonly kBusLauncher=/usr/libexec/at-spi-bus-launcher

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Inside the private session bus: the AT-SPI bus, the program, and the checks.
if [[ ${2:-} == --in-session ]]; then
  work=$3
  # The bus and its registry daemon write to a log of their own: they may outlive this script
  # by a moment and must not hold its output open.
  "$kBusLauncher" --launch-immediately >"$work/at-spi.log" 2>&1 &
  launcher_pid=$!
  (cd "$work/game" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$program") &
  app_pid=$!
  trap 'kill "$app_pid" "$launcher_pid" 2>/dev/null || true; wait' EXIT
  "$kPython" "$here/accessible_tree.py" controls "$app_pid"

  window=$(timeout "$kTimeout" xdotool search --sync --onlyvisible \
    --name '^Krovan 3D Configuration Utility 1\.0$' | head -n1) || fail "no settings window"
  xdotool windowfocus --sync "$window" key alt+l
  "$kPython" "$here/accessible_tree.py" alert "$app_pid" Notice "Changes have been cancelled."

  window=$(timeout "$kTimeout" xdotool search --sync --onlyvisible --name '^Notice$' |
    head -n1) || fail "no message box"
  xdotool windowfocus --sync "$window" key Return
  for _ in $(seq $((kTimeout * 10))); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after the message box"
  wait "$app_pid" || fail "the program exited with status $?"
  exit 0
fi

for tool in Xvfb xdotool dbus-run-session "$kBusLauncher"; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
"$kPython" -c 'import pyatspi' 2>/dev/null || { echo "skipped: no pyatspi for $kPython"; exit 77; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=tests/private_display.sh
source "$(dirname "$0")/../private_display.sh"
start_private_display "$work"

mkdir "$work/game"
# dbus-daemon run as root in a container warns that it cannot raise its file limit: harmless.
dbus-run-session -- bash "$0" "$program" --in-session "$work" 2> >(grep -v 'fd limit' >&2)
[[ -z $(ls "$work/game") ]] || fail "Cancel left files behind: $(ls "$work/game")"
echo "passed"
