#!/usr/bin/env bash
# Builds the Debian package build-deb/krovan3d-config_<version>_<arch>.deb: the program in Release
# with Debian's hardening flags (scripts/debian-flags.sh), without tests or benchmark, packed by
# `cpack -G DEB`. Extra arguments go to CMake, for example
# -DKROVAN_GAME_DIR=/path/to/the/game for a menu entry that starts the dialog in that folder
# (each run without it packs no menu entry). Every date in the package is SOURCE_DATE_EPOCH,
# by default the last commit's, so that the same commit gives the same package.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-deb

bash "$root/scripts/setup.sh" run package
source "$root/scripts/debian-flags.sh"
if [[ -z ${SOURCE_DATE_EPOCH:-} ]] && git -C "$root" rev-parse -q --verify HEAD &>/dev/null; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKROVAN_BUILD_TESTS=OFF \
  -DKROVAN_BUILD_BENCH=OFF -DKROVAN_GAME_DIR= "${debian_flags[@]}" "$@"
cmake --build "$build"
cd "$build"
rm -f krovan3d-config_*.deb
# CPack gives the package's own members (debian-binary, control.tar.gz, data.tar.gz) the modes of
# its work files, which follow the umask.
umask 0022
cpack -G DEB
