#!/usr/bin/env bash
# The one test command: the sanitizer build runs every test suite, then each fuzz target runs briefly.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)

./setup.sh --packages
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
  # Each target runs in a temporary folder of its own, removed however the script ends.
  work=""
  trap '[ -z "$work" ] || rm -rf "$work"' EXIT
  trap 'exit 130' INT TERM
  failed=()
  for src in fuzz/*.cpp; do
    name=$(basename "$src" .cpp)
    corpus=fuzz/corpus/$name
    # What a failing run leaves: its output and the inputs libFuzzer wrote for the failure.
    kept=build-fuzz/crashes/$name
    rm -rf "$kept"
    work=$(mktemp -d)
    mkdir -p "$work/corpus"
    [ -d "$corpus" ] && cp -r "$corpus/." "$work/corpus/"
    # fuzz/NAME.options holds a target's own libFuzzer flags, one a line.
    flags=()
    [ -f "fuzz/$name.options" ] && mapfile -t flags < <(grep '^-' "fuzz/$name.options")
    echo "fuzz: $name"
    rc=0
    # Files a target writes for itself (into its working folder or the temporary one) go with it.
    (cd "$work" && TMPDIR="$work" "$OLDPWD/build-fuzz/fuzz/$name" -max_total_time="${FUZZ_SECONDS:-20}" -rss_limit_mb=2048 \
      -print_final_stats=1 "${flags[@]}" corpus) >"$work/output.txt" 2>&1 || rc=$?
    tail -n 12 "$work/output.txt"
    if [ "$rc" -ne 0 ]; then
      mkdir -p "$kept"
      cp "$work/output.txt" "$kept/"
      find "$work" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) \
        -exec cp {} "$kept/" \;
      echo "fuzz: $name failed (exit $rc); its output and failing inputs are in $kept/:"
      ls "$kept"
      echo "fuzz: rerun one in an empty folder with $PWD/build-fuzz/fuzz/$name $PWD/$kept/<input>"
      failed+=("$name")
    fi
    rm -rf "$work"
    work=""
  done
  if [ "${#failed[@]}" -ne 0 ]; then
    echo "test.sh: fuzz targets failed: ${failed[*]}"
    exit 1
  fi
fi
echo "test.sh: all passed"
