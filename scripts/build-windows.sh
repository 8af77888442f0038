#!/usr/bin/env bash
# Cross-builds the Windows program with Debian's mingw-w64: build-windows-x86/bin/config.exe, the
# 32-bit program that players get for every Windows, 32- and 64-bit, with its tests; and
# build-windows-x64/bin/config.exe, the same program for 64-bit Windows alone, which is not
# offered (a 64-bit program never gets the file virtualisation that the game gets under
# "Program Files") and is built, without tests, only so that the code keeps building there, as
# it does with Visual Studio's 64-bit default. Extra arguments go to the 32-bit `cmake --build`
# (for example `--target config` or `-j2`).
# KROVAN_WERROR=ON in the environment makes warnings errors, as the test script does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh" windows
cmake -S "$root" -B "$root/build-windows-x86" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DKROVAN_BUILD_TESTS=ON \
  -DKROVAN_WERROR="${KROVAN_WERROR:-OFF}"
cmake --build "$root/build-windows-x86" "$@"
cmake -S "$root" -B "$root/build-windows-x64" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKROVAN_BUILD_TESTS=OFF \
  -DKROVAN_WERROR="${KROVAN_WERROR:-OFF}"
cmake --build "$root/build-windows-x64" --target config
