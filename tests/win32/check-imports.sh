#!/usr/bin/env bash
# Shows from a config.exe's PE headers and import table which Windows it starts on. Windows'
# loader refuses an exe that imports a function the running Windows lacks, before any of its code
# runs; Wine loads it anyway, so only this check catches such an import. It passes when the exe
# is a Windows GUI program that asks for no Windows newer than 7 (version 6.1), imports only the
# system DLLs that have a list in win7-imports/, and from each only functions on that list, all
# present on Windows 7 SP1. Usage: check-imports.sh OBJDUMP path/to/config.exe
set -euo pipefail
objdump=$1
exe=$2
lists=$(cd "$(dirname "$0")" && pwd)/win7-imports

"$objdump" -p "$exe" | awk -v exe="$(basename "$exe")" -v lists="$lists" '
  function fail(message) { print "FAILED: " exe " " message > "/dev/stderr"; failed = 1 }
  function load(dll,   file, line) {
    file = lists "/" dll ".txt"
    if ((getline line < file) < 0) {
      fail("imports " dll ".dll, which is not a Windows system DLL with a list in win7-imports/")
      return
    }
    do { if (line !~ /^#/ && line != "") known[dll, line] = 1 } while ((getline line < file) > 0)
    close(file)
  }
  /^(Major|Minor)(OSystem|Subsystem)Version/ { version[$1] = $2 }
  /^Subsystem/ { subsystem = $2 + 0 }
  /^[^ \t]/ { dll = "" }
  /^\tDLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll); load(dll); next }
  # Two layouts of the rows: binutils up to 2.40 (Debian 12) prints "vma Hint/Ord Member-Name",
  # with the ordinal in the second column and "<none>" as the name of an import by ordinal;
  # later ones (Debian 13) print "vma Ordinal Hint Member-Name", with "<none>" in the columns
  # that do not apply.
  dll != "" && /^\tvma:/ { by_ordinal = /Ordinal/; name_column = by_ordinal ? 4 : 3; next }
  dll != "" && /^\t[0-9a-f]+[ \t]/ {
    imports++
    name = NF < name_column ? "<none>" : $name_column
    if (name == "<none>" || (by_ordinal && $2 != "<none>")) fail("imports ordinal " $2 " of " dll ".dll; import by name")
    else if (!((dll, name) in known)) fail("imports " name " of " dll ".dll, which Windows 7 SP1 lacks (not in win7-imports/" dll ".txt)")
  }
  END {
    if (subsystem != 2) fail("is not a Windows GUI program (subsystem " subsystem ")")
    split("OSystem Subsystem", kinds, " ")
    for (i in kinds) {
      major = version["Major" kinds[i] "Version"] + 0
      minor = version["Minor" kinds[i] "Version"] + 0
      if (major > 6 || (major == 6 && minor > 1)) fail("asks for Windows " major "." minor " (" kinds[i] " version field); 6.1 is Windows 7")
    }
    if (imports == 0) fail("shows no imported functions")
    if (!failed) print exe ": " imports " imported functions, all on the Windows 7 SP1 lists; GUI subsystem; OS version fields <= 6.1"
    exit failed
  }'
