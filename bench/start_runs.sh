# Sourced by the benchmark's scripts with $root and $build set: builds the three programs and the
# X client that plays the user, starts a private X server, and makes the game folders of the
# variants in $work, which is removed on exit. `programs` names the programs, with the title of
# each one's main window in `titles` and its file in `binaries`.
bash "$root/scripts/setup.sh" bench
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKROVAN_BUILD_BENCH=ON \
  >/dev/null
cmake --build "$build" --target config bench_plain_dialog bench_bare_window bench_map_watch

programs=(dialog plain bare)
declare -A titles=([dialog]='Krovan 3D Configuration Utility 1.0' [plain]='Plain Qt Dialog'
  [bare]='Bare Qt Window')
declare -A binaries=([dialog]="$build/bin/config" [plain]="$build/bin/bench_plain_dialog"
  [bare]="$build/bin/bench_bare_window")

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
# the place where every program opens its window.
mkdir "$work/complete" "$work/none"
printf '1024\r\n768\r\n32\r\n2\r\n1\r\n0\r\n0\r\n1\r\n0\r\n75\r\n3\r\n200\r\n205\r\n208\r\n203\r\n157\r\n17\r\n32\r\n31\r\n30\r\n29\r\n' \
  >"$work/complete/krovan3d.cfg"
variants=("complete away" "complete over" "none away" "none over")
