#!/usr/bin/env bash
# Builds and runs every test with g++, then again with clang 14 under the
# address and undefined-behaviour sanitizers (with a short fuzzing budget).
source "$(dirname "$0")/lib.sh"
ensure_packages

configure_and_build "$ROOT/build" "${MAIN_BUILD[@]}"
[ -x "$ROOT/scripts/test-data.sh" ] && "$ROOT/scripts/test-data.sh" "$ROOT/build"
(cd "$ROOT/build" && ctest --output-on-failure -j "$JOBS")

configure_and_build "$ROOT/build-asan" "${SANITIZER_BUILD[@]}"
[ -x "$ROOT/scripts/test-data.sh" ] && "$ROOT/scripts/test-data.sh" "$ROOT/build-asan"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$ROOT/build-asan" && ctest --output-on-failure -j "$JOBS")
[ -x "$ROOT/scripts/fuzz.sh" ] && "$ROOT/scripts/fuzz.sh" "$ROOT/build-asan"
echo "All tests passed."
