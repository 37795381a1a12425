#!/usr/bin/env bash
# tools/with-dpi.sh DPI -- COMMAND [ARGS...]
#
# Runs COMMAND in a private Wine prefix whose display resolution is DPI dots
# per inch (96 is the usual; 144 is 150 %, 192 is 200 %): a copy of the test
# prefix, made once per resolution and reused (build/wineprefix-dpiDPI;
# delete it to make it afresh), with HKCU\Control Panel\Desktop LogPixels
# set to DPI. Sets WINEPREFIX, QL_TEST_DPI (DPI, for the tests to compare
# against), QL_WINE and the other Wine variables for COMMAND; DISPLAY passes
# through. COMMAND is typically "$QL_WINE" dist/qinglan.exe, or
# tools/wine-run.sh some.exe (CTest's emulator).
#
# Environment: QL_WINEPREFIX (the test prefix to copy), QL_DPI_PREFIX (the
# private prefix).
set -euo pipefail

usage() {
  echo "usage: tools/with-dpi.sh DPI -- COMMAND [ARGS...]" >&2
  exit 64
}
say() { echo "with-dpi: $*" >&2; }

[ $# -ge 3 ] || usage
dpi=$1
shift
[[ "$dpi" =~ ^[1-9][0-9]{1,3}$ ]] || { say "'$dpi' is no resolution (e.g. 144)"; exit 64; }
[ "$1" = -- ] || usage
shift

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
base_prefix="${QL_WINEPREFIX:-$root/build/wineprefix}"
prefix="${QL_DPI_PREFIX:-$root/build/wineprefix-dpi$dpi}"

export QL_WINEPREFIX="$prefix"
source "$root/tools/wine-env.sh"

# One runner at a time prepares the prefix (CTest may start several).
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.dpi-prefix" ]; then
  [ -f "$base_prefix/system.reg" ] || { say "no test prefix at $base_prefix; run tools/setup.sh"; exit 69; }
  say "copying the test prefix to $prefix (once)"
  rm -rf "$prefix.tmp" "$prefix"
  cp -a --reflink=auto "$base_prefix" "$prefix.tmp"
  WINEPREFIX="$prefix.tmp" "$QL_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix.tmp" wineserver -w </dev/null >/dev/null 2>&1 || true
  touch "$prefix.tmp/.dpi-prefix"
  mv "$prefix.tmp" "$prefix"
fi
# A warm server that outlives one test by a minute; Wine's system processes
# start here with their output away from COMMAND's.
wineserver -p60 </dev/null >/dev/null 2>&1 || true
"$QL_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
flock -u 9
exec 9>&-

export QL_TEST_DPI="$dpi"
exec "$@"
