#!/usr/bin/env bash
# Checks the release program: one 32-bit Windows GUI file, statically linked
# (only system DLLs imported), with its manifest, version and icon.
set -uo pipefail
exe=${1:-dist/qinglan.exe}
fail() { echo "artifact: $*" >&2; exit 1; }
[ -f "$exe" ] || fail "$exe is missing"
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || fail "not a 32-bit GUI PE: $(file "$exe")"
dump=$(i686-w64-mingw32-objdump -p "$exe")
imports=$(echo "$dump" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
for dll in $imports; do
  case "$dll" in
    libstdc++*|libgcc*|libwinpthread*|*mingw*) fail "imports the runtime DLL $dll" ;;
  esac
done
res=$(i686-w64-mingw32-objdump -s -j .rsrc "$exe" | tr -d '\n')
strings -a "$exe" | grep -q 'Microsoft.Windows.Common-Controls' || fail "no Common-Controls 6 manifest"
strings -a "$exe" | grep -q 'asInvoker' || fail "manifest does not ask for asInvoker"
strings -a -el "$exe" | grep -qx '2.5.5' || fail "no version resource 2.5.5"
[ -n "$res" ] || fail "no resources"
echo "artifact: ok ($(stat -c %s "$exe") bytes; imports: $(echo $imports))"
