#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when they are missing.
#   scripts/setup-debian.sh          everything (native build, tests, fuzzing, Windows build, Wine,
#                                    WebAssembly build, Node and the browser tests, the
#                                    packages' checks)
#   scripts/setup-debian.sh native   only what the native build and its tests need
#   scripts/setup-debian.sh web      the native build and the WebAssembly build with its tests
#   scripts/setup-debian.sh report   the native build and the accuracy report's Python packages
#   scripts/setup-debian.sh targets  the native build, cross compilers for aarch64 and ppc64le, qemu-user
set -euo pipefail
cd "$(dirname "$0")/.."

# nec2c: the full-wave model of the helix that the self-resonance test compares with;
# ngspice and python3-scikit-rf: the simulator and the Touchstone reader that read the sweep's
# SPICE model and Touchstone file back.
native=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev libcli11-dev
        nlohmann-json3-dev libfmt-dev clang libclang-rt-14-dev python3 scdoc groff-base shellcheck
        nec2c ngspice python3-scikit-rf)
windows=(g++-mingw-w64-x86-64 wine64 fonts-wine xvfb xauth imagemagick xdotool)
web=(emscripten nodejs chromium chromium-driver python3-selenium)
# The packages (cpack --preset debian needs dpkg-shlibdeps and file) and their checks.
packaging=(lintian unzip dpkg-dev file)
# For /usr/bin/python3: the accuracy report's plots, the 30-digit reference values and the
# winding's numerical model (scripts/proximity_model.py, also run as a test).
report=(python3-matplotlib python3-mpmath python3-numpy python3-scipy)
# scripts/test-targets.sh: other processors, their programs run under qemu-user.
targets=(g++-aarch64-linux-gnu g++-powerpc64le-linux-gnu qemu-user)

wanted=("${native[@]}")
case "${1:-all}" in
  native) ;;
  report) wanted+=("${report[@]}") ;;
  targets) wanted+=("${targets[@]}") ;;
  web) wanted+=("${web[@]}") ;;
  all) wanted+=("${windows[@]}" "${report[@]}" "${web[@]}" "${packaging[@]}") ;;
  *) echo "usage: scripts/setup-debian.sh [native|report|web|targets]" >&2; exit 2 ;;
esac

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
