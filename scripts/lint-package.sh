#!/usr/bin/env bash
# Checks the given Debian packages with lintian and fails on any error or warning whose tag is not
# in packaging/lintian-accepted-tags. Tags of the build's hardening and of the menu entry fail at
# every level, info and pedantic included: the package is built with all of Debian's hardening
# flags, and its menu entry has every field lintian asks for. Usage: lint-package.sh PACKAGE.deb...
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh" lint
status=0
report=$(lintian --display-info --pedantic --fail-on error,warning \
  --suppress-tags-from-file "$root/packaging/lintian-accepted-tags" "$@") || status=$?
[[ -z $report ]] || echo "$report"
if grep -qE '^[A-Z]: [^ ]+( [^ ]+)?: (hardening|desktop-entry)-' <<<"$report"; then
  echo "lint-package.sh: lintian names a hardening or menu entry tag" >&2
  status=1
fi
exit "$status"
