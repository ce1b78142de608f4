#!/usr/bin/env bash
# Builds coilcalc.exe with MinGW and opens it under Wine on your X display.
#   scripts/run-windows-program.sh
# The first run also prepares a Wine prefix in build/mingw/wine-prefix (10-20 s, ~700 MB).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MESSAGE'
run-windows-program.sh: no X display (DISPLAY is not set), so Wine cannot show the window.
  - On a desktop: run this from a terminal of your graphical session.
  - Over SSH: connect with "ssh -X" (or -Y) so that DISPLAY is forwarded.
  - Headless: "xvfb-run -a scripts/run-windows-program.sh" runs it on an invisible screen
    (useful only with a driver; the end-to-end tests do that: ctest --preset mingw).
MESSAGE
  exit 1
fi

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)" --target coilcalc
# shellcheck source=lib.sh
source scripts/lib.sh
coilcalc_wine_env build/mingw
exec wine64 build/mingw/ui/coilcalc.exe
