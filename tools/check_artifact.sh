#!/usr/bin/env bash
# Checks the release program: one 32-bit Windows GUI file, statically linked
# (only system DLLs imported), with its manifest, version and icon.
set -uo pipefail
exe=${1:-dist/qinglan.exe}
fail() { echo "artifact: $*" >&2; exit 1; }
[ -f "$exe" ] || fail "$exe is missing"
# The PE header read directly: PE32 (optional-header magic 0x10B), machine
# i386 (0x14C), subsystem Windows GUI (2).
kind=$(python3 - "$exe" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
try:
    pe = struct.unpack_from('<I', d, 0x3C)[0]
    assert d[:2] == b'MZ' and d[pe:pe + 4] == b'PE\0\0'
    machine = struct.unpack_from('<H', d, pe + 4)[0]
    magic, = struct.unpack_from('<H', d, pe + 24)
    subsystem, = struct.unpack_from('<H', d, pe + 24 + 68)
    print(f'machine={machine:#x} magic={magic:#x} subsystem={subsystem}')
except Exception as e:
    print(f'unreadable ({e})')
PY
)
[ "$kind" = "machine=0x14c magic=0x10b subsystem=2" ] || fail "not a 32-bit GUI PE: $kind"
dump=$(i686-w64-mingw32-objdump -p "$exe")
imports=$(echo "$dump" | awk '/DLL Name:/ {print tolower($3)}' | sort -u)
for dll in $imports; do
  case "$dll" in
    libstdc++*|libgcc*|libwinpthread*|*mingw*) fail "imports the runtime DLL $dll" ;;
  esac
done
res=$(i686-w64-mingw32-objdump -s -j .rsrc "$exe" | tr -d '\n')
# Read once, then searched: `strings | grep -q` under pipefail fails whenever
# grep stops reading before strings has written its last line.
text=$(strings -a "$exe")
wide=$(strings -a -el "$exe")
grep -q 'Microsoft.Windows.Common-Controls' <<<"$text" || fail "no Common-Controls 6 manifest"
grep -q 'asInvoker' <<<"$text" || fail "manifest does not ask for asInvoker"
version=$(sed -n 's/^project(qinglan VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
[ -n "$version" ] || fail "no project version in CMakeLists.txt"
grep -qxF "$version" <<<"$wide" || fail "no version resource $version"
[ -n "$res" ] || fail "no resources"
echo "artifact: ok ($(stat -c %s "$exe") bytes; imports: $(echo $imports))"
