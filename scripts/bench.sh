#!/usr/bin/env bash
# Measures coilcalc-cli --batch throughput on a generated request file, then runs coilcalc_bench.
#   scripts/bench.sh [BUILD_DIR] [LINES]   (defaults: build/default, 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
lines=${2:-1000000}
cli="$build/cli/coilcalc-cli"
bench="$build/bench/coilcalc_bench"
for program in "$cli" "$bench"; do
  if [ ! -x "$program" ]; then
    echo "bench.sh: $program is not built (cmake --build $build)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# Plain coils of every shape in both units and modes, a few stopped, minimum-turns corrections.
/usr/bin/python3 tests/reference/make_requests.py "$lines" --mix bench --seed 20261208 \
  >"$work/requests.jsonl"
echo "requests: $lines lines, $(wc -c <"$work/requests.jsonl") bytes"

start=$(date +%s.%N)
"$cli" --batch <"$work/requests.jsonl" >"$work/answers.jsonl"
end=$(date +%s.%N)
answered=$(wc -l <"$work/answers.jsonl")
errors=$(grep -c '^{"error"' "$work/answers.jsonl" || true)
awk -v s="$start" -v e="$end" -v n="$answered" -v bad="$errors" 'BEGIN {
  printf "--batch: %d answers (%d errors) in %.3f s: %.0f cases/s\n", n, bad, e - s, n / (e - s)
}'

"$bench" --benchmark_min_time=0.5
