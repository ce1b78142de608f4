#!/usr/bin/env bash
# Runs the native coilcalc-cli of the default build and another build of it (WebAssembly under
# Node, Windows under Wine, another processor under qemu, another compiler) on the same
# generated batch and on a table of single solves, and fails unless output, messages and exit
# status agree byte for byte.
set -euo pipefail

usage() {
  cat <<'TEXT'
Usage: tests/compare-cli.sh NATIVE_CLI LINES SEED WORK_DIR COMMAND [ARGUMENT...]
  NATIVE_CLI    the native coilcalc-cli (build/default/cli/coilcalc-cli)
  LINES, SEED   size and seed of the batch made by tests/reference/make_requests.py
  WORK_DIR      where the batch and the two answers are written (kept for a look afterwards)
  COMMAND       how to run the other build: its program, or the runner and the program
                (node build/web/cli/coilcalc-cli.js)
TEXT
}
[ $# -ge 5 ] || { usage >&2; exit 2; }
native=$(realpath -m "$1") lines=$2 seed=$3 work=$(realpath -m "$4")
shift 4
other=("$@")
cd "$(dirname "$0")/.."
[[ "$lines" =~ ^[0-9]+$ && "$seed" =~ ^[0-9]+$ ]] || { usage >&2; exit 2; }
[ -x "$native" ] || { echo "no native coilcalc-cli at $native: build the default preset first" >&2; exit 1; }
mkdir -p "$work"

# Single solves from options: the text output, the messages on stderr and the exit status.
single_solves=(
  "--diameter 1 --height 1 --turns 10"
  "--unit mm --diameter 25.4 --height 25.4 --turns 10"
  "--mode turns --diameter 2 --height 1 --inductance 10"
  "--mode turns --diameter 1 --height 1 --inductance 65536.5 --inductance-unit nH"
  "--diameter 1 --height 1 --turns 1"
  "--diameter 10.01 --height 1"
  "--json --diameter 0.25 --height 0.5 --turns 2"
  "--unit mm --diameter 2.53999959850311825E+2 --height .253999959850311825E+2 --turns 9"
  "--diameter 1 --height 1 --turns 1e28"
  "--mode turns --diameter 1 --height 1 --inductance 1e40"
  "--mode turns --diameter 1 --height 1 --inductance 1e-30 --inductance-unit mH"
  "--unit mm --diameter 1e310 --height 1e309"
  "--diameter 1e-4940 --height 1"
  "--diameter 1 --height 1 --turns 10 --frequency 7.1MHz"
  "--unit mm --mode turns --diameter 50.8 --height 25.4 --inductance 10 --wire-gauge 18 --frequency 455kHz --temperature 60"
  "--diameter 1 --height 1 --turns 10 --frequency 300MHz"
  "--diameter 1 --height 1 --turns 10 --frequency 5THz"
  "--diameter 1 --height 1 --turns 10 --frequency 1e307"
  "--diameter 1 --height 1 --turns 10 --sweep 1MHz:200MHz:41"
  "--unit mm --diameter 25.4 --height 50 --turns 30 --wire-gauge 22 --sweep 100kHz:50MHz:31 --temperature 60"
  "--diameter 1 --height 1 --turns 10 --sweep 1MHz:200MHz --touchstone"
  "--unit mm --diameter 6 --height 10 --turns 8 --sweep 10MHz:2GHz:401 --touchstone"
  "--diameter 3 --height 10 --turns 240 --spice"
  "--diameter 0.25 --height 0.25 --turns 4 --frequency 145MHz --sweep 10MHz:3GHz --spice"
  "--diameter 1 --height 1 --turns 10 --sweep 1Hz:1e300Hz --touchstone"
  "--diameter 1 --height 1 --turns 10 --touchstone"
  "--diameter 1 --height 1 --turns 10 --sweep 30MHz:1MHz:7"
  "--diameter 1 --height 1 --turns 10 --base-height 0.25"
  "--unit mm --diameter 150 --height 600 --turns 1000 --wire-diameter 0.5 --base-height 0"
  "--mode turns --diameter 2 --height 4 --inductance 100 --base-height 1e-3 --frequency 1MHz"
  "--unit mm --diameter 10 --height 30 --turns 12 --wire-gauge 20 --base-height 15"
  "--diameter 1 --height 1 --turns 10 --base-height 1000.5"
  "--diameter 1 --height 1 --turns 10 --base-height -2"
  "--help"
  "--version"
  "--unit cm"
  "--batch --turns 3"
  "--design --unit mm --inductance 2.2uH --frequency 7.1MHz --diameter 15:40 --height-max 60 --wire-gauges 14:28"
  "--design --unit in --inductance 230uH --frequency 1MHz --diameter 2 --wire-gauges 18:24 --count 3"
  "--design --inductance 1mH --frequency 100kHz --diameter 0.4 --height-max 0.2 --wire-gauges 10:11"
  "--design --unit mm --inductance 2.2uH --frequency 7.1MHz --diameter 25 --count 0"
)
failed=0
for args in "${single_solves[@]}"; do
  read -r -a argv <<<"$args"
  set +e
  "$native" "${argv[@]}" >"$work/native.out" 2>"$work/native.err"
  native_status=$?
  "${other[@]}" "${argv[@]}" >"$work/other.out" 2>"$work/other.err"
  other_status=$?
  set -e
  if [ "$native_status" != "$other_status" ] || ! cmp -s "$work/native.out" "$work/other.out" ||
     ! cmp -s "$work/native.err" "$work/other.err"; then
    echo "differs: coilcalc-cli $args (exit $native_status native, $other_status ${other[0]})" >&2
    diff "$work/native.out" "$work/other.out" >&2 || true
    diff "$work/native.err" "$work/other.err" >&2 || true
    failed=1
  fi
done

# Bytes that a stream in text mode would change: CR LF line ends, where Windows would drop the
# CR, and a Ctrl-Z, where it would stop reading.
printf '%s\r\n%s\n%s\r\n' '{"fields":{"diameter":"1","height":"1","turns":"10"}}' \
  $'{"fields":{"diameter":"\x1a"}}' '{"mode":"turns","fields":{"diameter":"2","height":"1"}}' \
  >"$work/raw-bytes.jsonl"
set +e
"$native" --batch <"$work/raw-bytes.jsonl" >"$work/native-raw.jsonl" 2>&1
native_status=$?
"${other[@]}" --batch <"$work/raw-bytes.jsonl" >"$work/other-raw.jsonl" 2>&1
other_status=$?
set -e
if [ "$native_status" != "$other_status" ] || ! cmp "$work/native-raw.jsonl" "$work/other-raw.jsonl" >&2; then
  echo "differs: a batch with CR LF line ends and a Ctrl-Z byte" >&2
  failed=1
fi

# batch_both REQUESTS NATIVE OTHER: both builds answer the batch REQUESTS into $work/NATIVE.jsonl
# and $work/OTHER.jsonl; their exit statuses are left in native_status and other_status.
batch_both() {
  set +e
  "$native" --batch <"$1" >"$work/$2.jsonl"
  native_status=$?
  "${other[@]}" --batch <"$1" >"$work/$3.jsonl"
  other_status=$?
  set -e
}

# The batch of the test runs is made once and kept for every build that compares with it
# (making it takes most of a minute); the longer ones are made in the work folder.
requests="$work/requests.jsonl"
if [ "$lines" -le 100000 ]; then
  mkdir -p build/compare-batches
  requests="build/compare-batches/requests-$lines-$seed.jsonl"
fi
if [ ! -s "$requests" ] || [ tests/reference/make_requests.py -nt "$requests" ]; then
  /usr/bin/python3 tests/reference/make_requests.py "$lines" --seed "$seed" >"$requests.$$"
  mv "$requests.$$" "$requests"
fi
batch_both "$requests" native other
answers=$(wc -l <"$work/native.jsonl")
if [ "$answers" -ne "$lines" ]; then
  echo "the native program answered $answers of $lines lines" >&2
  failed=1
fi
if ! cmp "$work/native.jsonl" "$work/other.jsonl" >&2; then
  line=$(cmp "$work/native.jsonl" "$work/other.jsonl" | sed -n 's/.* line \([0-9]*\)$/\1/p')
  echo "request: $(sed -n "${line}p" "$requests")" >&2
  failed=1
fi
if [ "$native_status" != "$other_status" ]; then
  echo "batch exit status: $native_status native, $other_status ${other[0]}" >&2
  failed=1
fi
# Requests for the coil over a band: its sweep's numbers have a fixed number of digits, the
# same on every build. The reference's other numbers, the shortest that read back as the same
# double, differ in their last digits where C libraries do (docs/other-targets.md): they are
# left out of this comparison, as the mixes above leave them out of theirs.
sweeps=300
/usr/bin/python3 tests/reference/make_requests.py "$sweeps" --seed "$seed" --mix sweep \
  >"$work/sweeps.jsonl"
batch_both "$work/sweeps.jsonl" native-sweeps other-sweeps
for answers in native-sweeps other-sweeps; do
  sed -E 's/"reference":\{[^[]*"sweep":/"reference":{"sweep":/' "$work/$answers.jsonl" \
    >"$work/$answers-only.jsonl"
done
if [ "$native_status" != "$other_status" ] ||
   ! cmp "$work/native-sweeps-only.jsonl" "$work/other-sweeps-only.jsonl" >&2; then
  echo "differs: a batch of sweeps (make_requests.py $sweeps --seed $seed --mix sweep)" >&2
  failed=1
fi
# The coil grounded at its lower end, a smaller batch of its own mix. Its answers carry the
# reference's numbers to the last bit, where one libm's logarithm may differ from another's by
# an ulp: numbers are compared within 1e-9 of each other, everything else byte for byte.
grounded="build/compare-batches/grounded-$seed.jsonl"
mkdir -p build/compare-batches
if [ ! -s "$grounded" ] || [ tests/reference/make_requests.py -nt "$grounded" ]; then
  /usr/bin/python3 tests/reference/make_requests.py 2000 --mix grounded --seed "$seed" >"$grounded.$$"
  mv "$grounded.$$" "$grounded"
fi
batch_both "$grounded" native-grounded other-grounded
if ! /usr/bin/python3 - "$work/native-grounded.jsonl" "$work/other-grounded.jsonl" "$grounded" <<'PYTHON'
import json, math, sys
def same(a, b):
    if isinstance(a, float) or isinstance(b, float):
        return isinstance(b, (int, float)) and math.isclose(a, b, rel_tol=1e-9, abs_tol=0)
    if isinstance(a, dict):
        return isinstance(b, dict) and list(a) == list(b) and all(same(a[k], b[k]) for k in a)
    if isinstance(a, list):
        return isinstance(b, list) and len(a) == len(b) and all(map(same, a, b))
    return a == b
native, other, requests = (open(name).read().splitlines() for name in sys.argv[1:])
if len(native) != len(requests) or len(other) != len(requests):
    sys.exit(f"{len(requests)} grounded requests, {len(native)} and {len(other)} answers")
for n, (a, b, r) in enumerate(zip(native, other, requests), 1):
    if not same(json.loads(a), json.loads(b)):
        sys.exit(f"grounded batch line {n} differs: {r}\n{a}\n{b}")
PYTHON
then
  failed=1
fi
# Design lines: far slower than solves, so a batch of their own, a fiftieth as long as the
# other one. Their coils must be the same; the physics reference's numbers in them only to the
# last digits in which the C libraries differ (docs/other-targets.md).
design_lines=$((lines / 50))
designs="$work/designs.jsonl"
/usr/bin/python3 tests/reference/make_requests.py "$design_lines" --seed "$seed" --mix design >"$designs"
batch_both "$designs" native-designs other-designs
if [ "$native_status" != "$other_status" ]; then
  echo "design batch exit status: $native_status native, $other_status ${other[0]}" >&2
  failed=1
fi
if ! /usr/bin/python3 tests/compare_designs.py "$designs" "$work/native-designs.jsonl" \
  "$work/other-designs.jsonl"; then
  failed=1
fi
[ "$failed" -eq 0 ] &&
  echo "identical: ${#single_solves[@]} single solves, $lines batch lines, $sweeps sweeps and 2000 grounded coils, the same coils for $design_lines design lines (seed $seed)"
exit "$failed"
