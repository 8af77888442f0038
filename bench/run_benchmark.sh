#!/usr/bin/env bash
# Start-up benchmark: the settings dialog against a bare Qt window with one "Cance&l" button
# that shows the same message box (the toolkit's floor for the same user flow). On a private
# X server it alternates the two programs, RUNS times each (default 20), and times
# exec -> main window mapped and exec -> message box mapped after Alt+L, and takes the peak
# RSS; it prints the medians and the ratios dialog / bare. It does so in four variants: with a
# complete configuration file or none, and with the pointer off the windows or over them.
# Usage: bench/run_benchmark.sh [RUNS] (builds in $KROVAN_BUILD_DIR, default build/).
set -euo pipefail
runs=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KROVAN_BUILD_DIR:-$root/build}

source "$root/bench/start_runs.sh"

# One run in folder $2 with the pointer $3: appends "window_ms box_ms peak_rss_kb" to
# $work/$1-$2-$3.
measure() {
  local name=$1 folder=$2 pointer=$3 title=$4 program=$5 times
  times=$(cd "$work/$folder" && "$build/bin/bench_map_watch" "$pointer" "$title" Notice \
    /usr/bin/time -f %M -o "$work/rss" "$program" 2>/dev/null)
  echo "$times $(cat "$work/rss")" >>"$work/$name-$folder-$pointer"
}

# The variants and the two programs alternate, so that a load on the machine hits them alike.
for run in $(seq "$runs"); do
  for variant in "${variants[@]}"; do
    measure dialog $variant 'Krovan 3D Configuration Utility 1.0' "$build/bin/config"
    measure bare $variant 'Bare Qt Window' "$build/bin/bench_bare_window"
  done
  printf '\r%d/%d' "$run" "$runs" >&2
done
echo >&2
if [[ -n $(ls -A "$work/none") ]]; then
  echo "the dialog left a file in the folder that had none" >&2
  exit 1
fi

median() {  # column $2 of file $1
  cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END {
    print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

goals=(1.10 1.10 1.15)
labels=("exec -> window mapped (ms)" "exec -> box after Alt+L (ms)" "peak RSS (KiB)")
for variant in "${variants[@]}"; do
  read -r folder pointer <<<"$variant"
  echo
  printf '%-32s %10s %10s %7s  %s\n' "file $folder, pointer $pointer" dialog bare ratio goal
  for column in 1 2 3; do
    dialog=$(median "$work/dialog-$folder-$pointer" "$column")
    bare=$(median "$work/bare-$folder-$pointer" "$column")
    awk -v l="${labels[column - 1]}" -v d="$dialog" -v b="$bare" -v g="${goals[column - 1]}" \
      'BEGIN { r = d / b; printf "%-32s %10.1f %10.1f %7.3f  <= %s %s\n", l, d, b, r, g, (r <= g ? "met" : "MISSED") }'
  done
done
echo "(medians of $runs runs per program and variant)"
