#!/usr/bin/env bash
# Runs the Windows build's tests under Wine on the X display in DISPLAY: the unit tests through
# ctest, the window's tests again at 144 and 192 dpi, the end-to-end runs of config.exe, and the
# check that config.exe imports only what Windows 7 SP1 has. Usage: wine-tests.sh
# path/to/build-windows
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
exe=$build/bin/config.exe

# A Wine prefix of the build's own, so nothing depends on ~/.wine; without Mono and Gecko, which
# nothing here needs and which Wine would try to download.
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# One Wine server for the whole run, so every test program starts in a fraction of a second;
# it and Wine's background services hold no pipe of this script open.
trap 'wineserver --kill 2>/dev/null || true' EXIT
[[ -f $WINEPREFIX/system.reg ]] || echo "Creating the Wine prefix $WINEPREFIX"
mkdir -p "$WINEPREFIX"
wineserver --persistent >/dev/null 2>&1
wineboot >/dev/null 2>&1
# Windows that Wine draws and frames itself: with no window manager on the display, a managed
# window waits seconds for one at every show and hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Everything runs at 96 dpi but the window's tests at higher DPIs below.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

echo "== config.exe imports"
bash "$here/check-imports.sh" x86_64-w64-mingw32-objdump "$exe"
cp "$exe" "$build/config-stripped.exe"
x86_64-w64-mingw32-strip "$build/config-stripped.exe"
echo "config.exe: $(stat -c %s "$build/config-stripped.exe") bytes stripped"

echo "== unit tests under Wine"
ctest --test-dir "$build" --output-on-failure -j2

# Wine reads the system DPI when a program starts.
for dpi in 144 192; do
  echo "== the window's tests at $dpi dpi"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  ctest --test-dir "$build" --output-on-failure -R '^win32_window_test$'
done
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

echo "== end-to-end runs of config.exe"
bash "$here/e2e.sh" "$exe"
