#!/usr/bin/env bash
# Runs one end-to-end driver under Wine on a private Xvfb screen.
#   run-e2e.sh <build folder> <driver.exe> [driver arguments...]
# Environment (set by CTest): COILCALC_EXE_UNIX, the program to drive; COILCALC_ARTIFACTS_UNIX,
# where screenshots go (BMPs are converted to PNG afterwards); COILCALC_SKETCH_UNIX, the
# sketch bitmap file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$1
driver=$2
shift 2

# shellcheck source=../../scripts/lib.sh
source "$here/../../scripts/lib.sh"
coilcalc_wine_env "$build_dir"

if [ -n "${COILCALC_EXE_UNIX:-}" ]; then
  COILCALC_EXE=$(coilcalc_windows_path "$COILCALC_EXE_UNIX")
  export COILCALC_EXE
fi
if [ -n "${COILCALC_SKETCH_UNIX:-}" ]; then
  COILCALC_SKETCH_BMP=$(coilcalc_windows_path "$COILCALC_SKETCH_UNIX")
  export COILCALC_SKETCH_BMP
fi
if [ -n "${COILCALC_ARTIFACTS_UNIX:-}" ]; then
  mkdir -p "$COILCALC_ARTIFACTS_UNIX"
  COILCALC_ARTIFACTS=$(coilcalc_windows_path "$COILCALC_ARTIFACTS_UNIX")
  export COILCALC_ARTIFACTS
fi

# The driver's exit code is the test's.
status=0
coilcalc_wine_on_xvfb run-e2e "$driver" "$@" || status=$?

if [ -n "${COILCALC_ARTIFACTS_UNIX:-}" ] && command -v convert >/dev/null; then
  for bmp in "$COILCALC_ARTIFACTS_UNIX"/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
fi
exit $status
