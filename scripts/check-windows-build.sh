#!/usr/bin/env bash
# Cross-builds the Windows program and its tests (scripts/build-windows.sh) and checks what
# needs no Wine: from both exes' import tables, that they start on Windows 7; and that the 32-bit
# one, the program players get, fits in 56 KiB without the C++ exception runtime.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
max_size=$((56 * 1024))

bash "$root/scripts/build-windows.sh"
for build in build-windows-x86:i686 build-windows-x64:x86_64; do
  exe=$root/${build%:*}/bin/config.exe
  bash "$root/tests/win32/check-imports.sh" "${build#*:}-w64-mingw32-objdump" "$exe"
  echo "${build%:*}/bin/config.exe: $(stat -c %s "$exe") bytes"
done
exe=$root/build-windows-x86/bin/config.exe
(($(stat -c %s "$exe") <= max_size)) || {
  echo "FAILED: $exe is larger than $max_size bytes (56 KiB)" >&2
  exit 1
}
# Nothing in config.exe throws: the C++ exception runtime, which alone would carry the type name
# of std::exception, must stay out of it.
if grep -q -a St9exception "$exe"; then
  echo "FAILED: $exe holds the C++ exception runtime (the type name of std::exception)" >&2
  exit 1
fi
# The loader maps the imported DLLs, and what they import, before the program's first line narrows
# the DLL search. Windows 7's KnownDLLs come from System32 whatever lies beside the program; any
# other DLL (comctl32, which brings uxtheme) is loaded by the program once the search is narrowed.
known_dlls=" advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll user32.dll "
for build in build-windows-x86:i686 build-windows-x64:x86_64; do
  exe=$root/${build%:*}/bin/config.exe
  for dll in $("${build#*:}-w64-mingw32-objdump" -p "$exe" | awk '/DLL Name:/ {print tolower($3)}'); do
    [[ $known_dlls == *" $dll "* ]] || {
      echo "FAILED: $exe imports $dll, which is none of Windows 7's KnownDLLs" >&2
      exit 1
    }
  done
done
echo "config.exe imports only KnownDLLs"
