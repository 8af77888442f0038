#!/usr/bin/env bash
# CTest's emulator for the Windows test programs: runs one under Wine and passes on its output and
# exit code. Now and then 32-bit Wine ends a program before it has started, in a few milliseconds,
# with no output at all (once in a CI run of some thousand programs). Only such a run, failed and
# silent, is tried once more, and the log says so; a program that printed anything is never rerun,
# so a test that fails is reported as it failed. Usage: run-under-wine.sh WINE PROGRAM [ARG...]
set -uo pipefail
wine=$1
shift
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  "$wine" "$@" >"$out" 2>"$err"
  status=$?
  if ((status == 0 || attempt == 2)) || [[ -s $out || -s $err ]]; then
    break
  fi
  echo "run-under-wine.sh: $1 ended with status $status and printed nothing; running it again" >&2
done
cat "$out"
cat "$err" >&2
exit "$status"
