#!/usr/bin/env bash
# Fails when an include crosses the layers upwards: the features (inventory/
# net/ launcher/ support/ platform/) include no header of the shell (app/)
# but app/app_paths.h, and platform/ includes nothing of the folders above
# it. Names every offending line.
set -uo pipefail
cd "$(dirname "$0")/.."
bad=$(git grep --untracked -n -E '^\s*#\s*include\s*"app/' -- inventory net launcher support platform | grep -v '"app/app_paths\.h"')
bad+=$'\n'$(git grep --untracked -n -E '^\s*#\s*include\s*"(app|inventory|net|launcher|support)/' -- platform)
bad=$(sed '/^$/d' <<<"$bad")
if [ -n "$bad" ]; then
  echo "layers: includes that cross upwards:"
  sed 's/^/  /' <<<"$bad"
  exit 1
fi
echo "layers: no include crosses upwards"
