#!/usr/bin/env bash
# Start-up benchmark: the settings dialog against two floors that show the same message box
# after Alt+L: its 43 controls built the plain way (bench_plain_dialog: what any Qt dialog with
# these controls costs) and a bare Qt window with one "Cance&l" button (bench_bare_window: what
# the toolkit costs). On a private X server it alternates the three programs, RUNS times each
# (default 20), and times exec -> main window mapped and exec -> message box mapped after Alt+L,
# and takes the peak RSS; it prints the medians, the ratios dialog / plain, dialog / bare and
# plain / bare, and the noise of the medians. It does so in four variants: with a complete
# configuration file or none, and with the pointer off the windows or over them.
# Usage: bench/run_benchmark.sh [RUNS] (builds in $KROVAN_BUILD_DIR, default build/).
set -euo pipefail
runs=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KROVAN_BUILD_DIR:-$root/build}

source "$root/bench/start_runs.sh"

# One run of program $1 in folder $2 with the pointer $3: appends
# "window_ms box_ms peak_rss_kb" to $work/$1-$2-$3.
measure() {
  local name=$1 folder=$2 pointer=$3 times
  times=$(cd "$work/$folder" && "$build/bin/bench_map_watch" "$pointer" "${titles[$name]}" \
    Notice /usr/bin/time -f %M -o "$work/rss" "${binaries[$name]}" 2>/dev/null)
  echo "$times $(cat "$work/rss")" >>"$work/$name-$folder-$pointer"
}

# The variants and the programs alternate, each round starting with the next program, so that a
# load on the machine, or a cache that the previous run warmed, hits them alike.
for run in $(seq "$runs"); do
  for variant in "${variants[@]}"; do
    read -r folder pointer <<<"$variant"
    for i in "${!programs[@]}"; do
      measure "${programs[(i + run) % ${#programs[@]}]}" "$folder" "$pointer"
    done
  done
  printf '\r%d/%d' "$run" "$runs" >&2
done
echo >&2
if [[ -n $(ls -A "$work/none") ]]; then
  echo "the dialog left a file in the folder that had none" >&2
  exit 1
fi

# Prints the median of column $2 of file $1 over all its runs, over the odd runs and over the
# even runs.
medians() {
  awk -v c="$2" '{ all[NR] = $c; half[NR % 2, int((NR + 1) / 2)] = $c }
    function median(v, n,   i, j, t) {
      for (i = 2; i <= n; i++) { t = v[i]; for (j = i - 1; j >= 1 && v[j] > t; j--) v[j + 1] = v[j]; v[j + 1] = t }
      return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    END {
      n_odd = int((NR + 1) / 2); n_even = int(NR / 2)
      for (i = 1; i <= n_odd; i++) odd[i] = half[1, i]
      for (i = 1; i <= n_even; i++) even[i] = half[0, i]
      print median(all, NR), median(odd, n_odd), median(even, n_even)
    }' "$1"
}

# The noise of a figure is how far the medians of one program's odd and even runs lie apart,
# the largest of the three programs', relative to its median: the dialog is as quick and as
# small as the plain dialog when its ratio stays within 1 + noise.
labels=("exec -> window mapped (ms)" "exec -> box after Alt+L (ms)" "peak RSS (KiB)")
for variant in "${variants[@]}"; do
  read -r folder pointer <<<"$variant"
  echo
  printf '%-30s %8s %8s %8s %6s  %-14s %-14s %s\n' "file $folder, pointer $pointer" \
    dialog plain bare noise "dialog/plain" "dialog/bare" "plain/bare"
  for column in 1 2 3; do
    figures=()
    for name in "${programs[@]}"; do
      figures+=("$(medians "$work/$name-$folder-$pointer" "$column")")
    done
    awk -v l="${labels[column - 1]}" -v d="${figures[0]}" -v p="${figures[1]}" \
      -v b="${figures[2]}" -v window="$((column == 1))" 'BEGIN {
      split(d, dm); split(p, pm); split(b, bm)
      noise = 0
      for (k = 1; k <= 3; k++) {
        m = k == 1 ? dm[1] : k == 2 ? pm[1] : bm[1]
        h1 = k == 1 ? dm[2] : k == 2 ? pm[2] : bm[2]
        h2 = k == 1 ? dm[3] : k == 2 ? pm[3] : bm[3]
        spread = (h1 > h2 ? h1 - h2 : h2 - h1) / m
        if (spread > noise) noise = spread
      }
      vs_plain = dm[1] / pm[1]; vs_bare = dm[1] / bm[1]
      printf "%-30s %8.1f %8.1f %8.1f %5.1f%%  %6.3f %-7s %6.3f %-7s %6.3f\n", l, dm[1], pm[1],
        bm[1], 100 * noise, vs_plain, (vs_plain <= 1 + noise ? "met" : "MISSED"), vs_bare,
        (!window ? "" : vs_bare <= 1.10 ? "met" : "MISSED"), pm[1] / bm[1]
    }'
  done
done
echo "(medians of $runs runs per program and variant; goals: dialog/plain <= 1 + noise," \
  "window mapped dialog/bare <= 1.10)"
