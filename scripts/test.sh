#!/usr/bin/env bash
# Builds everything and runs every test: unit and command-line tests natively, the same under
# AddressSanitizer + UndefinedBehaviorSanitizer, the same again with a long double that is only
# a double (as Visual Studio's) and its command line against the native one, a short fuzz run,
# and the Windows program end to end under Wine (cross-built with MinGW, driven under Xvfb, its
# command line against the native one), and the WebAssembly build: its command line under Node
# against the native one, its page in headless Chromium; then the three packages, made with
# CPack and checked as a user installs them.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== sources: no POSIX header outside the platform files, no build output committed"
scripts/check-sources.sh

scripts/setup-debian.sh

echo "== shellcheck: every script"
git ls-files -z -- '*.sh' .ci/run | xargs -0 shellcheck -x

jobs=$(nproc)
for preset in default asan long-double-64; do
  echo "== $preset: build and test"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== web: the WebAssembly build, Node against native, the page in Chromium"
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs"
ctest --preset web -j "$jobs"

echo "== fuzz: a short run of each target"
scripts/fuzz.sh "${FUZZ_SECONDS:-60}"

echo "== mingw: the Windows program under Wine"
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$jobs"
ctest --preset mingw

echo "== packages: made with CPack, checked as a user installs them"
scripts/package-test.sh
