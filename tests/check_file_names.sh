#!/usr/bin/env bash
# Fails, naming them, when two files under config/ share a file name: each name says one thing.
# CMake's files and each platform's main.cpp are the exceptions, by their tools' convention.
# Usage: check_file_names.sh path/to/config
set -euo pipefail
repeated=$(find "$1" -type f ! -name CMakeLists.txt ! -name main.cpp -printf '%f\n' | sort | uniq -d)
if [[ -n $repeated ]]; then
  echo "file names used more than once under config/:"
  for name in $repeated; do find "$1" -name "$name" -printf '  %P\n'; done
  exit 1
fi
