#!/usr/bin/env bash
# Runs the built program as a user does, on a private X server: in a game folder holding a
# krovan3d.cfg, Alt+K (OK) then Enter on the message box must rewrite the file and end the
# program; Alt+L (Cancel) then Enter must end it and leave the file alone; Alt+R (Reset High
# Scores) deletes data/highscore.dat beside the program or else in the game folder, and leaves
# the window open. Real key events, no window manager. Exits 77 (skipped) when Xvfb or xdotool
# is missing.
set -euo pipefail
program=$(realpath "$1")
readonly kTimeout=10

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# shellcheck source=tests/private_display.sh
source "$(dirname "$0")/../private_display.sh"
start_private_display "$work"

# Waits for a mapped top-level window whose title is exactly $1, gives it the keyboard focus
# and types the keys that follow.
type_into() {
  local title=$1 window
  shift
  window=$(timeout "$kTimeout" xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1) ||
    fail "no window titled '$title'"
  xdotool windowfocus --sync "$window"
  xdotool key "$@"
}

# Starts the program in folder $1 and, for each key that follows, types it into the dialog and
# Enter into the message box; checks that the program then ends by itself, successfully.
run_and_answer() {
  local folder=$1 accelerator status=0
  shift
  (cd "$folder" && exec "$program") &
  app_pid=$!
  for accelerator; do
    type_into 'Krovan 3D Configuration Utility 1\.0' "$accelerator"
    type_into 'Notice' Return
  done
  for _ in $(seq $((kTimeout * 10))); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && fail "the program is still running after $accelerator"
  wait "$app_pid" || status=$?
  app_pid=
  [[ $status -eq 0 ]] || fail "the program exited with status $status after $accelerator"
}

# LF line ends and a width of 0: what OK writes differs from what was read.
stored='0\n0\n24\n2\n1\n0\n1\n1\n1\n40\n3\n200\n205\n208\n203\n157\n17\n32\n31\n30\n29\n'
saved='1024\r\n768\r\n24\r\n2\r\n1\r\n0\r\n1\r\n1\r\n1\r\n40\r\n3\r\n200\r\n205\r\n208\r\n203\r\n157\r\n17\r\n32\r\n31\r\n30\r\n29\r\n'

mkdir "$work/ok" "$work/cancel"
printf "$stored" >"$work/ok/krovan3d.cfg"
printf "$stored" >"$work/cancel/krovan3d.cfg"
printf "$saved" >"$work/expected"

run_and_answer "$work/ok" alt+k
cmp "$work/ok/krovan3d.cfg" "$work/expected" || fail "OK wrote other bytes than expected"

run_and_answer "$work/cancel" alt+l
printf "$stored" | cmp "$work/cancel/krovan3d.cfg" - || fail "Cancel changed krovan3d.cfg"
[[ $(ls "$work/cancel") == krovan3d.cfg ]] || fail "Cancel left files behind: $(ls "$work/cancel")"

# A copy of the program in a folder of its own, away from the game folder.
mkdir -p "$work/bin" "$work/game/data"
cp "$program" "$work/bin/config"
program=$work/bin/config
echo scores >"$work/game/data/highscore.dat"
run_and_answer "$work/game" alt+r alt+l
[[ ! -e $work/game/data/highscore.dat ]] || fail "Reset kept the game folder's high scores"

mkdir "$work/bin/data"
echo scores >"$work/bin/data/highscore.dat"
echo scores >"$work/game/data/highscore.dat"
run_and_answer "$work/game" alt+r alt+l
[[ ! -e $work/bin/data/highscore.dat ]] || fail "Reset kept the program folder's high scores"
[[ -e $work/game/data/highscore.dat ]] || fail "Reset deleted both high-score files"

echo "passed"
