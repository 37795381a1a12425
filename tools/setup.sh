#!/usr/bin/env bash
# Idempotent set-up: installs the Debian packages the two builds need and
# prepares the project's own Wine prefix (never ~/.wine). Safe to run often.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix="${QL_WINEPREFIX:-$here/build/wineprefix}"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  updated=0
fi
for p in g++ make cmake googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xauth \
         locales fonts-wqy-microhei imagemagick python3 x11-utils clang clang-format clang-tidy libclang-rt-14-dev binutils; do
  have_pkg "$p" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qiE '^zh_CN\.utf-?8$'; then
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# The Wine prefix, created once inside the build tree.
if [ ! -f "$prefix/system.reg" ] || [ ! -d "$prefix/drive_c/windows/system32" ]; then
  echo "setup: creating Wine prefix in $prefix"
  mkdir -p "$prefix"
  (
    QL_WINEPREFIX="$prefix" source "$here/tools/wine-env.sh"
    "$QL_WINE" wineboot -i </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  )
fi
