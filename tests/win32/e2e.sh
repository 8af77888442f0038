#!/usr/bin/env bash
# End-to-end runs of config.exe under Wine, driven with real key presses (xdotool) as a user
# would: each run starts the program in a scratch game folder, works the window by its
# accelerators, answers the message box with Enter, waits for the program to end and compares
# the files it leaves. Needs DISPLAY (an X server) and WINEPREFIX set.
# Usage: e2e.sh path/to/config.exe
set -euo pipefail
exe=$(realpath "$1")
caption="Krovan 3D Configuration Utility 1.0"
scratch=$(mktemp -d)
program_pid=

cleanup() {
  [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# krovan3d.cfg text: one value per argument, each line ended by CR LF.
config_text() {
  printf '%s\r\n' "$@"
}

# Starts `wine program` in the folder `game` and waits until its window has the keyboard focus;
# keys typed before then would go elsewhere.
start() {
  local program=$1 game=$2 window waited=0
  (cd "$game" && exec wine "$program" >/dev/null 2>&1) &
  program_pid=$!
  window=$(timeout 60 xdotool search --sync --name "^$caption\$" | head -1) ||
    fail "the window did not appear"
  until [[ $(xdotool getwindowfocus 2>/dev/null) == "$window" ]]; do
    ((waited++ < 200)) || fail "the window did not get the focus"
    sleep 0.1
  done
}

# Answers the message box titled "Notice" (or the title given) with Enter.
answer_notice() {
  local title=${1:-Notice}
  timeout 20 xdotool search --sync --name "^$title\$" >/dev/null || fail "no $title box"
  xdotool key --delay 100 Return
}

# Waits for the program to end by itself.
wait_for_end() {
  local waited=0
  while kill -0 "$program_pid" 2>/dev/null; do
    ((waited++ < 200)) || fail "the program did not end"
    sleep 0.1
  done
  wait "$program_pid" || true
  program_pid=
}

# Compares a file's bytes with those of krovan3d.cfg text holding the values given.
expect_config() {
  local file=$1
  shift
  cmp -s "$file" <(config_text "$@") || {
    od -c "$file" >&2
    fail "$file does not hold the expected bytes"
  }
}

# Loads an Enhanced file, switches to Custom, picks the last key ("Media Select", 237) for the
# Black Tank's Move Up, the list reached with Shift+Tab from "C&ustom", and saves with Alt+K.
save_custom_key() {
  local game=$scratch/save
  mkdir -p "$game"
  config_text 1280 1024 32 2 1 0 1 1 0 50 2 x x >"$game/krovan3d.cfg"
  start "$exe" "$game"
  xdotool key --delay 150 alt+u shift+Tab End alt+k
  answer_notice
  wait_for_end
  expect_config "$game/krovan3d.cfg" 1280 1024 32 2 1 0 1 1 0 50 3 237 205 208 203 157 17 32 31 30 29
  echo "passed: OK saves the settings shown, with a key picked by keyboard"
}

# Changes settings, then Cancel: the file stays byte for byte as it was.
cancel_keeps_file() {
  local game=$scratch/cancel
  mkdir -p "$game"
  local original=(800 600 24 1 0 1 0 2 0 75 1)
  config_text "${original[@]}" >"$game/krovan3d.cfg"
  start "$exe" "$game"
  xdotool key --delay 150 alt+w alt+a alt+n alt+l
  answer_notice
  wait_for_end
  expect_config "$game/krovan3d.cfg" "${original[@]}"
  echo "passed: Cancel leaves krovan3d.cfg untouched"
}

# Reset High Scores deletes data\highscore.dat beside the program and keeps the window open;
# the close command (Alt+F4, here from the colour-depth list) then ends the program without
# writing a file.
reset_then_close() {
  local program=$scratch/program game=$scratch/reset
  mkdir -p "$program/data" "$game"
  cp "$exe" "$program/config.exe"
  echo scores >"$program/data/highscore.dat"
  start "$program/config.exe" "$game"
  xdotool key --delay 150 alt+r
  answer_notice
  [[ ! -e $program/data/highscore.dat ]] || fail "the high-score file is still there"
  xdotool search --name "^$caption\$" >/dev/null || fail "the window closed after Reset"
  xdotool key --delay 150 alt+c alt+F4
  wait_for_end
  [[ -z $(ls -A "$game") ]] || fail "closing the window wrote $(ls -A "$game")"
  echo "passed: Reset High Scores deletes the file; the close box writes nothing"
}

# In a game folder that every user may change (mode 0777, which Wine shows as Modify for
# Everyone), links that another user put in place of data and krovan3d.cfg, leading out of it:
# Reset and OK each show an Error box, and neither the link nor what it leads to changes.
links_in_shared_folder_refused() {
  local program=$scratch/shared outside=$scratch/outside
  mkdir -p "$program" "$outside/data"
  cp "$exe" "$program/config.exe"
  echo scores >"$outside/data/highscore.dat"
  config_text 800 600 24 >"$outside/theirs.cfg"
  ln -s "$outside/data" "$program/data"
  ln -s "$outside/theirs.cfg" "$program/krovan3d.cfg"
  chmod 0777 "$program"
  start "$program/config.exe" "$program"
  xdotool key --delay 150 alt+r
  answer_notice Error
  xdotool key --delay 150 alt+k
  answer_notice Error
  wait_for_end
  [[ -e $outside/data/highscore.dat ]] || fail "Reset deleted the file behind the link"
  expect_config "$outside/theirs.cfg" 800 600 24
  [[ -L $program/krovan3d.cfg && -L $program/data ]] || fail "a link was replaced"
  echo "passed: links in a folder every user may change are refused by Reset and OK"
}

save_custom_key
cancel_keeps_file
reset_then_close
links_in_shared_folder_refused
