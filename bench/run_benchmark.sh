#!/usr/bin/env bash
# Start-up benchmark: the settings dialog against a bare Qt window with one "Cance&l" button
# that shows the same message box (the toolkit's floor for the same user flow). On a private
# X server it alternates the two programs, RUNS times each (default 20), and times
# exec -> main window mapped and exec -> message box mapped after Alt+L, and takes the peak
# RSS; it prints the medians and the ratios dialog / bare.
# Usage: bench/run_benchmark.sh [RUNS] (builds in $KROVAN_BUILD_DIR, default build/).
set -euo pipefail
runs=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KROVAN_BUILD_DIR:-$root/build}

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

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"

# The dialog runs in a game folder with a complete configuration file; Cancel leaves it as is.
printf '1024\r\n768\r\n32\r\n2\r\n1\r\n0\r\n0\r\n1\r\n0\r\n75\r\n3\r\n200\r\n205\r\n208\r\n203\r\n157\r\n17\r\n32\r\n31\r\n30\r\n29\r\n' \
  >"$work/krovan3d.cfg"
cd "$work"

# One run: appends "window_ms box_ms peak_rss_kb" to $work/$1.
measure() {
  local name=$1 title=$2 program=$3 times
  times=$("$build/bin/bench_map_watch" "$title" Notice \
    /usr/bin/time -f %M -o "$work/rss" "$program" 2>/dev/null)
  echo "$times $(cat "$work/rss")" >>"$work/$name"
}

for run in $(seq "$runs"); do
  measure dialog 'Krovan 3D Configuration Utility 1.0' "$build/bin/config"
  measure bare 'Bare Qt Window' "$build/bin/bench_bare_window"
  printf '\r%d/%d' "$run" "$runs" >&2
done
echo >&2

median() {  # column $2 of file $1
  cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END {
    print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

printf '%-32s %10s %10s %7s  %s\n' "median of $runs runs" dialog bare ratio goal
goals=(1.10 1.10 1.15)
labels=("exec -> window mapped (ms)" "exec -> box after Alt+L (ms)" "peak RSS (KiB)")
for column in 1 2 3; do
  dialog=$(median "$work/dialog" "$column")
  bare=$(median "$work/bare" "$column")
  awk -v l="${labels[column - 1]}" -v d="$dialog" -v b="$bare" -v g="${goals[column - 1]}" \
    'BEGIN { r = d / b; printf "%-32s %10.1f %10.1f %7.3f  <= %s %s\n", l, d, b, r, g, (r <= g ? "met" : "MISSED") }'
done
