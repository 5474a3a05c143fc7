#!/usr/bin/env bash
# The one test command: the sanitizer build runs every test suite, then each fuzz target runs briefly.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)

tools/check-includes.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQEL_SANITIZE=ON
cmake --build build-asan -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
ctest --test-dir build-asan -j "$jobs" --output-on-failure --timeout 300

if compgen -G "fuzz/*.cpp" >/dev/null; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQEL_FUZZ=ON
  cmake --build build-fuzz -j "$jobs"
  for src in fuzz/*.cpp; do
    name=$(basename "$src" .cpp)
    corpus=fuzz/corpus/$name
    work=$(mktemp -d)
    mkdir -p "$work/corpus"
    [ -d "$corpus" ] && cp -r "$corpus/." "$work/corpus/"
    # fuzz/NAME.options holds a target's own libFuzzer flags, one a line.
    flags=()
    [ -f "fuzz/$name.options" ] && mapfile -t flags < <(grep '^-' "fuzz/$name.options")
    echo "fuzz: $name"
    (cd "$work" && "$OLDPWD/build-fuzz/fuzz/$name" -max_total_time="${FUZZ_SECONDS:-20}" -rss_limit_mb=2048 \
      -print_final_stats=1 "${flags[@]}" corpus) 2>&1 | tail -n 12
    rc=${PIPESTATUS[0]}
    rm -rf "$work"
    [ "$rc" -eq 0 ] || { echo "fuzz: $name failed"; exit 1; }
  done
fi
echo "test.sh: all passed"
