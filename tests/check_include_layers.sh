#!/usr/bin/env bash
# Fails, naming the file and the include, when a file under config/ includes one of a higher
# layer or of a sibling folder on its own layer. Layers, lowest first: text (UTF-8 and UTF-16
# conversion), the key table, the configuration file, the dialog's routines and tables, the
# two windows. Usage: check_include_layers.sh path/to/config
set -euo pipefail
config=$(cd "$1" && pwd)

declare -A layer=([text]=0 [keys]=1 [settings]=2 [.]=3 [qt]=4 [win32]=4)

folder_of() {
  local dir
  dir=$(dirname "$1")
  echo "${dir%%/*}"
}

failures=0
cd "$config"
while IFS= read -r file; do
  from=$(folder_of "$file")
  if [[ -z ${layer[$from]+set} ]]; then
    echo "config/$file: folder config/$from has no layer in $(basename "$0")"
    failures=$((failures + 1))
    continue
  fi
  while IFS= read -r included; do
    to=$(folder_of "${included#config/}")
    if [[ -z ${layer[$to]+set} ]]; then
      echo "config/$file: includes $included, whose folder has no layer"
      failures=$((failures + 1))
    elif [[ $to != "$from" ]] && ((layer[$to] >= layer[$from])); then
      echo "config/$file: includes $included, of a layer not below its own"
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\(config\/[^"]*\)".*/\1/p' "$file")
done < <(find . -type f \( -name '*.h' -o -name '*.cpp' \) -printf '%P\n' | sort)

if ((failures > 0)); then
  echo "$failures include(s) against the layers"
  exit 1
fi
