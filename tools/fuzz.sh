#!/usr/bin/env bash
# The libFuzzer targets (tests/fuzz/<name>_fuzz.cpp, built by the fuzz preset)
# and their committed seed corpora (tests/fuzz/corpus/<name>/).
#
#   tools/fuzz.sh           `make fuzz`: build, then fuzz every target for
#                           FUZZ_SECONDS seconds (60 by default) from its seeds
#   tools/fuzz.sh --replay  `make test`: every seed once through its target
#
# FUZZ_TARGETS="edid web_pages" limits either mode to those targets. New
# inputs a run finds go to build/fuzz/corpus/<name>/ (never into the
# committed seeds), crashing inputs to build/fuzz/crashes/<name>/, the full
# libFuzzer output to build/fuzz/logs/<name>.log.
set -uo pipefail
cd "$(dirname "$0")/.."

mode=fuzz
[ "${1:-}" = --replay ] && mode=replay
seconds="${FUZZ_SECONDS:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "fuzz: FUZZ_SECONDS must be a whole number of seconds above 0, not '$seconds'"
  exit 2
fi

if [ "$mode" = fuzz ]; then
  bash tools/setup.sh || exit 1
  cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || {
    echo "fuzz: the fuzz build failed"
    exit 1
  }
fi

names=()
for src in tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$src" _fuzz.cpp)
  if [ -n "${FUZZ_TARGETS:-}" ] && ! [[ " $FUZZ_TARGETS " == *" $name "* ]]; then continue; fi
  names+=("$name")
done
if [ ${#names[@]} -eq 0 ]; then
  echo "fuzz: no target matches FUZZ_TARGETS='${FUZZ_TARGETS:-}'"
  exit 2
fi

mkdir -p build/fuzz/logs
# LeakSanitizer needs ptrace, which some sandboxes deny; there it aborts every
# run at exit. Leak checks are then left out, and the run says so.
leaks=()
probe=$(build/fuzz/"${names[0]}"_fuzz -runs=1 -artifact_prefix=build/fuzz/logs/probe- 2>&1) || {
  if grep -q "LeakSanitizer" <<<"$probe"; then
    echo "fuzz: LeakSanitizer cannot run here; the targets run without leak checks"
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
    leaks=(-detect_leaks=0)
  fi
}

stat() { sed -n "s/^stat::$1: *//p" "$2" | tail -1; }

failed=()
for name in "${names[@]}"; do
  bin="build/fuzz/${name}_fuzz"
  seeds="tests/fuzz/corpus/$name"
  log="build/fuzz/logs/$name.log"
  shopt -s nullglob
  files=("$seeds"/*)
  shopt -u nullglob
  if [ ! -x "$bin" ]; then
    echo "fuzz: $name: $bin is missing (is the fuzz build done?)"
    failed+=("$name")
    continue
  fi
  if [ ${#files[@]} -eq 0 ]; then
    echo "fuzz: $name: no seed corpus in $seeds/"
    failed+=("$name")
    continue
  fi

  if [ "$mode" = replay ]; then
    # Files, not the folder: libFuzzer then runs each exactly once, unmutated.
    if timeout 300 "$bin" "${leaks[@]}" -timeout=25 "${files[@]}" >"$log" 2>&1; then
      echo "fuzz: $name: ${#files[@]} corpus files replayed"
    else
      echo "fuzz: $name: FAILED on a corpus file (see $log):"
      grep -E "^Running:|ERROR:|SUMMARY:|==ERROR|deadly signal" "$log" | tail -4 | sed 's/^/  /'
      failed+=("$name")
    fi
    continue
  fi

  work="build/fuzz/corpus/$name"
  crashes="build/fuzz/crashes/$name"
  mkdir -p "$work" "$crashes"
  # The first folder receives the new inputs; the seeds are only read.
  timeout $((seconds + 120)) "$bin" "${leaks[@]}" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$work" "$seeds" >"$log" 2>&1
  rc=$?
  runs=$(stat number_of_executed_units "$log")
  speed=$(stat average_exec_per_sec "$log")
  if [ $rc -eq 0 ]; then
    echo "fuzz: $name: ${runs:-?} runs in ${seconds} s, ${speed:-?} per second, $(ls "$work" | wc -l) inputs in $work"
  else
    echo "fuzz: $name: FAILED (exit $rc, see $log):"
    grep -E "ERROR:|SUMMARY:|deadly signal|Test unit written to" "$log" | tail -4 | sed 's/^/  /'
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: FAILED: ${failed[*]}"
  exit 1
fi
echo "fuzz: every target passed"
