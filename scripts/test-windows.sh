#!/usr/bin/env bash
# Cross-builds the Windows program and its tests, then runs them under Wine on a virtual X
# display: the unit tests (also those of the configuration file, the keys and the routines),
# the end-to-end runs of config.exe, and the checks of what config.exe imports and carries.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/build-windows.sh"
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" \
  bash "$root/tests/win32/wine-tests.sh" "$root/build-windows"
