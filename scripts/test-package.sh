#!/usr/bin/env bash
# Packs the program of an existing build folder (default build/) as a .deb, once without and once
# with a game folder for the menu entry, and checks each package: the files it holds, its version
# against the changelog's and the manual page's, the Depends that dpkg-shlibdeps found, every
# library of the unpacked program resolved by ldd, the menu entry's fields and validity, and
# lintian's verdict (scripts/lint-package.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
game_dir=/opt/krovan3d

bash "$root/scripts/setup.sh" package-test
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "test-package.sh: $*" >&2
  exit 1
}

files=(
  ./usr/games/krovan3d-config
  ./usr/share/doc/krovan3d-config/changelog.gz
  ./usr/share/doc/krovan3d-config/copyright
  ./usr/share/icons/hicolor/32x32/apps/krovan3d-config.png
  ./usr/share/lintian/overrides/krovan3d-config
  ./usr/share/man/man6/krovan3d-config.6.gz
)
desktop=./usr/share/applications/krovan3d-config.desktop

for game in "$game_dir" ""; do
  cmake -S "$root" -B "$build" -DKROVAN_GAME_DIR="$game" >/dev/null
  rm -f "$build"/krovan3d-config_*.deb
  (cd "$build" && cpack -G DEB >/dev/null)
  deb=$build/krovan3d-config_${version}_$(dpkg --print-architecture).deb
  [[ -f $deb ]] || fail "no package $deb"

  expected=("${files[@]}")
  [[ -n $game ]] && expected+=("$desktop")
  listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
  [[ $listed == "$(printf '%s\n' "${expected[@]}" | sort)" ]] ||
    fail "with KROVAN_GAME_DIR='$game' the package holds:"$'\n'"$listed"
  dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks Qt: $deb"
  [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "$deb is not version $version"
  [[ $(dpkg-parsechangelog -l "$root/packaging/changelog" -S Version) == "$version" ]] ||
    fail "packaging/changelog does not start with version $version"
  grep -q "^\.TH .* \"krovan3d-config $version\"" "$root/config/qt/krovan3d-config.6" ||
    fail "the manual page does not name version $version"
  bash "$root/scripts/lint-package.sh" "$deb"

  unpacked=$scratch/root${game//\//-}
  dpkg -x "$deb" "$unpacked"
  libraries=$(ldd "$unpacked/usr/games/krovan3d-config")
  grep 'not found' <<<"$libraries" && fail "unresolved libraries"
  if [[ -n $game ]]; then
    entry=$unpacked/$desktop
    grep -qx "Path=$game_dir" "$entry" || fail "menu entry without Path=$game_dir"
    grep -qx "Exec=/usr/games/krovan3d-config" "$entry" || fail "menu entry with a wrong Exec="
    [[ -z $(desktop-file-validate "$entry") ]] || fail "$(desktop-file-validate "$entry")"
  fi
done
echo "test-package.sh: both packages hold what they should"
