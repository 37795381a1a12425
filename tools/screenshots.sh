#!/usr/bin/env bash
# Screenshots of every main page, for looking at by eye: builds the program
# and the screenshot tool, runs it on a private Xvfb and converts the BMPs to
# PNG in build/<preset>/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
source tools/wine-env.sh
source tools/xvfb.sh
preset=win32
[ "$QL_WINE_BITS" = 64 ] && preset=win64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target qinglan page_screenshots
start_xvfb
trap 'wineserver -k </dev/null >/dev/null 2>&1 || true; stop_xvfb' EXIT
"$QL_WINE" "build/$preset/page_screenshots.exe" </dev/null
for bmp in "build/$preset/screenshots"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo "screenshots: $PWD/build/$preset/screenshots"
