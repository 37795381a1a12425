#!/usr/bin/env bash
# `make test`: set-up, the builds, then every test: the native unit tests
# (ASan + UBSan), a check of the release program, and the Windows tests
# under Wine, each world driven by one ctest.
set -uo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh || exit 1
source tools/wine-env.sh
source tools/xvfb.sh

status=0
cmake --preset native >/dev/null && cmake --build --preset native || exit 1
ctest --preset native -j2 || status=1

# The libFuzzer targets are built (not run) so they keep compiling.
if ls tests/fuzz/*_fuzz.cpp >/dev/null 2>&1; then
  cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || status=1
fi

# The release program is always the 32-bit build.
cmake --preset win32 >/dev/null && cmake --build --preset win32 || exit 1
bash tools/check_artifact.sh dist/qinglan.exe || status=1

# The Windows tests run on the 32-bit build where this kernel can start
# 32-bit code, otherwise on the x86-64 build of the same sources.
winpreset=win32
if [ "$QL_WINE_BITS" = 64 ]; then
  echo "test: this kernel cannot run 32-bit code; Windows tests run on the x86-64 build under wine64"
  winpreset=win64
  cmake --preset win64 >/dev/null && cmake --build --preset win64 || exit 1
fi

# A private display and one warm wineserver for the run; Wine's system
# processes inherit stdio and never exit, hence /dev/null.
trap 'wineserver -k </dev/null >/dev/null 2>&1; stop_xvfb' EXIT
start_xvfb || exit 1
wineserver -p </dev/null >/dev/null 2>&1
"$QL_WINE" cmd /c exit </dev/null >/dev/null 2>&1
# A Windows test that fails is run once more: under Wine a test program very
# rarely dies while starting, before any test code runs.
ctest --preset "$winpreset" --repeat until-pass:2 || status=1
exit $status
