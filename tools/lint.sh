#!/usr/bin/env bash
# `make lint`: clang-tidy with the checks of .clang-tidy over the program's
# sources (app/ inventory/ net/ launcher/ support/ platform/). The portable
# sources are read as the native build compiles them (its
# compile_commands.json); the Windows-only *_win.cpp sources as the win32
# build does, with clang targeting i686-w64-mingw32 against mingw's headers.
# Not part of `make test`. Fails when clang-tidy reports anything.
set -uo pipefail
cd "$(dirname "$0")/.."
command -v clang-tidy >/dev/null || { echo "lint: clang-tidy is missing (tools/setup.sh installs it)"; exit 1; }
cmake --preset native >/dev/null || exit 1
cmake --preset win32 >/dev/null || exit 1
mkdir -p build/lint
python3 - "$PWD" <<'PY' || exit 1
import json, os, re, shlex, subprocess, sys
root = sys.argv[1]
folders = ('app', 'inventory', 'net', 'launcher', 'support', 'platform')
def ours(path):
    rel = os.path.relpath(path, root)
    return rel.split(os.sep)[0] in folders
out = []
# Portable sources: the native commands, minus the execution charset clang
# does not know (the literals' bytes do not matter to the checks).
for e in json.load(open(f'{root}/build/native/compile_commands.json')):
    if not ours(e['file']) or '/tests/' in e['file']:
        continue
    args = [a for a in shlex.split(e['command']) if not a.startswith('-fexec-charset')]
    out.append({'directory': e['directory'], 'file': e['file'], 'arguments': args})
# Windows sources: the win32 commands through clang with mingw's C++ headers.
gxx = 'i686-w64-mingw32-g++-posix'
listing = subprocess.run([gxx, '-xc++', '-E', '-v', '/dev/null'], capture_output=True, text=True).stderr
cxx = [l.strip() for l in listing.splitlines() if l.startswith(' /') and '/include/c++' in l]
for e in json.load(open(f'{root}/build/win32/compile_commands.json')):
    f = e['file']
    if not ours(f) or not f.endswith('_win.cpp'):
        continue
    args = ['clang++', '--target=i686-w64-mingw32', '-nostdinc++'] + [f'-isystem{d}' for d in cxx]
    for a in shlex.split(e['command'])[1:]:
        if a.startswith('@'):  # the response file of include directories
            args += shlex.split(open(os.path.join(e['directory'], a[1:])).read())
        elif a.startswith(('-D', '-I', '-std=')):
            args.append(a)
    args += ['-c', f]
    out.append({'directory': e['directory'], 'file': f, 'arguments': args})
json.dump(out, open(f'{root}/build/lint/compile_commands.json', 'w'), indent=1)
print(f'lint: {len(out)} sources')
PY
files=$(python3 -c "import json; print('\n'.join(e['file'] for e in json.load(open('build/lint/compile_commands.json'))))")
log=build/lint/clang-tidy.log
: >"$log"
failed=0
# Two at a time: the machine is shared.
xargs -P 2 -n 1 clang-tidy -p build/lint --quiet <<<"$files" >"$log" 2>&1 || failed=1
grep -E "(warning|error):" "$log" | sort -u
if [ "$failed" != 0 ] || grep -qE "(warning|error):" "$log"; then
  echo "lint: clang-tidy found problems (full output: $log)"
  exit 1
fi
echo "lint: clang-tidy found nothing"
