#!/usr/bin/env bash
# Plants beside a copy of the program what Qt would read there, a qt.conf naming a plugin folder
# and plugin folders holding libraries, starts it under strace on a virtual X display, and
# passes when its window shows and nothing planted was opened or even looked at.
# Usage: planted_plugins.sh path/to/config
set -euo pipefail
command -v strace >/dev/null && command -v xvfb-run >/dev/null || exit 77
if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp -noreset" \
    bash "$0" "$@"
fi
folder=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$folder"' EXIT
cp "$1" "$folder/config"
for plugins in platforms platformthemes styles imageformats planted/platforms; do
  mkdir -p "$folder/$plugins"
  for name in libqxcb libqwayland-generic libqgtk3 libqxdgdesktopportal libqsvg libplanted; do
    echo "not a library" >"$folder/$plugins/$name.so"
  done
done
printf '[Paths]\nPrefix=%s/planted\nPlugins=%s/planted\n' "$folder" "$folder" >"$folder/qt.conf"
mkdir "$folder/game"
(cd "$folder/game" && exec env -u QT_PLUGIN_PATH QT_QPA_PLATFORM=xcb \
  strace -f -qq -e trace=%file -o "$folder/trace" ../config >/dev/null 2>&1) &
pid=$!
timeout 30 xdotool search --sync --name '^Krovan 3D Configuration Utility 1.0$' >/dev/null || {
  echo "FAILED: the window did not show with the planted files beside the program"
  exit 1
}
# The program itself and the folder it runs in are looked at; the program's folder by itself is
# only checked for existence. Anything else inside it is what was planted.
if planted=$(grep -F "$folder/" "$folder/trace" | grep -v -e "\"$folder/config\"" \
  -e "\"$folder/game\"" -e "\"$folder/trace\"" -e "\"$folder/game/"); then
  echo "FAILED: the program looked at what was planted beside it:"
  echo "$planted" | head -n 20
  exit 1
fi
echo "passed: nothing planted beside the program was opened, and the window showed"
