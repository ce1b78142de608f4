#!/usr/bin/env bash
# Builds the calculator for other processors with Debian's cross compilers and runs every native
# test there under qemu-user, then compares its command line with the default build's byte for
# byte: aarch64 (long double is binary128) and ppc64le (IBM double-double).
#   scripts/test-targets.sh [PRESET...]     (default: aarch64 ppc64le)
set -euo pipefail
cd "$(dirname "$0")/.."

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(aarch64 ppc64le)
scripts/setup-debian.sh targets

jobs=$(nproc)
echo "== default: the command line the others are compared with"
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs" --target coilcalc-cli
for preset in "${presets[@]}"; do
  echo "== $preset: cross build, tests under qemu-user"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
