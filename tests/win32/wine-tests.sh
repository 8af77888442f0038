#!/usr/bin/env bash
# Runs a Windows build's tests under Wine on the X display in DISPLAY: the unit tests through
# ctest, the window's tests again at 144 and 192 dpi, and the end-to-end runs of config.exe.
# The 32-bit build needs 32-bit Wine (wine32 of the i386 architecture), a build folder whose name
# ends in x64 64-bit Wine. Usage: wine-tests.sh path/to/build-windows-x86
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
exe=$build/bin/config.exe

# A Wine prefix of the build's own, so nothing depends on ~/.wine, which may have been made by
# 64-bit Wine alone and then cannot start a 32-bit program ("could not load kernel32.dll").
# A 32-bit prefix is made in half the time of a 64-bit one. Without Mono and Gecko, which nothing
# here needs and which Wine would try to download.
arch=win32
[[ $build != *x64 ]] || arch=win64
export WINEPREFIX=$build/wineprefix WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# One Wine server for the whole run, so every test program starts in a fraction of a second;
# it and Wine's background services hold no pipe of this script open.
trap 'wineserver --kill 2>/dev/null || true' EXIT
if ! grep -qs "^#arch=$arch" "$WINEPREFIX/system.reg"; then
  echo "Creating the $arch Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
fi
mkdir -p "$WINEPREFIX"
wineserver --persistent >/dev/null 2>&1
wineboot >/dev/null 2>&1
# Windows that Wine draws and frames itself: with no window manager on the display, a managed
# window waits seconds for one at every show and hide.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The DPI of the programs started from now on. Wine 10 keeps the desktop's DPI for as long as its
# server runs, and a program would mix it with the new one: the server starts anew.
use_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver --kill
  wineserver --wait
  wineserver --persistent >/dev/null 2>&1
  wineboot >/dev/null 2>&1
}
# Everything runs at 96 dpi but the window's tests at higher DPIs below.
use_dpi 96

echo "== unit tests under Wine"
ctest --test-dir "$build" --output-on-failure --no-tests=error -j2

for dpi in 144 192; do
  echo "== the window's tests at $dpi dpi"
  use_dpi "$dpi"
  ctest --test-dir "$build" --output-on-failure --no-tests=error -R '^win32_window_test$'
done
use_dpi 96

echo "== end-to-end runs of config.exe"
bash "$here/e2e.sh" "$exe"
