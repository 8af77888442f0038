#!/usr/bin/env bash
# Sets up the machine with what running needs, builds the program (no tests, no benchmark) and
# starts the dialog in the directory this script was called from, which is where it reads and
# writes krovan3d.cfg.
set -euo pipefail
game_dir=$PWD
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh" run
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKROVAN_BUILD_TESTS=OFF -DKROVAN_BUILD_BENCH=OFF
cmake --build "$root/build" --target config

cd "$game_dir"
exec "$root/build/bin/config"
