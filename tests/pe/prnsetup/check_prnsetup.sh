#!/usr/bin/env bash
# check_prnsetup.sh <PrnSetup.exe> <logos folder>
# Reads the i686 image: 32-bit GUI program, DEP and ASLR marked, only core
# system DLLs imported, the manifest and every carried resource present
# (the programs packed).
set -uo pipefail
exe=$1
logos=$2
objdump=i686-w64-mingw32-objdump
windres=i686-w64-mingw32-windres
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

headers=$($objdump -p "$exe") || { echo "cannot read $exe"; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "not an i686 image"
grep -Eq '^Subsystem\s+00000002' <<<"$headers" || fail "not a GUI program"
characteristics=$(awk '/^DllCharacteristics/ {print $2}' <<<"$headers")
(( (16#$characteristics & 0x40) )) || fail "no dynamic base"
(( (16#$characteristics & 0x100) )) || fail "not marked NX compatible"

# Everything else (winspool, setupapi, …) is loaded at run time from System32.
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|OLE32|COMCTL32|msvcrt)\.dll$'
while read -r dll; do
  grep -Eiq "$allowed" <<<"$dll" || fail "static import of $dll"
done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")

resources=$($windres -J coff -i "$exe" -O rc 2>/dev/null) || fail "cannot read resources"
for name in RC_STRINGS_INI_EN RC_STRINGS_INI_CN RC_STRINGS_INI_CHT; do
  grep -q "^\"$name\" RCDATA" <<<"$resources" || fail "resource $name missing"
done
# The programs travel packed, under a type of their own.
for name in INST2KDLL INST2K64DLL PRNSETUP64EXE; do
  grep -q "^\"$name\" \"LZNT1\"" <<<"$resources" || fail "packed resource $name missing"
done
for logo in "$logos"/*.bmp; do
  [ -e "$logo" ] || continue
  name=$(basename "$logo" .bmp)
  grep -Eq "^\"$name\" 2 /\* RT_BITMAP \*/" <<<"$resources" || fail "bitmap $name missing"
done

text=$(strings -a "$exe")
grep -q 'level="requireAdministrator" uiAccess="false"' <<<"$text" || fail "manifest lacks requireAdministrator"
grep -q 'Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$text" || fail "manifest lacks common controls 6"
grep -q 'supportedOS' <<<"$text" && fail "manifest declares supported systems"

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "PrnSetup.exe image checks passed"
