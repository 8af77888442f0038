#!/usr/bin/env bash
# Cross-builds the Windows program and its tests, checks from both exes' import tables that they
# start on Windows 7 and that the 32-bit one, the program players get, fits in 128 KiB without
# the C++ exception runtime, then runs the 32-bit build's tests under Wine on a virtual X display:
# the unit tests (also those of the configuration file, the keys and the routines), the window's
# tests at several DPIs, the end-to-end runs of config.exe, and the checks of what config.exe
# carries. The 64-bit build is only built and checked by its imports.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
max_size=$((128 * 1024))

bash "$root/scripts/build-windows.sh"
for build in build-windows-x86:i686 build-windows-x64:x86_64; do
  exe=$root/${build%:*}/bin/config.exe
  bash "$root/tests/win32/check-imports.sh" "${build#*:}-w64-mingw32-objdump" "$exe"
  echo "${build%:*}/bin/config.exe: $(stat -c %s "$exe") bytes"
done
exe=$root/build-windows-x86/bin/config.exe
(($(stat -c %s "$exe") <= max_size)) || {
  echo "FAILED: $exe is larger than $max_size bytes (128 KiB)" >&2
  exit 1
}
# Nothing in config.exe throws: the C++ exception runtime, which alone would carry the type name
# of std::exception, must stay out of it.
if grep -q -a St9exception "$exe"; then
  echo "FAILED: $exe holds the C++ exception runtime (the type name of std::exception)" >&2
  exit 1
fi
tested=build-windows-x86
if ! bash "$root/scripts/wine-runs-32-bit.sh"; then
  echo "No 32-bit Wine here: the 64-bit build's tests run under 64-bit Wine"
  tested=build-windows-x64
fi
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" \
  bash "$root/tests/win32/wine-tests.sh" "$root/$tested"
