#!/usr/bin/env bash
# Makes the three packages with CPack and checks each as a user installs it: the .deb unpacked
# and its command line run, lintian on it; the Windows zip unpacked and both programs run from
# it under Wine; the web archive unpacked and served, offline and on a phone-sized screen; and
# cmake --install of each build against its package, file for file.
# Needs the default, mingw and web builds (scripts/test.sh makes them first).
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(sed -n 's/^project(coilcalc VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
packages=build/packages
work=$(mktemp -d "${TMPDIR:-/tmp}/coilcalc-packages.XXXXXX")
trap 'rm -rf "$work"' EXIT
solve=(--diameter 1 --height 1 --turns 10)
expected=$(build/default/cli/coilcalc-cli "${solve[@]}")

fail() {
  echo "package-test.sh: $*" >&2
  exit 1
}

# The package's files against what cmake --install puts under a prefix: same names, same bytes.
# The Debian package's program is stripped, as cmake --install --strip does it.
same_as_install() {
  local build=$1 unpacked=$2 prefix=$3
  shift 3
  cmake --install "$build" --prefix "$work/install$prefix" "$@" >/dev/null
  diff -r "$unpacked" "$work/install$prefix" || fail "cmake --install $build differs from its package"
}

for preset in debian mingw web; do
  cpack --preset "$preset" >"$work/cpack-$preset.log" 2>&1 ||
    { cat "$work/cpack-$preset.log" >&2; fail "cpack --preset $preset failed"; }
done

echo "== the Debian package"
deb=$packages/coilcalc-cli_${version}_amd64.deb
dpkg-deb -x "$deb" "$work/deb"
[ "$("$work/deb/usr/bin/coilcalc-cli" "${solve[@]}")" = "$expected" ] ||
  fail "the packaged coilcalc-cli answers otherwise than the build's"
for file in usr/share/man/man1/coilcalc-cli.1.gz usr/share/doc/coilcalc-cli/copyright; do
  [ -f "$work/deb/$file" ] || fail "$deb has no $file"
done
same_as_install build/default "$work/deb/usr" /usr --strip
# Errors fail the test; warnings and notes are shown.
lintian --fail-on error --display-info "$deb" || fail "lintian found errors in $deb"

echo "== the Windows zip"
unzip -q "$packages/coilcalc-$version-windows-x86_64.zip" -d "$work/zip"
windows=$work/zip/coilcalc-$version-windows-x86_64
same_as_install build/mingw "$windows" /windows
if [ -f "$windows/coilcalc-cli.exe" ]; then
  (
    # shellcheck source=scripts/lib.sh
    source scripts/lib.sh
    coilcalc_wine_env build/mingw
    [ "$(wine64 "$windows/coilcalc-cli.exe" "${solve[@]}" | tr -d '\r')" = "$expected" ] ||
      fail "the zip's coilcalc-cli.exe answers otherwise than the native build"
  )
else
  grep -q "dialog program alone" "$windows/README.txt" ||
    fail "the zip has no coilcalc-cli.exe and its README.txt does not say so"
fi
COILCALC_EXE_UNIX="$windows/coilcalc.exe" bash tests/e2e/run-e2e.sh build/mingw \
  build/mingw/tests/e2e/coilcalc_e2e_tests.exe --gtest_filter=Solve.ExampleCoilsShowTheirResults

echo "== the web archive"
mkdir -p "$work/web"
tar -xzf "$packages/coilcalc-web-$version.tar.gz" -C "$work/web"
site=$work/web/coilcalc-web-$version
same_as_install build/web "$site" /web
/usr/bin/python3 web/tests/offline_test.py --site "$site"
