#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: once as
# built for use, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

SANITIZED_DIR="${SANITIZED_DIR:-$TOP/build-asan}"
# Only what the tests run (the programs, tools and benchmarks are the first
# build's), each library compiled as one file: Qt's headers are read once.
build "$SANITIZED_DIR" -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON \
    -- tavrin_tests

# Static analysis: clang-tidy with the checks of .clang-tidy over every
# product folder and the tests, as the sanitizer build compiles them (one
# file a library, so Qt's headers are read once a library); any finding
# fails the run. A file unchanged since a clean analysis is not analysed
# again. It runs beside the tests and the fuzzing, which leave cores idle
# while they wait for their X server, their processes or their one thread,
# and reports at the end.
python3 "$TOP/scripts/tidy.py" "$SANITIZED_DIR" common seating quorlen rooms brasset exams tests \
    >"$SANITIZED_DIR/tidy.log" 2>&1 &
tidy=$!
trap 'kill "$tidy" 2>/dev/null || true' EXIT

export QT_QPA_PLATFORM=offscreen
echo "== tests"
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)"
echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$SANITIZED_DIR" --output-on-failure -j"$(nproc)"

# Hardening: the fuzz targets, briefly, so that a regression shows here;
# scripts/fuzz.sh with a longer time searches deeper.
echo "== fuzzing, ${FUZZ_SECONDS:-5} seconds a target"
"$TOP/scripts/fuzz.sh" "${FUZZ_SECONDS:-5}"

echo "== static analysis"
status=0
wait "$tidy" || status=$?
cat "$SANITIZED_DIR/tidy.log"
exit "$status"
