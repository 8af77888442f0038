#!/usr/bin/env bash
# Start-up work in instructions, which other programs on the machine do not disturb as they do
# the benchmark's times: runs the settings dialog, the plain dialog and the bare Qt window once
# per variant of run_benchmark.sh under callgrind, driven the same way, and counts the
# instructions until the main window is mapped and until the message box after Alt+L is mapped.
# Usage: bench/count_instructions.sh (builds in $KROVAN_BUILD_DIR, default build/; needs
# valgrind).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KROVAN_BUILD_DIR:-$root/build}

source "$root/bench/start_runs.sh"

# Prints "to_window to_box" in millions of instructions for one run in folder $1 with the
# pointer $2. Callgrind writes a part each time a top-level window is shown: the first part
# ends as the main window maps, the second as the message box does.
count() {
  local name=$1 folder=$2 pointer=$3
  rm -f "$work"/cg*
  (cd "$work/$folder" && "$build/bin/bench_map_watch" "$pointer" "${titles[$name]}" Notice \
    valgrind --tool=callgrind --dump-before='QXcbWindow::show()' \
    --callgrind-out-file="$work/cg" "${binaries[$name]}" >/dev/null 2>&1)
  awk '/^totals:/ { total[FILENAME] = $2 } END {
    w = total[ARGV[1]]; printf "%.2f %.2f\n", w / 1e6, (w + total[ARGV[2]]) / 1e6 }' \
    "$work/cg.1" "$work/cg.2"
}

printf '%-28s %15s %15s %15s %13s %13s\n' '' dialog plain bare dialog/plain dialog/bare
printf '%-28s' variant
printf ' %7s %7s %7s %7s %7s %7s %6s %6s %6s %6s\n' window box window box window box window box \
  window box
for variant in "${variants[@]}"; do
  read -r folder pointer <<<"$variant"
  counts=()
  for name in "${programs[@]}"; do
    read -ra count_pair < <(count "$name" "$folder" "$pointer")
    counts+=("${count_pair[@]}")
  done
  awk -v v="file $folder, pointer $pointer" -v c="${counts[*]}" 'BEGIN {
      split(c, n)
      printf "%-28s %7.2f %7.2f %7.2f %7.2f %7.2f %7.2f %6.3f %6.3f %6.3f %6.3f\n", v, n[1], n[2],
        n[3], n[4], n[5], n[6], n[1] / n[3], n[2] / n[4], n[1] / n[5], n[2] / n[6] }'
done
echo "(millions of instructions from exec until each window maps; ratios of the dialog's counts)"
