#!/usr/bin/env bash
# Runs the built program as a user does, on a private display and with real key events: each
# case below prepares a folder, starts the program in it, types into its windows and checks what
# the program left behind.
#
#   end_to_end_test.sh [--display=x11|wayland] [--as=player] [--x11-close=TOOL] PROGRAM
#
# --display    x11 (the default): Xvfb and xdotool, see end_to_end_x11.sh; wayland: a headless
#              sway and wtype, see end_to_end_wayland.sh. The same cases run on both.
# --as=player  starts the program as the unprivileged user nobody (uid and gid 65534, no other
#              groups) through setpriv, with a home and an XDG_RUNTIME_DIR of its own. Only root
#              can switch users; any other user runs the cases as itself, already unprivileged.
#              Without the option the program runs as the user running the script. Run by
#              root, the option adds the cases of a game that root installed for several
#              players (files and folders of root's and of the group games).
# --x11-close  the tool that sends a window its close box's request on X11 (x11_close_request).
#
# Exits 77 (skipped) when a tool the display needs is missing.
set -euo pipefail
readonly kTimeout=10
readonly kDialog='Krovan 3D Configuration Utility 1.0'
# How setpriv makes each unprivileged user the cases can name.
declare -A kUsers=([player]='--reuid=65534 --regid=65534 --clear-groups'
  [games-player]='--reuid=65534 --regid=65534 --groups=60')
readonly kPlayerOwner=65534:65534

