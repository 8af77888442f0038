#!/usr/bin/env bash
# Sets up the machine, builds the program and starts the dialog in the directory this script
# was called from, which is where it reads and writes krovan3d.cfg.
set -euo pipefail
game_dir=$PWD
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" --target config

cd "$game_dir"
exec "$root/build/bin/config"
