#!/usr/bin/env bash
# Checks that the release files are rebuilt bit for bit: makes them with scripts/release.sh in this
# clone, then again in a fresh clone in another folder (with this clone's uncommitted changes), a
# little later, under another umask, time zone and locale, and fails unless the two dist/ folders
# hold the same bytes; where they differ, diffoscope shows how. Given the config.exe that the
# Windows tests ran (build-windows-x86/bin/config.exe), it also checks that the zip holds that
# very file. Usage: test-release.sh [TESTED_CONFIG_EXE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tested_exe=${1:-}

bash "$root/scripts/release.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
clone=$scratch/elsewhere/krovan3d-config
git clone -q "$root" "$clone"
git -C "$root" diff HEAD --binary | git -C "$clone" apply --allow-empty
(cd "$root" && git ls-files -z --others --exclude-standard | tar --null -T - -c) |
  tar -x -C "$clone"
(
  umask 0002
  export TZ='<+14>-14' LC_ALL=C.UTF-8
  bash "$clone/scripts/release.sh"
)

if ! diff -r "$root/dist" "$clone/dist" >/dev/null; then
  echo "test-release.sh: two builds of the release files differ:" >&2
  diff "$root/dist/SHA256SUMS" "$clone/dist/SHA256SUMS" >&2 || true
  bash "$root/scripts/setup.sh" compare
  diffoscope --exclude-directory-metadata=yes "$root/dist" "$clone/dist" >&2 || true
  exit 1
fi
if [[ -n $tested_exe ]]; then
  unzip -p "$root"/dist/krovan3d-config-*-windows.zip config.exe | cmp - "$tested_exe" || {
    echo "test-release.sh: the zip's config.exe is not $tested_exe, which the tests ran" >&2
    exit 1
  }
fi
echo "test-release.sh: both builds of the release files are the same bytes"
