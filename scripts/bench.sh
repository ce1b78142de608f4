#!/usr/bin/env bash
# Measures coilcalc-cli --batch throughput on a generated request file, then runs coilcalc_bench.
#   scripts/bench.sh [BUILD_DIR] [LINES] [OTHER_BUILD_DIR]   (defaults: build/default, 1000000)
# With OTHER_BUILD_DIR (another version's build, e.g. of an older commit in a worktree), both
# programs answer the same file in five alternating runs each, the answers are compared byte
# for byte, and the median time and highest peak memory are shown side by side, then both
# benchmarks. The benchmarks run twenty times each in random order, so that a machine whose
# speed drifts slows them alike, and each batch line is shown against the solve it runs.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
lines=${2:-1000000}
other=${3:-}
cli="$build/cli/coilcalc-cli"
bench="$build/bench/coilcalc_bench"
programs=("$cli" "$bench")
[ -n "$other" ] && programs+=("$other/cli/coilcalc-cli" "$other/bench/coilcalc_bench")
for program in "${programs[@]}"; do
  if [ ! -x "$program" ]; then
    echo "bench.sh: $program is not built (cmake --build $build)" >&2
    exit 1
  fi
done

# Medians of interleaved repetitions, then each batch line's time over its solve's.
run_benchmarks() {
  "$1" --benchmark_min_time=0.1 --benchmark_repetitions=20 \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
    >"$work/benchmarks"
  grep '_median ' "$work/benchmarks" | sort
  awk '$1 ~ /_median$/ { time[$1] = $2; cpu[$1] = $4 }
       END {
         split("inductance:SolveCoilInductanceMode turns:SolveCoilTurnsMode", pairs, " ")
         for (i in pairs) {
           split(pairs[i], p, ":")
           line = time["BatchLine/" p[1] "_median"]; solve = time[p[2] "_median"]
           if (line && solve) printf "a batch line, %s: %.2f times the solve it runs\n", p[1], line / solve
         }
         # CPU time beside wall time: on a busy machine the wall time grows with the load.
         dc = "BatchLineWithReference_median"; at = "BatchLineWithFrequency_median"
         if (time[dc] && time[at])
           printf "a batch line with a frequency: %+.0f ns (CPU %+.0f ns) over one with the reference alone\n",
                  time[at] - time[dc], cpu[at] - cpu[dc]
       }' "$work/benchmarks"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

# Plain coils of every shape in both units and modes, a few stopped, minimum-turns corrections.
/usr/bin/python3 tests/reference/make_requests.py "$lines" --mix bench --seed 20261208 \
  >"$work/requests.jsonl"
echo "requests: $lines lines, $(wc -c <"$work/requests.jsonl") bytes"

if [ -n "$other" ]; then
  # Alternating runs, so that both see the same load; GNU time gives the peak memory.
  for _ in 1 2 3 4 5; do
    for side in other this; do
      program=$cli
      [ "$side" = other ] && program="$other/cli/coilcalc-cli"
      /usr/bin/time -f "$side %e %M" -a -o "$work/times" \
        "$program" --batch <"$work/requests.jsonl" >"$work/answers-$side.jsonl" || true
    done
  done
  cmp -s "$work/answers-other.jsonl" "$work/answers-this.jsonl" ||
    { echo "bench.sh: the two programs' answers differ" >&2; exit 1; }
  for side in other this; do
    grep "^$side " "$work/times" | sort -k2,2n | awk -v side="$side" -v n="$lines" '
      { seconds[NR] = $2; if ($3 > kb) kb = $3 }
      END {
        m = int((NR + 1) / 2)
        printf "--batch (%s build): median %.2f s, %.0f cases/s, peak memory %.1f MB\n", side,
               seconds[m], n / seconds[m], kb / 1024
      }'
  done
  for program in "$other/bench/coilcalc_bench" "$bench"; do
    echo "== $program"
    run_benchmarks "$program"
  done
  exit 0
fi

start=$(date +%s.%N)
"$cli" --batch <"$work/requests.jsonl" >"$work/answers.jsonl"
end=$(date +%s.%N)
answered=$(wc -l <"$work/answers.jsonl")
errors=$(grep -c '^{"error"' "$work/answers.jsonl" || true)
awk -v s="$start" -v e="$end" -v n="$answered" -v bad="$errors" 'BEGIN {
  printf "--batch: %d answers (%d errors) in %.3f s: %.0f cases/s\n", n, bad, e - s, n / (e - s)
}'

run_benchmarks "$bench"
