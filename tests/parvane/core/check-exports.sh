#!/usr/bin/env bash
# The export table of Parvane.dll: ordinals 1-26, no names; it imports only the kernel and
# the C runtime; a program linked with the import library imports it by ordinal.
#   check-exports.sh Parvane.dll ParvaneImportTest.exe [objdump]
set -euo pipefail
dll="$1"
exe="$2"
objdump="${3:-i686-w64-mingw32-objdump}"
table="$($objdump -p "$dll")"
fail() { echo "FAIL: $*"; exit 1; }

echo "$table" | sed -n '/^The Export Tables/,/^$/p;/Export Address Table --/,/^$/p;/Ordinal\/Name Pointer/,/^$/p'

grep -qE "Ordinal Base[[:space:]]+1$" <<< "$table" || fail "ordinal base is not 1"
count="$(echo "$table" | sed -n '/Export Address Table --/,/^$/p' | grep -c 'Export RVA')"
[ "$count" -eq 26 ] || fail "$count exported entries, want 26"
names="$(echo "$table" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk 'NR>1 && NF>0' | wc -l)"
[ "$names" -eq 0 ] || fail "$names exported names, want none"

dlls="$(echo "$table" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')"
echo "imports: $dlls"
[ "$dlls" = "kernel32.dll msvcrt.dll " ] || fail "Parvane.dll imports $dlls"

imports="$($objdump -p "$exe" | sed -n '/DLL Name: Parvane.dll/,/^$/p')"
echo "$imports"
[ -n "$imports" ] || fail "the test program does not import Parvane.dll"
# Each entry: a thunk with the ordinal flag (0x80000000) and no member name.
entries="$(echo "$imports" | awk 'NR>2 && NF>0')"
[ -n "$entries" ] || fail "no imports from Parvane.dll"
byname="$(echo "$entries" | awk '$1 !~ /^8/ || $3 != "<none>"')"
[ -z "$byname" ] || fail "imports not by ordinal: $byname"
echo "ok"
