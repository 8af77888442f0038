#!/usr/bin/env bash
# Sets up the machine, builds, and runs every test: the Linux build (unit tests, the window
# under Qt's offscreen platform, end-to-end runs under Xvfb), the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run of the file reader,
# and the Windows build with its tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKROVAN_SANITIZE=ON
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure

bash scripts/fuzz.sh 30

bash scripts/test-windows.sh
