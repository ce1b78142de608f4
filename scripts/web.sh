#!/usr/bin/env bash
# Builds the calculator's web page and serves it on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  cat <<'TEXT'
Usage: scripts/web.sh [PORT]
  Installs what is missing, builds the site (build/web/site/) and serves it with Python's
  http.server on http://localhost:PORT/ (default 8000) until Ctrl+C.
TEXT
}
case "${1:-}" in -h | --help) usage; exit 0 ;; esac
port=${1:-8000}
[[ "$port" =~ ^[0-9]+$ ]] || { usage >&2; exit 2; }

scripts/setup-debian.sh web
cmake --preset web >/dev/null
cmake --build --preset web -j "$(nproc)" --target coilcalc-site
echo "The calculator is at http://localhost:$port/ (Ctrl+C stops the server)"
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
