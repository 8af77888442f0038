#!/usr/bin/env bash
# Cross-builds the Windows program with Debian's mingw-w64: build-windows-x86/bin/config.exe, the
# 32-bit program that players get for every Windows, 32- and 64-bit, with its tests; and
# build-windows-x64/bin/config.exe, the same program for 64-bit Windows alone, which is not
# offered (a 64-bit program never gets the file virtualisation that the game gets under
# "Program Files") and is built only so that the code keeps building there, as it does with
# Visual Studio's 64-bit default. Where 32-bit Wine cannot run (scripts/wine-runs-32-bit.sh:
# the machine runs no 32-bit programs, or wine32:i386 could not be installed) the tests are built
# with the 64-bit program instead, to run under 64-bit Wine. Extra arguments go to the 32-bit `cmake --build` (for example `--target config`
# or `-j2`).
# KROVAN_WERROR=ON in the environment makes warnings errors, as the test script does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh" windows-build
# The tests are built with the build that runs them: the 32-bit one, or the 64-bit one where
# 32-bit Wine cannot run.
tested=x86
bash "$root/scripts/wine-runs-32-bit.sh" || tested=x64
# build ARCH TOOLCHAIN [cmake --build arguments...]
build() {
  local tests=OFF target=(--target config)
  [[ $1 != "$tested" ]] || { tests=ON target=(); }
  cmake -S "$root" -B "$root/build-windows-$1" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2" -DKROVAN_BUILD_TESTS="$tests" \
    -DKROVAN_WERROR="${KROVAN_WERROR:-OFF}"
  cmake --build "$root/build-windows-$1" "${target[@]}" "${@:3}"
}
build x86 mingw-w64-i686.cmake "$@"
build x64 mingw-w64.cmake
