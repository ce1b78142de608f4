#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when they are missing.
#   scripts/setup-debian.sh          everything (native build, tests, fuzzing, Windows build, Wine)
#   scripts/setup-debian.sh native   only what the native build and its tests need
set -euo pipefail
cd "$(dirname "$0")/.."

native=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev libcli11-dev
        nlohmann-json3-dev clang libclang-rt-14-dev python3)
windows=(g++-mingw-w64-x86-64 wine64 fonts-wine xvfb xauth imagemagick xdotool)

wanted=("${native[@]}")
[ "${1:-all}" = native ] || wanted+=("${windows[@]}")

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
