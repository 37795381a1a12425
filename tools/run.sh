#!/usr/bin/env bash
# `make run`: build the program and start it under Wine. Without a DISPLAY it
# runs on a private Xvfb, saves build/screenshot.png once the main window
# shows, and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
source tools/wine-env.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target qinglan
exe="$PWD/dist/qinglan.exe"
if [ "$QL_WINE_BITS" = 64 ]; then
  # This kernel cannot start 32-bit code: run the x86-64 build of the same sources.
  echo "run: this kernel cannot run 32-bit code; starting the x86-64 build under wine64"
  cmake --preset win64 >/dev/null
  cmake --build --preset win64 --target qinglan
  exe="$PWD/build/win64/bin/qinglan.exe"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$QL_WINE" "$exe"
fi

source tools/xvfb.sh
start_xvfb
trap 'wineserver -k </dev/null >/dev/null 2>&1 || true; stop_xvfb' EXIT
"$QL_WINE" "$exe" </dev/null >/dev/null 2>&1 &
disown $!   # ended with the wineserver at exit; no "Killed" job notice
shown=""
for _ in $(seq 1 300); do
  # The main window is the top-level window titled exactly 青岚工具箱 once viewable.
  for id in $(xwininfo -root -tree 2>/dev/null | grep -F '"青岚工具箱"' | awk '{print $1}'); do
    if xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'; then shown=$id; fi
  done
  [ -n "$shown" ] && break
  sleep 0.1
done
if [ -z "$shown" ]; then
  echo "run: the main window did not appear within 30 s" >&2
  exit 1
fi
# The last stage destroys the splash after showing the main window.
for _ in $(seq 1 100); do
  xwininfo -root -tree 2>/dev/null | grep -qF '"青岚工具箱 启动"' || break
  sleep 0.1
done
sleep 0.5   # let the page paint
import -window root build/screenshot.png
echo "run: main window shown; screenshot saved to $PWD/build/screenshot.png"
