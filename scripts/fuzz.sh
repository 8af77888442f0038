#!/usr/bin/env bash
# Fuzzes the reader of krovan3d.cfg for the given number of seconds (default 30): builds the
# libFuzzer target with clang, AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz,
# runs it from a copy of the seed corpus tests/settings/fuzz_corpus, and fails on a crash or a
# broken invariant. The last lines give the number of executions and the time taken.
#
# Fuzzing longer: pass the seconds (`bash scripts/fuzz.sh 3600` runs an hour). To keep what a
# long run learns, run the binary on a corpus directory of your own, on both cores:
#   build-fuzz/bin/settings_fuzzer -max_total_time=3600 -jobs=2 -workers=2 my_corpus \
#       tests/settings/fuzz_corpus
# and copy a few small inputs that it found into tests/settings/fuzz_corpus. A crash is saved as
# build-fuzz/crashes/crash-<hash>; replay it with `build-fuzz/bin/settings_fuzzer <that file>`.
set -euo pipefail
seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

bash "$root/scripts/setup.sh" fuzz
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKROVAN_FUZZ=ON >/dev/null
cmake --build "$build" --target settings_fuzzer

# Every input is saved and read back through real files, in a scratch directory that also
# holds the working corpus. On tmpfs the fsync of each save costs nothing; on a disk it would
# hold the run to about a hundred inputs a second.
shm=/dev/shm
[[ -d $shm && -w $shm ]] || shm=${TMPDIR:-/tmp}
scratch=$(mktemp -d -p "$shm" krovan-fuzz.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
corpus=$scratch/corpus
log=$scratch/fuzz.log
mkdir -p "$corpus" "$build/crashes"
cp "$root"/tests/settings/fuzz_corpus/* "$corpus/"

status=0
"$build/bin/settings_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$build/crashes/" "$corpus" >"$log" 2>&1 || status=$?
if [[ $status -ne 0 ]]; then
  tail -n 60 "$log"
  echo "fuzz.sh: the fuzzer failed (exit status $status); see $build/crashes/" >&2
  exit "$status"
fi
grep -E '^Done [0-9]+ runs|stat::number_of_executed_units|stat::average_exec_per_sec' "$log"
