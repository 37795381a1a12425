#!/usr/bin/env bash
# Fails when clang-format would change any tracked C++ file; names them.
set -uo pipefail
cd "$(dirname "$0")/.."
bad=()
while IFS= read -r -d '' f; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(git ls-files -z '*.cpp' '*.h')
if [ ${#bad[@]} -gt 0 ]; then
  echo "format: clang-format would change ${#bad[@]} file(s); run: clang-format -i ${bad[*]}"
  exit 1
fi
echo "format: every tracked C++ file is clang-format clean"
