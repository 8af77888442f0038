#!/usr/bin/env bash
# Photographs the window under Wine at 96 and 144 dpi, laid out with the per-monitor DPI
# functions and with the system DPI alone (as on Windows 7): OUTDIR/window-DPI-PATH.png, and
# OUTDIR/same-DPI.png, where the two differ (all black when they look the same). Run
# scripts/build-windows.sh first. Usage: dpi-screenshots.sh OUTDIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
program=$root/build-windows-x86/bin/show_window.exe
caption="Krovan 3D Configuration Utility 1.0"

if [[ -z ${DISPLAY:-} ]]; then
  exec xvfb-run --auto-servernum --server-args="-screen 0 1600x1200x24 -nolisten tcp -noreset" \
    bash "$0" "$@"
fi
export WINEPREFIX=$root/build-windows-x86/wineprefix WINEARCH=win32 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml="
game=$(mktemp -d)
trap 'wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
      wineserver --kill 2>/dev/null || true; rm -rf "$game"' EXIT
wineboot >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

for dpi in 96 144; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  for path in per-monitor system-dpi; do
    flag=()
    [[ $path == system-dpi ]] && flag=(--system-dpi)
    (cd "$game" && exec wine "$program" "${flag[@]}" >/dev/null 2>&1) &
    window=$(timeout 60 xdotool search --sync --name "^$caption\$" | head -1)
    until [[ $(xdotool getwindowfocus 2>/dev/null) == "$window" ]]; do sleep 0.1; done
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/window-$dpi-$path.png"
    echo "wrote $out/window-$dpi-$path.png (${WIDTH} x ${HEIGHT})"
    wineserver --kill
    wait
  done
  compare -metric AE "$out/window-$dpi-per-monitor.png" "$out/window-$dpi-system-dpi.png" \
    "$out/same-$dpi.png" 2>&1 | sed "s/^/pixels that differ at $dpi dpi: /" || true
  echo
done
