#!/usr/bin/env bash
# Exits 0 when the Windows tests run the 32-bit build here: the machine runs 32-bit programs
# (scripts/runs-32-bit.sh) and 32-bit Wine is installed. Where Debian's i386 package lists lag
# behind, wine32:i386 cannot be installed (scripts/setup.sh says so); the tests then run the
# 64-bit build under 64-bit Wine, as on a machine that runs no 32-bit programs.
set -euo pipefail
bash "$(dirname "$0")/runs-32-bit.sh"
[[ $(dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null) == "install ok installed" ]]
