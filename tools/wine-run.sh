#!/usr/bin/env bash
# CTest's cross-compiling emulator: runs one Windows program under our Wine.
source "$(dirname "$0")/wine-env.sh"
exec "$QL_WINE" "$@"
