#!/usr/bin/env bash
# Runs every libFuzzer target of a sanitizer build, starting from the seeds in
# fuzz/corpus and going on from what earlier runs found (BUILD/fuzz-corpus).
# The test command's run is short: about 24 seconds in all, at least 3 per
# target. FUZZ_SECONDS gives each target that many seconds instead, for a
# longer run (see the README). Each target prints its coverage at the start and
# at the end ("cov:"), counted over the libraries it feeds as well as itself.
# Usage: [FUZZ_SECONDS=N] scripts/fuzz.sh BUILD_DIR
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:?usage: [FUZZ_SECONDS=N] fuzz.sh BUILD_DIR}"
shopt -s nullglob
targets=("$BUILD"/fuzz/fuzz_* "$BUILD"/bin/fuzz_*)
runnable=()
for t in "${targets[@]}"; do [ -x "$t" ] && [ -f "$t" ] && runnable+=("$t"); done
if [ ${#runnable[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets in $BUILD" >&2
  exit 1
fi
if [ -n "${FUZZ_SECONDS:-}" ]; then
  budget="$FUZZ_SECONDS"
else
  budget=$(( 24 / ${#runnable[@]} ))
  [ "$budget" -ge 3 ] || budget=3
fi
for t in "${runnable[@]}"; do
  name="$(basename "$t")"
  work="$BUILD/fuzz-corpus/$name"
  mkdir -p "$work"
  echo "fuzzing $name for ${budget}s"
  log="$BUILD/fuzz-corpus/$name.log"
  status=0
  "$t" -max_total_time="$budget" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
       -print_final_stats=1 "$work" "$ROOT/fuzz/corpus" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzz.sh: $name failed (exit $status); its output is in $log" >&2
    exit 1
  fi
  grep -E "INITED|DONE|^stat::number_of_executed_units|^stat::new_units_added" "$log" || true
done
