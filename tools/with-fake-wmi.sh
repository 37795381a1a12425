#!/usr/bin/env bash
# tools/with-fake-wmi.sh DATA [MODE] -- COMMAND [ARGS...]
#
# Runs COMMAND in a private Wine prefix where the project's test WMI provider
# (tests/fake_wmi, built as wbemprox.dll) stands in for Wine's, serving the
# machine described in DATA (a file on this machine, e.g.
# tests/data/wmi/worked-example.txt). MODE is empty (serve the data), hang,
# fail or slow:N (see tests/fake_wmi/provider_mode.h).
#
# The private prefix is a copy of the test prefix, made once and reused
# (build/wineprefix-fakewmi; delete it to make it afresh). Each run puts the
# provider in place for the bitness in use, writes DATA's [HKLM\...]
# sections into that prefix's registry, and sets WINEPREFIX, QL_FAKE_WMI
# (DATA as a Windows path), QL_FAKE_WMI_MODE, QL_WINE and the other Wine
# variables for COMMAND; DISPLAY passes through. COMMAND is typically
# "$QL_WINE" some.exe, or tools/wine-run.sh some.exe (CTest's emulator).
#
# Runs that overlap share the prefix and its registry, so run them one at a
# time (the CTest tests that use it hold the resource lock fake_wmi_prefix).
#
# Environment: QL_FAKE_WMI_DIR (where wbemprox.dll and fake_wmi_registry.exe
# are; default build/win32/fake_wmi, or build/win64/fake_wmi where only
# 64-bit Wine runs), QL_FAKE_WMI_PREFIX (the private prefix), QL_WINEPREFIX
# (the test prefix to copy).
set -euo pipefail

usage() {
  echo "usage: tools/with-fake-wmi.sh DATA [hang|fail|slow:N] -- COMMAND [ARGS...]" >&2
  exit 64
}
say() { echo "with-fake-wmi: $*" >&2; }

[ $# -ge 3 ] || usage
data=$1
shift
mode=
if [ "$1" != -- ]; then
  mode=$1
  shift
fi
[ "${1:-}" = -- ] || usage
shift
[ $# -ge 1 ] || usage
case "$mode" in
  "" | hang | fail) ;;
  *) [[ "$mode" =~ ^slow:[0-9]+$ ]] || { say "'$mode' is no mode (hang, fail, slow:N)"; exit 64; } ;;
esac
[ -f "$data" ] || { say "no data file $data"; exit 66; }
data=$(realpath "$data")

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
base_prefix="${QL_WINEPREFIX:-$root/build/wineprefix}"
prefix="${QL_FAKE_WMI_PREFIX:-$root/build/wineprefix-fakewmi}"

# The Wine variables of the private prefix; wine-env.sh (also sourced again
# by tools/wine-run.sh) builds WINEDLLOVERRIDES from QL_EXTRA_DLLOVERRIDES.
export QL_WINEPREFIX="$prefix"
export QL_EXTRA_DLLOVERRIDES="wbemprox=n${QL_EXTRA_DLLOVERRIDES:+;$QL_EXTRA_DLLOVERRIDES}"
source "$root/tools/wine-env.sh"

dir="${QL_FAKE_WMI_DIR:-$root/build/win$QL_WINE_BITS/fake_wmi}"
dll="$dir/wbemprox.dll"
tool="$dir/fake_wmi_registry.exe"
if [ ! -f "$dll" ] || [ ! -f "$tool" ]; then
  say "the provider is not built in $dir; run:"
  say "  cmake --preset win$QL_WINE_BITS && cmake --build --preset win$QL_WINE_BITS --target wbemprox fake_wmi_registry"
  exit 69
fi

# One runner at a time prepares the prefix (CTest may start several).
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.fake-wmi-prefix" ]; then
  [ -f "$base_prefix/system.reg" ] || { say "no test prefix at $base_prefix; run tools/setup.sh"; exit 69; }
  say "copying the test prefix to $prefix (once)"
  rm -rf "$prefix.tmp" "$prefix"
  cp -a --reflink=auto "$base_prefix" "$prefix.tmp"
  touch "$prefix.tmp/.fake-wmi-prefix"
  mv "$prefix.tmp" "$prefix"
fi

# COM loads the locator from its registered path, C:\windows\system32\wbem,
# which 32-bit processes on a 64-bit prefix see as syswow64\wbem. The copy
# is renamed into place, so a process still holding the old file keeps it.
if [ "$QL_WINE_BITS" = 32 ] && [ -d "$prefix/drive_c/windows/syswow64" ]; then
  target="$prefix/drive_c/windows/syswow64/wbem/wbemprox.dll"
else
  target="$prefix/drive_c/windows/system32/wbem/wbemprox.dll"
fi
if ! cmp -s "$dll" "$target"; then
  cp "$dll" "$target.new"
  mv -f "$target.new" "$target"
fi

export QL_FAKE_WMI="Z:${data//\//\\}"
if [ -n "$mode" ]; then export QL_FAKE_WMI_MODE="$mode"; else unset QL_FAKE_WMI_MODE; fi

# A warm server that outlives one test by a minute, and Wine's system
# processes started here with their output away from COMMAND's (they would
# otherwise hold a caller's pipe open). The registry tool is that first
# process; what it reports is shown, and COMMAND runs in any case: a
# malformed data file is a case worth running (the provider serves nothing).
wineserver -p60 </dev/null >/dev/null 2>&1 || true
log=$(mktemp)
if ! "$QL_WINE" "$tool" "$QL_FAKE_WMI" </dev/null >"$log" 2>&1; then
  say "the registry sections of $data were not written:"
  sed 's/^/  /' "$log" >&2
fi
rm -f "$log"
flock -u 9
exec 9>&-

exec "$@"
