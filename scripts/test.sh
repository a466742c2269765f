#!/usr/bin/env bash
# Builds and runs every test with g++, then again with clang 14 under the
# address and undefined-behaviour sanitizers (with a short fuzzing budget),
# and prints how long each stage took.
source "$(dirname "$0")/lib.sh"
trap print_stage_times EXIT
ensure_packages

run_tests() { (cd "$1" && ctest --output-on-failure -j "$JOBS"); }
test_data() {
  if [ -x "$ROOT/scripts/test-data.sh" ]; then "$ROOT/scripts/test-data.sh" "$1"; fi
}

stage "configure+build" configure_and_build "$ROOT/build" "${MAIN_BUILD[@]}"
stage "test data" test_data "$ROOT/build"
stage "tests" run_tests "$ROOT/build"

stage "sanitizer configure+build" configure_and_build "$ROOT/build-asan" "${SANITIZER_BUILD[@]}"
stage "sanitizer test data" test_data "$ROOT/build-asan"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
stage "sanitizer tests" run_tests "$ROOT/build-asan"
if [ -x "$ROOT/scripts/fuzz.sh" ]; then
  stage "fuzz" "$ROOT/scripts/fuzz.sh" "$ROOT/build-asan"
fi
echo "All tests passed."
