#!/usr/bin/env bash
# Cross-builds the Windows program with Debian's mingw-w64: build-windows/bin/config.exe (64-bit)
# with its tests, and build-windows-x86/bin/config.exe (32-bit) alone, as 32-bit test programs
# would need 32-bit Wine. Extra arguments go to the 64-bit `cmake --build` (for example
# `--target config` or `-j2`).
# KROVAN_WERROR=ON in the environment makes warnings errors, as the test script does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh" windows
cmake -S "$root" -B "$root/build-windows" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKROVAN_WERROR="${KROVAN_WERROR:-OFF}"
cmake --build "$root/build-windows" "$@"
cmake -S "$root" -B "$root/build-windows-x86" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DKROVAN_BUILD_TESTS=OFF
cmake --build "$root/build-windows-x86" --target config
