#!/usr/bin/env bash
# A long storm of random user actions on coilcalc.exe under Wine (the test command runs a
# short one of 2,000 actions).
#   scripts/storm.sh [actions] [seed] [build folder]
# Defaults: 50000 actions, a seed from the clock (printed, and named again on a failure
# together with the step), build/mingw (built first if needed). Repeat a failed run with the
# same seed to get the same actions; COILCALC_STORM_VERBOSE=1 prints each one.
set -euo pipefail
cd "$(dirname "$0")/.."

actions=${1:-50000}
seed=${2:-$(date +%s)}
build=${3:-build/mingw}

# shellcheck source=lib.sh
source scripts/lib.sh
coilcalc_configure mingw "$build"
cmake --build "$build" -j "$(nproc)" --target coilcalc coilcalc_storm_tests

echo "storm: $actions actions, seed $seed"
export COILCALC_EXE_UNIX
COILCALC_EXE_UNIX=$(realpath "$build/ui/coilcalc.exe")
export COILCALC_STORM_STEPS=$actions COILCALC_STORM_SEED=$seed
start=$(date +%s)
status=0
bash tests/e2e/run-e2e.sh "$build" "$build/tests/e2e/coilcalc_storm_tests.exe" || status=$?
echo "storm: $(( $(date +%s) - start )) s, exit status $status (seed $seed)"
exit $status
