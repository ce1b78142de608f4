#!/usr/bin/env bash
# Runs a command with one Wine server held up for the build folder's prefix from start to end.
#   wine-session.sh <build folder> <command> [arguments...]
# Wine's server goes down three seconds after its last program ends; a program started in that
# moment now and then reaches the server as it goes and stops with "wine client error:0:
# recvmsg: Connection reset by peer". A test that starts many programs, some after seconds of
# other work, holds one server instead (its tests hold the prefix's resource lock).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$1
shift

log="$build_dir/wine-session-env.log"
# shellcheck source=../../scripts/lib.sh
source "$here/../../scripts/lib.sh"
if ! coilcalc_wine_env "$build_dir" 2>"$log"; then
  cat "$log" >&2
  exit 1
fi
# A server left by an earlier run would keep its own persistence: it goes first.
if wineserver -k 2>/dev/null; then wineserver -w; fi
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
"$@"
