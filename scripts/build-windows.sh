#!/usr/bin/env bash
# Cross-builds the Windows program, build-windows/bin/config.exe, and its tests with Debian's
# mingw-w64. Extra arguments go to `cmake --build` (for example `--target config` or `-j2`).
# KROVAN_WERROR=ON in the environment makes warnings errors, as the test script does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh" windows
cmake -S "$root" -B "$root/build-windows" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKROVAN_WERROR="${KROVAN_WERROR:-OFF}"
cmake --build "$root/build-windows" "$@"
