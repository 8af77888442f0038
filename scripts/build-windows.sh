#!/usr/bin/env bash
# Cross-builds the Windows program with Debian's mingw-w64: build-windows-x86/bin/config.exe, the
# 32-bit program that players get for every Windows, 32- and 64-bit, with its tests; and
# build-windows-x64/bin/config.exe, the same program for 64-bit Windows alone, which is not
# offered (a 64-bit program never gets the file virtualisation that the game gets under
# "Program Files") and is built only so that the code keeps building there, as it does with
# Visual Studio's 64-bit default; with its tests only on a machine that runs no 32-bit programs,
# where they take the 32-bit build's place (scripts/runs-32-bit.sh). Extra arguments go to the
# 32-bit `cmake --build` (for example `--target config` or `-j2`).
# KROVAN_WERROR=ON in the environment makes warnings errors, as the test script does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh" windows
cmake -S "$root" -B "$root/build-windows-x86" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DKROVAN_BUILD_TESTS=ON \
  -DKROVAN_WERROR="${KROVAN_WERROR:-OFF}"
cmake --build "$root/build-windows-x86" "$@"
x64_tests=ON x64_target=(--target all)
if bash "$root/scripts/runs-32-bit.sh"; then x64_tests=OFF x64_target=(--target config); fi
cmake -S "$root" -B "$root/build-windows-x64" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DKROVAN_BUILD_TESTS="$x64_tests" \
  -DKROVAN_WERROR="${KROVAN_WERROR:-OFF}"
cmake --build "$root/build-windows-x64" "${x64_target[@]}"
