#!/usr/bin/env bash
# Takes docs/screenshot-windows.png: config.exe under Wine on a virtual X display, started in an
# empty game folder, as its window looks once loaded. Run scripts/build-windows.sh first.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=$root/build-windows-x86/bin/config.exe
out=$root/docs/screenshot-windows.png

if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp -noreset" \
    bash "$0"
fi
export WINEPREFIX=$root/build-windows-x86/wineprefix WINEARCH=win32 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml="
game=$(mktemp -d)
trap 'wineserver --kill 2>/dev/null || true; rm -rf "$game"' EXIT
wineboot >/dev/null 2>&1
# Wine draws the frame itself, as the display has no window manager.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

(cd "$game" && exec wine "$exe" >/dev/null 2>&1) &
window=$(timeout 60 xdotool search --sync --name '^Krovan 3D Configuration Utility 1.0$' | head -1)
until [[ $(xdotool getwindowfocus 2>/dev/null) == "$window" ]]; do sleep 0.1; done
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "wrote $out (${WIDTH} x ${HEIGHT})"
