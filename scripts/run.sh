#!/usr/bin/env bash
# Installs what is missing, builds coilcalc.exe and opens it under Wine on this X display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-debian.sh
exec scripts/run-windows-program.sh "$@"
