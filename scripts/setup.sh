#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the program needs.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkgconf
  # tests: GoogleTest, and clang with its sanitizer/libFuzzer runtimes
  googletest libgtest-dev clang libclang-rt-dev
  # the Linux window
  qt6-base-dev fonts-dejavu-core
  # end-to-end tests, screenshots and the benchmark under a real X server
  xvfb xauth xdotool x11-utils libx11-dev imagemagick time
  # the accessibility test: the AT-SPI stack, a session bus, and pyatspi for the system python3
  at-spi2-core dbus-x11 python3-pyatspi
  # the Windows build and its tests under Wine
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
