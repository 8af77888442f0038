#!/usr/bin/env bash
# Checks the given Debian packages with lintian and fails on any error or warning whose tag is not
# in packaging/lintian-accepted-tags. Usage: lint-package.sh PACKAGE.deb...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

lintian --fail-on error,warning \
  --suppress-tags-from-file "$root/packaging/lintian-accepted-tags" "$@"
