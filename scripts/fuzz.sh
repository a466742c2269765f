#!/usr/bin/env bash
# Runs every libFuzzer target of a sanitizer build for a short shared budget
# (about 30 seconds in all), starting from the seeds in fuzz/corpus.
# Usage: scripts/fuzz.sh BUILD_DIR
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:?usage: fuzz.sh BUILD_DIR}"
shopt -s nullglob
targets=("$BUILD"/fuzz/fuzz_* "$BUILD"/bin/fuzz_*)
runnable=()
for t in "${targets[@]}"; do [ -x "$t" ] && [ -f "$t" ] && runnable+=("$t"); done
if [ ${#runnable[@]} -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets in $BUILD" >&2
  exit 1
fi
budget=$(( 30 / ${#runnable[@]} ))
[ "$budget" -ge 5 ] || budget=5
for t in "${runnable[@]}"; do
  name="$(basename "$t")"
  work="$BUILD/fuzz-corpus/$name"
  mkdir -p "$work"
  echo "fuzzing $name for ${budget}s"
  "$t" -max_total_time="$budget" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
       -print_final_stats=1 "$work" "$ROOT/fuzz/corpus" 2>&1 | tail -n 12
done
