#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test, or the parts named:
#   linux     the Linux build and CTest: unit tests, the window under Qt's offscreen platform,
#             end-to-end runs under Xvfb and sway, the AT-SPI accessibility stack
#   sanitize  the same tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   package   the Release build (-O3) with Debian's hardening flags, as scripts/package.sh makes
#             it, with its tests built; the Debian package made from it, checked with lintian
#   fuzz      a short fuzzing run of the file reader
#   windows   the Windows build, its import tables, and its tests under Wine
#   windows-build  the Windows build and its import tables only, without Wine
#   release   the release files made twice and compared (after windows: it checks that the zip
#             holds the config.exe those tests ran)
# Warnings are errors in every build. Usage: scripts/test.sh [PART...] (default: all, in order).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

all=(linux sanitize package fuzz windows release)
parts=("${@:-${all[@]}}")
purposes=()
for part in "${parts[@]}"; do
  case $part in
    linux | sanitize | package | fuzz) purposes+=(test) ;;
    windows | release) purposes+=(windows) ;;
    windows-build) purposes+=(windows-build) ;;
    *)
      echo "test.sh: unknown part '$part' (${all[*]} windows-build)" >&2
      exit 2
      ;;
  esac
done
bash scripts/setup.sh "${purposes[@]}"

for part in "${parts[@]}"; do
  case $part in
    linux)
      cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKROVAN_BUILD_TESTS=ON \
        -DKROVAN_BUILD_BENCH=ON -DKROVAN_WERROR=ON
      cmake --build build
      ctest --test-dir build --output-on-failure
      ;;
    sanitize)
      cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKROVAN_SANITIZE=ON \
        -DKROVAN_WERROR=ON
      cmake --build build-sanitize
      ctest --test-dir build-sanitize --output-on-failure
      ;;
    package)
      source scripts/debian-flags.sh
      cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKROVAN_WERROR=ON \
        "${debian_flags[@]}"
      cmake --build build-release
      bash scripts/test-package.sh build-release
      ;;
    fuzz) bash scripts/fuzz.sh 30 ;;
    windows) KROVAN_WERROR=ON bash scripts/test-windows.sh ;;
    windows-build) KROVAN_WERROR=ON bash scripts/check-windows-build.sh ;;
    release)
      # The zip must hold the config.exe that the Windows tests ran, where they ran it.
      tested=()
      if bash scripts/wine-runs-32-bit.sh; then tested=(build-windows-x86/bin/config.exe); fi
      bash scripts/test-release.sh "${tested[@]}"
      ;;
  esac
done
