#!/usr/bin/env bash
# Compares the Node command line with the native one on millions of generated batch lines.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  cat <<'TEXT'
Usage: scripts/web-compare.sh [MILLIONS] [SEED]
  Builds the default and web presets' command lines, then compares their answers on MILLIONS
  (default 3) blocks of 1,000,000 generated lines, seeds SEED, SEED+1, ... (default 1).
  The last block is left in build/web/compare-long/ for a look.
TEXT
}
case "${1:-}" in -h | --help) usage; exit 0 ;; esac
millions=${1:-3}
seed=${2:-1}
[[ "$millions" =~ ^[0-9]+$ && "$seed" =~ ^[0-9]+$ ]] || { usage >&2; exit 2; }

jobs=$(nproc)
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs" --target coilcalc-cli
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs" --target coilcalc-cli
for ((block = 0; block < millions; block++)); do
  tests/compare-cli.sh build/default/cli/coilcalc-cli 1000000 $((seed + block)) \
    build/web/compare-long node build/web/cli/coilcalc-cli.js
done
echo "identical on $millions million lines"
