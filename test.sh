#!/usr/bin/env bash
# The one test command: the sanitizer build runs every test suite, the release tree that ./setup.sh
# builds is built with warnings as errors and runs the unit suites, then each fuzz target runs briefly.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)

./setup.sh --packages
tools/check-includes.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQEL_SANITIZE=ON -DQEL_WERROR=ON
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
ctest --test-dir build-asan -j "$jobs" --output-on-failure --timeout 300

# --- Each suite on its own ---------------------------------------------------------------------
# Each suite binary of the sanitizer tree once more, all its cases in one process in shuffled order,
# from an empty folder and without a display (as CTest's cases, which skip what needs Xvfb): no case
# may lean on the folder, the environment or what another case left in the process. SUITE_SEED
# picks the order (default 1); the line of a failing suite repeats it.
run_suite_alone() {
  local bin=$1 name work rc=0
  name=$(basename "$bin")
  work=$(mktemp -d "$suite_root/$name.XXXXXX")
  (cd "$work" && env -u DISPLAY "$bin" --gtest_shuffle --gtest_random_seed="$suite_seed") \
    >"$suite_root/$name.log" 2>&1 || rc=$?
  if [ -n "$(ls -A "$work")" ]; then
    echo "$name left files in the folder it was started in: $(ls -A "$work" | head -5 | tr '\n' ' ')" \
      >>"$suite_root/$name.log"
    rc=1
  fi
  if [ "$rc" -ne 0 ]; then
    echo "suite: $name failed (exit $rc); repeat with (cd \$(mktemp -d) && $bin --gtest_shuffle --gtest_random_seed=$suite_seed)"
    tail -n 40 "$suite_root/$name.log"
    touch "$suite_root/$name.failed"
  fi
  rm -rf "$work"
}
suite_seed=${SUITE_SEED:-1}
suite_root=$(mktemp -d)
suite_start=$SECONDS
# The largest binaries (the game's suites, the longest to run) start first.
mapfile -t suites < <(find build-asan/tests -maxdepth 1 -type f -name 'test_*' -executable -printf '%s %p\n' |
  sort -rn | cut -d' ' -f2-)
for bin in "${suites[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_suite_alone "$PWD/$bin" &
done
wait || true
suites_failed=$(find "$suite_root" -name '*.failed' | wc -l)
rm -rf "$suite_root"
echo "test.sh: ${#suites[@]} suites run alone with seed $suite_seed in $((SECONDS - suite_start)) s"
if [ "$suites_failed" -ne 0 ]; then
  echo "test.sh: $suites_failed suites failed when run alone"
  exit 1
fi
# --- end of each suite on its own --------------------------------------------------------------

# The release tree as ./setup.sh builds it (every target, -O3), with warnings as errors: optimisation
# brings warnings (uninitialised reads, bounds) that the sanitizer tree at -O0 never shows. It is kept in
# build-release/ rather than build/, which ./setup.sh and ./run.sh keep with warnings as warnings: one
# folder configured back and forth would be built anew at every switch between ./test.sh and ./run.sh.
# Its unit suites run here, with the content set they need; the end-to-end scenarios, the suites on
# Xvfb and the content set's own check of repeated runs and archives run on the sanitizer tree only.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQEL_WERROR=ON
cmake --build build-release -j "$jobs"
ctest --test-dir build-release -j "$jobs" --output-on-failure --timeout 300 \
  -E '^(e2e\.|xvfb_|content\.repeatable-and-archives$)'

# One fuzz target, briefly, in a temporary folder of its own (under $fuzz_root) with a copy of its
# corpus; what it printed goes to $fuzz_root/NAME.report, and a failure also leaves NAME.failed.
run_fuzz_target() {
  local name=$1 corpus=fuzz/corpus/$1 kept=build-fuzz/crashes/$1 work rc=0 flags=()
  # What a failing run leaves: its output and the inputs libFuzzer wrote for the failure.
  rm -rf "$kept"
  work=$(mktemp -d "$fuzz_root/$name.XXXXXX")
  mkdir -p "$work/corpus"
  [ -d "$corpus" ] && cp -r "$corpus/." "$work/corpus/"
  # fuzz/NAME.options holds a target's own libFuzzer flags, one a line.
  [ -f "fuzz/$name.options" ] && mapfile -t flags < <(grep '^-' "fuzz/$name.options")
  # Files a target writes for itself (into its working folder or the temporary one) go with it.
  (cd "$work" && TMPDIR="$work" "$root/build-fuzz/fuzz/$name" -max_total_time="${FUZZ_SECONDS:-20}" -rss_limit_mb=2048 \
    -print_final_stats=1 "${flags[@]}" corpus) >"$work/output.txt" 2>&1 || rc=$?
  {
    echo "fuzz: $name"
    tail -n 12 "$work/output.txt"
    if [ "$rc" -ne 0 ]; then
      mkdir -p "$kept"
      cp "$work/output.txt" "$kept/"
      find "$work" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) \
        -exec cp {} "$kept/" \;
      echo "fuzz: $name failed (exit $rc); its output and failing inputs are in $kept/:"
      ls "$kept"
      echo "fuzz: rerun one in an empty folder with $root/build-fuzz/fuzz/$name $root/$kept/<input>"
      touch "$fuzz_root/$name.failed"
    fi
  } >"$fuzz_root/$name.report"
  rm -rf "$work"
}

if compgen -G "fuzz/*.cpp" >/dev/null; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEL_FUZZ=ON -DQEL_WERROR=ON
  cmake --build build-fuzz -j "$jobs"
  root=$PWD
  fuzz_root=$(mktemp -d)
  trap 'rm -rf "$fuzz_root"' EXIT
  trap 'kill $(jobs -p) 2>/dev/null; exit 130' INT TERM
  # The targets run side by side, half as many at once as there are cores: each is bounded by its time,
  # not by the machine.
  at_once=$((jobs > 1 ? jobs / 2 : 1))
  names=()
  for src in fuzz/*.cpp; do
    names+=("$(basename "$src" .cpp)")
    while [ "$(jobs -rp | wc -l)" -ge "$at_once" ]; do wait -n || true; done
    run_fuzz_target "${names[-1]}" &
  done
  wait || true
  failed=()
  for name in "${names[@]}"; do
    cat "$fuzz_root/$name.report" 2>/dev/null || echo "fuzz: $name left no report"
    [ -f "$fuzz_root/$name.report" ] && [ ! -f "$fuzz_root/$name.failed" ] || failed+=("$name")
  done
  if [ "${#failed[@]}" -ne 0 ]; then
    echo "test.sh: fuzz targets failed: ${failed[*]}"
    exit 1
  fi
fi
echo "test.sh: all passed"