display=x11
run_as=self
x11_close=
while [[ $# -gt 1 ]]; do
  case $1 in
    --display=*) display=${1#*=} ;;
    --as=*) run_as=${1#*=} ;;
    --x11-close=*) x11_close=${1#*=} ;;
    *) break ;;
  esac
  shift
done
[[ $# -eq 1 && $display =~ ^(x11|wayland)$ && $run_as =~ ^(self|player)$ ]] || {
  sed -n '6,16s/^# \?//p' "$0" >&2
  exit 2
}
program=$(realpath "$1")

fail() {
  echo "FAILED${current_case:+ ($current_case)}: $*" >&2
  exit 1
}

skip() {
  echo "skipped: $*"
  exit 77
}

# shellcheck source=tests/qt/end_to_end_x11.sh
source "$(dirname "$0")/end_to_end_${display}.sh"
for tool in "${display_tools[@]}"; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done

work=$(mktemp -d)
chmod 755 "$work"
runtime_dir=$work/run
mkdir -m 700 "$runtime_dir" "$work/home"
[[ $(id -u) -eq 0 ]] && chown "$kPlayerOwner" "$runtime_dir" "$work/home"

# Sets the array named $1 to the command prefix that runs a command as user $2 (self: as it is),
# with the player's own home and runtime folder.
user_prefix() {
  local -n prefix=$1
  prefix=()
  [[ $2 != self && $(id -u) -eq 0 ]] || return 0
  read -ra prefix <<<"${kUsers[$2]}"
  prefix=(setpriv "${prefix[@]}" env HOME="$work/home" XDG_RUNTIME_DIR="$runtime_dir")
}
user_prefix as_player player
# Who owns the files the cases prepare: the user the cases run as.
owner=
[[ $run_as == player && $(id -u) -eq 0 ]] && owner=$kPlayerOwner

xvfb_pid=
compositor_pid=
keyboard_pid=
app_pid=
# Runs on every exit, also from a failed step: no command here may stop it half-way.
cleanup() {
  stop_process "$app_pid"
  stop_display
  wait 2>/dev/null || true
  rm -rf "$work"
}
stop_process() {
  [[ -z $1 ]] || kill "$1" 2>/dev/null || true
}
trap cleanup EXIT

# The program, and the leak suppressions of a sanitizer build, where every user can read them:
# a build folder (under /root, say) may be closed to the player.
install -m 755 "$program" "$work/config"
if [[ ${LSAN_OPTIONS:-} =~ suppressions=([^:]*) ]]; then
  install -m 644 "${BASH_REMATCH[1]}" "$work/lsan_suppressions.txt"
  export LSAN_OPTIONS=${LSAN_OPTIONS/"${BASH_REMATCH[1]}"/$work/lsan_suppressions.txt}
fi
user_prefix as_run_user "$run_as"
"${as_run_user[@]}" test -x "$work/config" ||
  fail "$run_as cannot run $work/config: give TMPDIR a folder that every user can enter"

start_display

# The steps a case is made of. Windows are named by their exact title: `dialog` for the
# settings window, a message box by its own (Notice, Error), so a step on a box also checks
# which box came up. Its text cannot be read through either display; the accessibility test
# reads it through AT-SPI.

# Writes the printf format $2 into the file $1 (its folders made as needed), all the case's
# folder owned by the user the cases run as. Change owners and modes after it.
put() {
  mkdir -p "$(dirname "$1")"
  # shellcheck disable=SC2059
  printf "$2" >"$1"
  [[ -z $owner ]] || chown -R "$owner" "$case_dir"
}

# Starts the program from $bin in the game folder, as user $1: self or a name in kUsers (by
# default the user of --as).
start_program() {
  local as
  user_prefix as "${1:-$run_as}"
  (cd "$game" && exec "${as[@]}" "${program_environment[@]}" "$bin/config") &
  app_pid=$!
}

title_pattern() {
  local title=$1
  [[ $title == dialog ]] && title=$kDialog
  echo "^${title//./\\.}\$"
}

# What the program shows, for a failure's message.
shown() {
  kill -0 "$app_pid" 2>/dev/null || { echo "the program has ended"; return; }
  echo "shown: $(shown_titles | paste -sd '|')"
}

# Gives the window titled $1 the keyboard focus and types the keys that follow (xdotool's names).
press() {
  local title=$1
  shift
  focus_window "$(title_pattern "$title")" || fail "no window titled '$title'; $(shown)"
  type_keys "$@" || fail "could not type $* into '$title'"
}

# Waits for a window titled $1: that the message box of that title came up, say.
expect_window() {
  focus_window "$(title_pattern "$1")" || fail "no window titled '$1'; $(shown)"
}

# Asks the window titled $1 to close, as its close box or the desktop's close shortcut does.
close_window() {
  request_close "$(title_pattern "$1")" || fail "no window titled '$1' to close; $(shown)"
}

# The program ends by itself, successfully.
expect_exit() {
  local status=0
  for _ in $(seq $((kTimeout * 10))); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && fail "the program is still running"
  wait "$app_pid" || status=$?
  app_pid=
  [[ $status -eq 0 ]] || fail "the program exited with status $status"
}

# The folder $1 holds exactly the names that follow.
expect_names() {
  local folder=$1
  shift
  [[ $(ls -A "$folder") == "$(printf '%s\n' "$@" | sort)" ]] ||
    fail "$folder holds: $(ls -A "$folder" | paste -sd ' ')"
}

expect_bytes() {
  # shellcheck disable=SC2059
  printf "$2" | cmp -s - "$1" || fail "$1 holds other bytes than expected"
}

# The file $1 has the owner, group and mode $2, as "uid:gid octal-mode".
expect_protection() {
  [[ $(stat -c '%u:%g %a' "$1") == "$2" ]] || fail "$1 is $(stat -c '%u:%g %a' "$1"), not $2"
}

# LF line ends and a width of 0: what OK writes differs from what was read.
stored='0\n0\n24\n2\n1\n0\n1\n1\n1\n40\n3\n200\n205\n208\n203\n157\n17\n32\n31\n30\n29\n'
saved='1024\r\n768\r\n24\r\n2\r\n1\r\n0\r\n1\r\n1\r\n1\r\n40\r\n3\r\n200\r\n205\r\n208\r\n203\r\n157\r\n17\r\n32\r\n31\r\n30\r\n29\r\n'

# The cases. Each runs in a folder of its own: $game, the game folder the program starts in,
# and $bin, the folder that holds the program (Reset High Scores looks in $bin/data first), both
# empty and owned by the user the cases run as.
cases=(ok_saves cancel_keeps reset_in_game_folder reset_beside_program close_while_box_is_up
  close_without_box)

case_ok_saves() {
  put "$game/krovan3d.cfg" "$stored"
  start_program
  press dialog alt+k
  press Notice Return
  expect_exit
  expect_bytes "$game/krovan3d.cfg" "$saved"
  expect_names "$game" krovan3d.cfg
}

case_cancel_keeps() {
  put "$game/krovan3d.cfg" "$stored"
  start_program
  press dialog alt+l
  press Notice Return
  expect_exit
  expect_bytes "$game/krovan3d.cfg" "$stored"
  expect_names "$game" krovan3d.cfg
}

# Presses Reset High Scores and dismisses its box, titled $1; the window stays open, and Cancel
# then ends the program.
reset_then_cancel() {
  press dialog alt+r
  press "$1" Return
  press dialog alt+l
  press Notice Return
  expect_exit
}

# With no high scores beside the program, Reset deletes those of the game folder; the window
# stays open.
case_reset_in_game_folder() {
  put "$game/data/highscore.dat" 'scores\n'
  start_program
  reset_then_cancel Notice
  expect_names "$game/data"
}

case_reset_beside_program() {
  put "$bin/data/highscore.dat" 'scores\n'
  put "$game/data/highscore.dat" 'scores\n'
  start_program
  reset_then_cancel Notice
  expect_names "$bin/data"
  expect_names "$game/data" highscore.dat
}

# A close request while a box is up is refused: the window takes the next keys once the box is
# dismissed, and Cancel's routine still ends the program after its box. The box must be up
# before the request: Qt's Wayland plug-in handles a close as soon as it reads it, ahead of keys
# read with it.
case_close_while_box_is_up() {
  put "$game/krovan3d.cfg" "$stored"
  put "$game/data/highscore.dat" 'scores\n'
  start_program
  press dialog alt+r
  expect_window Notice
  close_window dialog
  press Notice Return
  press dialog alt+l
  expect_window Notice
  close_window dialog
  press Notice Return
  expect_exit
  expect_bytes "$game/krovan3d.cfg" "$stored"
  expect_names "$game" data krovan3d.cfg
  expect_names "$game/data"
}

case_close_without_box() {
  put "$game/krovan3d.cfg" "$stored"
  start_program
  close_window dialog
  expect_exit
  expect_bytes "$game/krovan3d.cfg" "$stored"
  expect_names "$game" krovan3d.cfg
}

# A game installed by root for several players: the game folder is root's, and the player may
# write krovan3d.cfg, through its owner or through the group games (60). Root prepares these,
# so they run only when root runs the cases as the player.
shared_install_cases=(own_file_in_roots_folder group_file_in_roots_folder
  group_file_in_shared_setgid_folder roots_file_is_refused data_folder_refuses_reset
  file_with_two_links planted_link_in_shared_setgid_folder planted_link_in_sticky_folder
  own_link_in_shared_setgid_folder planted_folder_in_shared_setgid_folder
  planted_data_link_refuses_reset)
if [[ $run_as == player && $(id -u) -eq 0 ]]; then
  cases+=("${shared_install_cases[@]}")
else
  echo "skipped: ${shared_install_cases[*]} (they run only when root runs the cases as the player)"
fi

# Saves as user $1 (a name in kUsers) and checks the saved bytes and that nothing is left beside
# the file.
save_as() {
  start_program "$1"
  press dialog alt+k
  press Notice Return
  expect_exit
  expect_bytes "$game/krovan3d.cfg" "$saved"
  expect_names "$game" krovan3d.cfg
}

case_own_file_in_roots_folder() {
  put "$game/krovan3d.cfg" "$stored"
  chown 0:0 "$game"
  chmod 644 "$game/krovan3d.cfg"
  save_as player
  expect_protection "$game/krovan3d.cfg" "$kPlayerOwner 644"
}

case_group_file_in_roots_folder() {
  put "$game/krovan3d.cfg" "$stored"
  chown 0:0 "$game"
  chown 0:60 "$game/krovan3d.cfg"
  chmod 664 "$game/krovan3d.cfg"
  save_as games-player
  expect_protection "$game/krovan3d.cfg" "0:60 664"
}

case_group_file_in_shared_setgid_folder() {
  put "$game/krovan3d.cfg" "$stored"
  chown 0:60 "$game" "$game/krovan3d.cfg"
  chmod 2775 "$game"
  chmod 664 "$game/krovan3d.cfg"
  save_as games-player
  expect_protection "$game/krovan3d.cfg" "0:60 664"
}

case_roots_file_is_refused() {
  put "$game/krovan3d.cfg" "$stored"
  chown 0:0 "$game" "$game/krovan3d.cfg"
  chmod 644 "$game/krovan3d.cfg"
  start_program games-player
  press dialog alt+k
  press Error Return
  expect_exit
  expect_bytes "$game/krovan3d.cfg" "$stored"
  expect_protection "$game/krovan3d.cfg" "0:0 644"
  expect_names "$game" krovan3d.cfg
}

# The system's reason comes in an Error box; the window stays open and the scores stay.
case_data_folder_refuses_reset() {
  put "$game/data/highscore.dat" 'scores
'
  chown 0:0 "$game/data"
  start_program player
  reset_then_cancel Error
  expect_names "$game/data" highscore.dat
}

# Both names of the file show the new settings, in a folder where a new file could be made.
case_file_with_two_links() {
  put "$game/krovan3d.cfg" "$stored"
  ln "$game/krovan3d.cfg" "$case_dir/other.cfg"
  start_program player
  press dialog alt+k
  press Notice Return
  expect_exit
  expect_bytes "$game/krovan3d.cfg" "$saved"
  expect_bytes "$case_dir/other.cfg" "$saved"
  expect_names "$game" krovan3d.cfg
}

# Makes $2 in a game folder of root's and the group games with mode $1 a link of user $3 to $4.
link_from_game_folder() {
  chown 0:60 "$game"
  chmod "$1" "$game"
  ln -s "$4" "$game/$2"
  chown -h "$3:60" "$game/$2"
}

# A link that another user put in a folder that others may write is not followed: an Error box,
# and the link and the file it leads to stay as they were.
planted_link_is_refused() {
  put "$case_dir/home/notes.txt" "$stored"
  link_from_game_folder "$1" krovan3d.cfg 1234 "$case_dir/home/notes.txt"
  start_program "$2"
  press dialog alt+k
  press Error Return
  expect_exit
  expect_bytes "$case_dir/home/notes.txt" "$stored"
  [[ -L $game/krovan3d.cfg ]] || fail "krovan3d.cfg is no longer a link"
  expect_names "$case_dir/home" notes.txt
}

case_planted_link_in_shared_setgid_folder() { planted_link_is_refused 2775 games-player; }
case_planted_link_in_sticky_folder() { planted_link_is_refused 1777 player; }

# Even the player's own link is refused in a folder that others may write and that is not
# sticky: another member may have renamed it there from a folder of theirs.
case_own_link_in_shared_setgid_folder() {
  put "$case_dir/home/notes.txt" "$stored"
  link_from_game_folder 2775 krovan3d.cfg 65534 "$case_dir/home/notes.txt"
  start_program games-player
  press dialog alt+k
  press Error Return
  expect_exit
  [[ -L $game/krovan3d.cfg ]] || fail "krovan3d.cfg is no longer a link"
  expect_bytes "$case_dir/home/notes.txt" "$stored"
  expect_names "$case_dir/home" notes.txt
}

# A folder that another user put in a shared game folder vouches for no link of theirs: here
# root's link leads into it, and their link in it to the player's file is refused.
case_planted_folder_in_shared_setgid_folder() {
  put "$case_dir/home/notes.txt" "$stored"
  link_from_game_folder 2775 krovan3d.cfg 0 conf/krovan3d.cfg
  install -d -o 1234 -g 60 -m 2755 "$game/conf"
  ln -s "$case_dir/home/notes.txt" "$game/conf/krovan3d.cfg"
  chown -h 1234:60 "$game/conf/krovan3d.cfg"
  start_program games-player
  press dialog alt+k
  press Error Return
  expect_exit
  expect_bytes "$case_dir/home/notes.txt" "$stored"
  expect_names "$case_dir/home" notes.txt
}

case_planted_data_link_refuses_reset() {
  put "$case_dir/home/data/highscore.dat" 'scores\n'
  link_from_game_folder 2775 data 1234 "$case_dir/home/data"
  start_program games-player
  reset_then_cancel Error
  expect_names "$case_dir/home/data" highscore.dat
}

for current_case in "${cases[@]}"; do
  case_dir=$work/cases/$current_case
  game=$case_dir/game
  bin=$case_dir/bin
  mkdir -p "$game" "$bin"
  ln "$work/config" "$bin/config"
  [[ -z $owner ]] || chown -R "$owner" "$case_dir"
  "case_$current_case"
  echo "ok: $current_case"
done
current_case=
echo "passed ($display, as $run_as)"
