#!/usr/bin/env bash
# Makes game folders with Unix symbolic links, which Wine shows to Windows programs as reparse
# points, and runs the link tests on them: a folder of mode 0777, which Wine shows as granting
# Everyone the right to modify it, and one of mode 0755, which only its owner may change.
# Usage: link-tests.sh WINE path/to/file_links_win32_test.exe
set -euo pipefail
wine=$1
tests=$2
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
for folder in shared own; do
  mkdir -p "$tree/$folder" "$tree/outside-$folder/data"
  printf 'scores' >"$tree/outside-$folder/data/highscore.dat"
  printf 'theirs' >"$tree/outside-$folder/real.cfg"
  ln -s "$tree/outside-$folder/data" "$tree/$folder/data"
  ln -s "$tree/outside-$folder/real.cfg" "$tree/$folder/krovan3d.cfg"
done
mkdir -p "$tree/shared/linked-file"
ln -s "$tree/outside-shared/data/highscore.dat" "$tree/shared/linked-file/highscore.dat"
chmod 0777 "$tree/shared" "$tree/shared/linked-file"
chmod 0755 "$tree/own"
KROVAN_LINK_TREE="Z:${tree//\//\\}" bash "$(dirname "$0")/run-under-wine.sh" "$wine" "$tests"
