#!/usr/bin/env bash
# Installs the Debian packages that the given purposes need (default: run):
#   run      build and start the dialog
#   test     the Linux tests: GoogleTest, sanitizers and fuzzing, the window under X and Wayland,
#            the package
#   windows  cross-build the Windows program and run its tests under 32-bit Wine (i386), or
#            under 64-bit Wine where 32-bit Wine cannot be installed
#   windows-build  cross-build the Windows program and its tests, without Wine
#   bench    the start-up benchmark under a private X server
#   package  build the Debian package
#   lint     check Debian packages with lintian
#   package-test  check the contents of a package made from a build folder
#   fuzz     fuzz the file reader with clang's libFuzzer
#   release  make the release files (the Debian package, the 32-bit Windows program in a zip)
#            and check them
#   compare  show where two builds of the release files differ (diffoscope)
#   debian-13  make the Debian 13 root that scripts/test-debian-13.sh runs the tests in
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

# Every purpose builds with these.
build=(cmake ninja-build g++ pkgconf)
run=(qt6-base-dev fonts-dejavu-core)
package=(dpkg-dev)
lint=(lintian)
package_test=("${package[@]}" "${lint[@]}" desktop-file-utils)
# The fuzzer lives among the unit tests: clang with its sanitizer and libFuzzer runtimes.
unit=(googletest libgtest-dev libgmock-dev)
fuzz=("${unit[@]}" clang libclang-rt-dev)
test=(
  # unit tests and the fuzzer
  "${fuzz[@]}"
  # the window end to end, and screenshots, under a real X server
  xvfb xauth xdotool x11-utils libx11-dev imagemagick time
  # what the program opens at start-up, traced
  strace
  # the window end to end on a headless Wayland compositor, and its screenshots
  sway wtype grim qt6-wayland
  # the accessibility test: the AT-SPI stack, a session bus, and pyatspi for the system python3
  at-spi2-core dbus-x11 python3-pyatspi
  # the package's smoke test and lintian; the release files built twice and compared
  "${package_test[@]}" zip unzip
)
# the cross compiler; the tests build GoogleTest from its sources
windows_build=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
)
windows=(
  "${windows_build[@]}"
  # the tests under Wine on a virtual X display: of the 32-bit program under 32-bit Wine, from
  # the i386 architecture (added below when it is missing); on a machine that runs no 32-bit
  # programs, of the 64-bit build under 64-bit Wine (scripts/runs-32-bit.sh)
  wine xvfb xauth xdotool
)
bench=(xvfb xauth libx11-dev time valgrind)
release=(
  git "${package[@]}" "${lint[@]}" g++-mingw-w64-i686-posix binutils-mingw-w64-i686 zip unzip
)
compare=(diffoscope)
debian_13=(debootstrap)

packages=("${build[@]}")
for purpose in "${@:-run}"; do
  case $purpose in
    run) packages+=("${run[@]}") ;;
    test) packages+=("${run[@]}" "${test[@]}") ;;
    windows)
      packages+=("${windows[@]}")
      if bash "$(dirname "$0")/runs-32-bit.sh"; then packages+=(wine32:i386); else packages+=(wine64); fi
      ;;
    windows-build) packages+=("${windows_build[@]}") ;;
    bench) packages+=("${run[@]}" "${bench[@]}") ;;
    package) packages+=("${run[@]}" "${package[@]}") ;;
    lint) packages+=("${lint[@]}") ;;
    package-test) packages+=("${run[@]}" "${package_test[@]}") ;;
    fuzz) packages+=("${run[@]}" "${fuzz[@]}") ;;
    release) packages+=("${run[@]}" "${release[@]}") ;;
    compare) packages+=("${compare[@]}") ;;
    debian-13) packages+=("${debian_13[@]}") ;;
    *)
      echo "setup.sh: unknown purpose '$purpose' (run, test, windows, windows-build, bench, package, lint," \
        "package-test, fuzz, release, compare, debian-13)" >&2
      exit 2
      ;;
  esac
done

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
# One source that fails (a mirror in the middle of a sync) need not stop the install: the
# packages may all be there, and apt-get install says which are not.
"${sudo[@]}" apt-get update -q || echo "setup.sh: some package lists could not be updated" >&2
install() { "${sudo[@]}" apt-get install -y -q --no-install-recommends "$@"; }
# Debian's i386 package lists may lag behind the amd64 ones for days, and 32-bit Wine then has
# broken dependencies. Without it the Windows tests run the 64-bit build under 64-bit Wine
# (scripts/wine-runs-32-bit.sh), so the rest is installed with 64-bit Wine instead.
if ! install "${missing[@]}"; then
  [[ " ${missing[*]} " == *" wine32:i386 "* ]] || exit 1
  echo "setup.sh: wine32:i386 cannot be installed now; the Windows tests will run the 64-bit build under 64-bit Wine" >&2
  install "${missing[@]/#wine32:i386/wine64}"
fi
