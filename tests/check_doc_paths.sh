#!/usr/bin/env bash
# Fails when a section of a document names, in backticks, a file that the repository does not
# hold: the map of what to change must lead to real files. A name with a `*` must match one.
# Usage: check_doc_paths.sh repository document "section heading"
set -euo pipefail
root=$1
section=$(awk -v heading="## $3" '$0 == heading {inside = 1; next} /^## / {inside = 0} inside' "$2")
[[ -n $section ]] || { echo "no section '$3' in $2"; exit 1; }
missing=0
while IFS= read -r path; do
  if ! compgen -G "$root/$path" >/dev/null; then
    echo "$2, '$3': no file $path"
    missing=1
  fi
done < <(grep -o '`[A-Za-z0-9_.*/-]*/[A-Za-z0-9_.*-]*`' <<<"$section" | tr -d '`' | sort -u)
exit "$missing"
