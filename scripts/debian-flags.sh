# Debian's build flags for the package, as CMake arguments in the array debian_flags: those of
# dpkg-buildflags with every hardening feature (fortify, stack protector, PIE, relro and bindnow,
# and since dpkg 1.22 stack-clash and branch protection). Sourced by scripts/package.sh and by the
# package part of scripts/test.sh, so that the package and its test build alike; a plain cmake
# build keeps the flags its builder gives. Needs dpkg-dev and the variable root.
#
# Debian 12's dpkg 1.21 has no stackclash and no branch feature. There the flags that later dpkg
# gives for them on this architecture are appended, through dpkg-buildflags' own
# DEB_CXXFLAGS_MAINT_APPEND. CMake reads no CPPFLAGS, so they go with the compiler's flags, as
# debhelper does.

# Where dpkg 1.22 turns stack-clash protection on, and its flag for branch protection.
readonly kStackClashArchitectures=" amd64 arm64 armel armhf i386 ppc64el riscv64 s390x "
declare -rA kBranchProtection=([amd64]=-fcf-protection [arm64]=-mbranch-protection=standard)

debian_arch=$(dpkg-architecture -qDEB_HOST_ARCH)
debian_features=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --query-features hardening)
debian_appended=()
if ! grep -qx 'Feature: stackclash' <<<"$debian_features" &&
  [[ $kStackClashArchitectures == *" $debian_arch "* ]]; then
  debian_appended+=(-fstack-clash-protection)
fi
if ! grep -qx 'Feature: branch' <<<"$debian_features" &&
  [[ -v kBranchProtection[$debian_arch] ]]; then
  debian_appended+=("${kBranchProtection[$debian_arch]}")
fi

# Run in the source folder: dpkg-buildflags maps the folder it runs in to "." in file names.
debian_buildflags() {
  (cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all \
    DEB_CXXFLAGS_MAINT_APPEND="${debian_appended[*]}" dpkg-buildflags --get "$1")
}
debian_flags=(
  "-DCMAKE_CXX_FLAGS=$(debian_buildflags CPPFLAGS) $(debian_buildflags CXXFLAGS)"
  "-DCMAKE_EXE_LINKER_FLAGS=$(debian_buildflags LDFLAGS)"
)
