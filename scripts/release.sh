#!/usr/bin/env bash
# Makes the release files in dist/:
#   krovan3d-config-<version>-windows.zip  what a Windows player downloads: config.exe, the 32-bit
#                                          build that runs on 32- and 64-bit Windows, and
#                                          config-readme.txt (CR LF)
#   krovan3d-config_<version>_<arch>.deb   the Debian package of scripts/package.sh, checked by
#                                          lintian
#   SHA256SUMS                             the checksums of both
# The version is the project's (CMakeLists.txt). Every date in the files is the last commit's
# (SOURCE_DATE_EPOCH, unless it is set already) and no build path is in them, so the same commit
# gives the same bytes in any clone at any time; scripts/test-release.sh checks that.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dist=$root/dist
windows_build=$root/build-windows-release

bash "$root/scripts/setup.sh" release
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  if ! SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct); then
    echo "release.sh: the release is made from a git clone: its dates are the last commit's" >&2
    exit 1
  fi
  export SOURCE_DATE_EPOCH
fi
if [[ -n $(git -C "$root" status --porcelain --untracked-files=no 2>/dev/null) ]]; then
  echo "release.sh: warning: changes that are not committed go into these files" >&2
fi

# The Windows program as the Windows build makes it (scripts/build-windows.sh), in a folder of its
# own so that no option of an earlier build reaches the release.
cmake -S "$root" -B "$windows_build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DKROVAN_BUILD_TESTS=OFF
cmake --build "$windows_build" --target config
bash "$root/scripts/package.sh"
deb=$(echo "$root"/build-deb/krovan3d-config_*.deb)
bash "$root/scripts/lint-package.sh" "$deb"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows_build/CMakeCache.txt")
zip_name=krovan3d-config-$version-windows.zip
rm -rf "$dist"
mkdir -p "$dist"

# The zip holds its two files in a fixed order, with the commit's date as UTC, fixed permissions
# and no extra fields (-X: no owner, no other dates).
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
cp "$windows_build/bin/config.exe" "$staging/config.exe"
sed 's/\r*$/\r/' "$root/packaging/windows-readme.txt" >"$staging/config-readme.txt"
chmod 0755 "$staging/config.exe"
chmod 0644 "$staging/config-readme.txt"
touch -d "@$SOURCE_DATE_EPOCH" "$staging/config.exe" "$staging/config-readme.txt"
(cd "$staging" && TZ=UTC zip -q -X -D "$dist/$zip_name" config.exe config-readme.txt)

cp "$deb" "$dist/"
(cd "$dist" && sha256sum -- "$zip_name" "$(basename "$deb")" >SHA256SUMS)
echo "release.sh: in $dist:"
(cd "$dist" && stat -c '%s bytes  %n' -- * && cat SHA256SUMS)
