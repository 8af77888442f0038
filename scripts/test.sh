#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test: the Linux build (unit tests, the window
# under Qt's offscreen platform, end-to-end runs under Xvfb), the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run of the file reader,
# the Release build that packagers make (-O3) with the Debian package made from it and checked,
# the Windows build with its tests under Wine, and the release files made twice and compared.
# Warnings are errors in every build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh test windows

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKROVAN_BUILD_TESTS=ON \
  -DKROVAN_BUILD_BENCH=ON -DKROVAN_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKROVAN_SANITIZE=ON \
  -DKROVAN_WERROR=ON
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKROVAN_WERROR=ON
cmake --build build-release
bash scripts/test-package.sh build-release

bash scripts/fuzz.sh 30

KROVAN_WERROR=ON bash scripts/test-windows.sh

bash scripts/test-release.sh build-windows-x86/bin/config.exe
