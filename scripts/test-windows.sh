#!/usr/bin/env bash
# Builds the Windows program and checks its import tables and size (scripts/check-windows-build.sh),
# then runs the 32-bit build's tests under Wine on a virtual X display: the unit tests (also those
# of the configuration file, the keys and the routines), the window's tests at several DPIs, the
# end-to-end runs of config.exe, and the checks of what config.exe carries. The 64-bit build is
# only built and checked by its imports, except where 32-bit Wine cannot run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh" windows
bash "$root/scripts/check-windows-build.sh"
tested=build-windows-x86
if ! bash "$root/scripts/wine-runs-32-bit.sh"; then
  echo "No 32-bit Wine here: the 64-bit build's tests run under 64-bit Wine"
  tested=build-windows-x64
fi
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp -noreset" \
  bash "$root/tests/win32/wine-tests.sh" "$root/$tested"
