#!/usr/bin/env bash
# Runs the Windows coilcalc-cli.exe under Wine in the build folder's prefix, with standard
# input, output, error and the exit status passed through untouched.
#   wine-cli.sh <build folder> <coilcalc-cli.exe> [arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build_dir=$1
program=$2
shift 2

# Preparing a new prefix reports on stderr, which must hold only the program's messages.
log="$build_dir/wine-cli-env.log"
# shellcheck source=../../scripts/lib.sh
source "$here/../../scripts/lib.sh"
if ! coilcalc_wine_env "$build_dir" 2>"$log"; then
  cat "$log" >&2
  exit 1
fi
exec wine64 "$program" "$@"
