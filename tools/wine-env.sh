# Sourced by the scripts that start Wine: our own prefix inside the build
# tree, a Chinese locale (code page 936), no Mono/Gecko prompts.
#
# Some Linux kernels run without 32-bit support (ia32 emulation off); there
# Wine's 32-bit loader cannot start at all. Then QL_WINE_BITS is 64 and the
# Windows tests run on the x86-64 build of the same sources under wine64,
# while the release program stays the 32-bit build.
ql_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${QL_WINEPREFIX:-$ql_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${QL_EXTRA_DLLOVERRIDES:+;$QL_EXTRA_DLLOVERRIDES}"
export LANG="${QL_LANG:-zh_CN.UTF-8}"
export LC_ALL="$LANG"
if [ -z "${QL_WINE_BITS:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then QL_WINE_BITS=32; else QL_WINE_BITS=64; fi
fi
export QL_WINE_BITS
if [ "$QL_WINE_BITS" = 32 ]; then
  QL_WINE=wine
else
  QL_WINE=/usr/lib/wine/wine64
  export WINELOADER=/usr/lib/wine/wine64
fi
export QL_WINE
