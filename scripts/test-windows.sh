#!/usr/bin/env bash
# Cross-builds the Windows program (64- and 32-bit) and its tests, checks that both exes start on
# Windows 7 and fit in 300 KB, then runs the 64-bit build's tests under Wine on a virtual X
# display: the unit tests (also those of the configuration file, the keys and the routines),
# the window's tests at several DPIs, the end-to-end runs of config.exe, and the checks of what
# config.exe imports and carries. The 32-bit exe is checked by its headers and imports only:
# running it would need 32-bit Wine, which takes the i386 architecture and some 300 packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/build-windows.sh"
for build in build-windows:x86_64 build-windows-x86:i686; do
  exe=$root/${build%:*}/bin/config.exe
  bash "$root/tests/win32/check-imports.sh" "${build#*:}-w64-mingw32-objdump" "$exe"
  size=$(stat -c %s "$exe")
  echo "${build%:*}/bin/config.exe: $size bytes"
  ((size <= 300 * 1024)) || { echo "FAILED: $exe is larger than 300 KB" >&2; exit 1; }
done
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" \
  bash "$root/tests/win32/wine-tests.sh" "$root/build-windows"
