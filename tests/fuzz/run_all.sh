#!/usr/bin/env bash
# Builds the fuzz targets (the "fuzz" preset) and runs each for a short time.
# Exits non-zero when a target crashes, hangs, runs out of memory or a
# sanitizer reports something; the input that did it is kept in
# build/fuzz/findings/.
#
#   FUZZ_SECONDS   seconds per target (default 20)
#   FUZZ_JOBS      parallel build jobs (default 2)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
seconds="${FUZZ_SECONDS:-20}"
jobs="${FUZZ_JOBS:-2}"
targets=(fuzz_replace_text fuzz_swap_text fuzz_lines fuzz_line_transforms fuzz_file_loaders)

cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs" --target "${targets[@]}"

build="$root/build/fuzz/tests/fuzz"
findings="$root/build/fuzz/findings"
mkdir -p "$findings"
failed=()
for target in "${targets[@]}"; do
  corpus="$root/build/fuzz/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target: ${seconds}s"
  # -timeout: one input running longer than this counts as a hang.
  if ! "$build/$target" "$corpus" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
      -artifact_prefix="$findings/$target-" -print_final_stats=1 \
      >"$findings/$target.log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$findings/$target.log"
  else
    grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units)' "$findings/$target.log" || true
  fi
done

if ((${#failed[@]})); then
  echo "fuzzing found problems in: ${failed[*]} (inputs in $findings)" >&2
  exit 1
fi
echo "fuzzing: no findings"
