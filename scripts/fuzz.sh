#!/usr/bin/env bash
# Fuzzes the number conversions, the solve and the reading of batch request lines with libFuzzer
# (ASan + UBSan), one target after the other, each over a working corpus grown from its seeds;
# exits non-zero on any finding.
#
#   scripts/fuzz.sh [SECONDS]        each target for SECONDS (default 60)
#   scripts/fuzz.sh --long [SECONDS] a long run: each target for SECONDS (default 1800)
#
# Working corpora: build/fuzz/corpus-work/<target>/ (kept between runs, so later runs start
# from what earlier ones found). Findings (crash-*, leak-*, timeout-*, oom-*):
# build/fuzz/findings/<target>/. Replay one with build/fuzz/fuzz/<target> FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

usage() {
  cat >&2 <<'USAGE'
scripts/fuzz.sh [SECONDS]        each target for SECONDS (default 60)
scripts/fuzz.sh --long [SECONDS] a long run: each target for SECONDS (default 1800)
USAGE
  exit 2
}

seconds=60
case "${1:-}" in
  --long) seconds=${2:-1800} ;;
  -h | --help) usage ;;
  "") ;;
  *) seconds=$1 ;;
esac
[[ "$seconds" =~ ^[0-9]+$ && "$seconds" -gt 0 ]] || usage

targets=(fuzz_parse_number fuzz_format_number fuzz_solve_coil fuzz_reference fuzz_request_line)
build=$root/build/fuzz
work=$build/corpus-work
findings=$build/findings

# shellcheck source=lib.sh
source scripts/lib.sh
coilcalc_configure fuzz "$build"
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" fuzz_large_seed

failed=()
for target in "${targets[@]}"; do
  binary=$build/fuzz/$target
  mkdir -p "$work/$target" "$findings/$target"
  # Seeds keep their names, so a changed seed replaces its old copy; what the fuzzer found
  # is named by content hash and stays.
  cp "$root/fuzz/corpus/$target"/* "$work/$target"/
  dictionary=()
  if [ -f "$root/fuzz/$target.dict" ]; then dictionary=(-dict="$root/fuzz/$target.dict"); fi

  echo "== $target: the 1 MiB seed"
  # Too large for the fuzzing runs below (their inputs stop at 4 KiB), so it runs on its own.
  if ! "$binary" -artifact_prefix="$findings/$target/" -timeout=60 \
    "$build/fuzz/large-seed/one-mebibyte" </dev/null; then
    failed+=("$target")
    continue
  fi

  echo "== $target: fuzzing for $seconds s"
  # One process: the machine has two cores shared with other work.
  if ! "$binary" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$target/" "${dictionary[@]}" \
    "$work/$target" </dev/null; then
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}; the inputs are in:" >&2
  for target in "${failed[@]}"; do
    find "$findings/$target" -mindepth 1 -maxdepth 1 | sed 's/^/  /' >&2
  done
  exit 1
fi
echo "fuzz: no findings (${#targets[@]} targets, $seconds s each); findings would go to $findings/"
