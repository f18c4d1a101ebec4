#!/usr/bin/env bash
# Runs every fuzz target for a bounded time from the seed corpus in the repository.
# Any crash, sanitizer report or input that runs over 5 s fails. fuzz.sh [SECONDS_EACH]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-45}
cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j"$(nproc)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in probe_file probe_fields walk; do
  mkdir -p "$work/$target"
  # New inputs go to the scratch folder; the seeds in the repository stay as they are.
  build/fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -timeout=5 -max_len=1200 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/$target" "tests/fuzz/corpus/$target" \
    2>"$work/$target.log" || { tail -40 "$work/$target.log"; echo "fuzz_$target FAILED"; exit 1; }
  echo "fuzz_$target: $(grep -o 'stat::number_of_executed_units: [0-9]*' "$work/$target.log" | awk '{print $2}') runs in ${seconds} s, no findings"
done
