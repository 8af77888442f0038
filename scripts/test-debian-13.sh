#!/usr/bin/env bash
# Runs the tests that differ by Debian release on Debian 13, from a Debian 12 (or any Debian)
# machine: in a minimal Debian 13 root made with debootstrap, from the package source this
# machine uses, a fresh clone of this repository's HEAD runs `scripts/test.sh` with the given
# parts (default: linux package fuzz windows-build, all that depends on the release's compilers,
# Qt and tools; the Windows tests under Wine are left out for CI's time).
#
# The root, with what scripts/setup.sh installs for the tests, is kept in $KROVAN_ROOT_CACHE
# (default /var/cache/krovan3d-ci) and used again while it is valid: made from the same package
# source with the same setup.sh, less than a week ago. Each run works on an overlay of it, which
# is thrown away afterwards, so the kept root stays as debootstrap and setup.sh left it.
# Needs root (debootstrap, mounts, chroot).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
readonly kSuite=trixie kMaxAgeDays=7
cache=${KROVAN_ROOT_CACHE:-/var/cache/krovan3d-ci}/debian-13
parts=("$@")
[[ $# -gt 0 ]] || parts=(linux package fuzz windows-build)

[[ $(id -u) -eq 0 ]] || { echo "test-debian-13.sh: run it as root" >&2; exit 2; }
bash "$root/scripts/setup.sh" debian-13

# The machine's own Debian package source, from deb822 sources or a classic sources.list.
mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
[[ -n $mirror ]] ||
  mirror=$(awk '$1 == "deb" && $2 !~ /^\[/ {print $2; exit}' /etc/apt/sources.list 2>/dev/null)
mirror=${mirror:-http://deb.debian.org/debian}
mirror=${mirror%/}
key=$({ echo "$kSuite $mirror"; cat "$root/scripts/setup.sh"; } | sha256sum | cut -d' ' -f1)

mounted=()
run=
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
  mounted=()
  [[ -n $run ]] && rm -rf --one-file-system "$run"
  run=
}
trap cleanup EXIT

# A clean environment inside a root: the machine's own variables may name tools it lacks.
in_root() {
  chroot "$1" env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "${@:2}"
}

# Binds the machine's /proc, /sys, /dev and /dev/pts into root $1 and gives it a /dev/shm that
# every user may write (a bind of /dev alone shows the bare folder under the machine's own
# /dev/shm mount, where an ordinary user can make no shared memory).
enter() {
  local target=$1 d
  cp /etc/resolv.conf /etc/hosts "$target/etc/"
  for d in proc sys dev dev/pts; do
    mount --bind "/$d" "$target/$d"
    mounted+=("$target/$d")
  done
  mount -t tmpfs -o mode=1777 tmpfs "$target/dev/shm"
  mounted+=("$target/dev/shm")
}

build_root() {
  echo "test-debian-13.sh: making a Debian 13 root from $mirror in $cache"
  rm -rf --one-file-system "$cache"
  mkdir -p "$cache"
  debootstrap --variant=minbase --include=git,ca-certificates "$kSuite" "$cache/root.new" \
    "$mirror" >"$cache/debootstrap.log" 2>&1 || {
    tail -n 20 "$cache/debootstrap.log" >&2
    exit 1
  }
  enter "$cache/root.new"
  cp "$root/scripts/setup.sh" "$cache/root.new/tmp/setup.sh"
  in_root "$cache/root.new" bash /tmp/setup.sh test windows-build
  in_root "$cache/root.new" apt-get clean
  rm "$cache/root.new/tmp/setup.sh"
  cleanup
  mv "$cache/root.new" "$cache/root"
  echo "$key" >"$cache/key"
}

if [[ ! -d $cache/root || $(cat "$cache/key" 2>/dev/null) != "$key" ||
  -n $(find "$cache/key" -mtime +"$kMaxAgeDays" 2>/dev/null) ]]; then
  build_root
fi

run=$(mktemp -d "$cache/run.XXXXXX")
mkdir "$run/upper" "$run/work" "$run/root"
mount -t overlay overlay -o "lowerdir=$cache/root,upperdir=$run/upper,workdir=$run/work" \
  "$run/root"
mounted+=("$run/root")
enter "$run/root"
git clone -q "$root" "$run/root/root/krovan3d-config"
in_root "$run/root" bash -c 'cd /root/krovan3d-config && bash scripts/test.sh "$@"' test.sh \
  "${parts[@]}"
