#!/usr/bin/env bash
# Start-up time of coilcalc.exe under Wine against a program that only shows a message box:
# from CreateProcess to the first visible window, median of several runs each, same Wine,
# same screen, same run. Prints both times and their ratio.
#   scripts/measure-startup.sh [runs]     (default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)" --target coilcalc coilcalc_minimal_program coilcalc_startup_probe >/dev/null
# shellcheck source=lib.sh
source scripts/lib.sh
coilcalc_wine_env build/mingw

probe=build/mingw/tests/e2e/coilcalc_startup_probe.exe
program=$(coilcalc_windows_path build/mingw/ui/coilcalc.exe)
minimal=$(coilcalc_windows_path build/mingw/tests/e2e/coilcalc_minimal_program.exe)

output=$(coilcalc_wine_on_xvfb measure "$probe" "$runs" "$minimal" "$program" | tr -d '\r')
echo "$output"
minimal_ms=$(echo "$output" | sed -n 1p | sed 's/.*median_ms=\([0-9.]*\).*/\1/')
program_ms=$(echo "$output" | sed -n 2p | sed 's/.*median_ms=\([0-9.]*\).*/\1/')
awk -v p="$program_ms" -v m="$minimal_ms" \
  'BEGIN { printf "coilcalc.exe %.1f ms, message box only %.1f ms: ratio %.2f\n", p, m, p / m }'
