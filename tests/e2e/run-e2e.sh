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

# shellcheck source=../../scripts/wine-env.sh
source "$here/../../scripts/wine-env.sh" "$build_dir"

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

# The driver's exit code is the test's; wineserver goes down before the X server does.
status=0
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine64 "$@"
  status=$?
  wineserver -k 2>/dev/null
  exit $status' run-e2e "$driver" "$@" || status=$?

if [ -n "${COILCALC_ARTIFACTS_UNIX:-}" ] && command -v convert >/dev/null; then
  for bmp in "$COILCALC_ARTIFACTS_UNIX"/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
  done
fi
exit $status
