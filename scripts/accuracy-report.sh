#!/usr/bin/env bash
# Writes docs/accuracy.md and its plots in docs/accuracy/: the dialog's results against the
# physics reference and published measurements, all asked of coilcalc-cli --batch.
#   scripts/accuracy-report.sh [BUILD_DIR]     (default: build/default)
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  sed -n '2,4s/^# *//p' "$0" >&2
  exit 2
}
case "${1:-}" in
  -h | --help) usage ;;
esac
[ $# -le 1 ] || usage
build=${1:-build/default}

scripts/setup-debian.sh report
# Debian's matplotlib is for Debian's interpreter, which a python3 earlier on PATH may not be.
python=/usr/bin/python3

# shellcheck source=lib.sh
source scripts/lib.sh
coilcalc_configure default "$build"
cmake --build "$build" -j "$(nproc)" --target coilcalc-cli

mkdir -p docs/accuracy
"$python" scripts/accuracy_report.py "$build/cli/coilcalc-cli" docs
echo "accuracy-report.sh: wrote docs/accuracy.md and docs/accuracy/*.png"
