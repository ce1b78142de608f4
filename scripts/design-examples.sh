#!/usr/bin/env bash
# Writes the example designs of docs/design.md again from the designer and the exhaustive search
# of the default build (after a change of the physics reference, say): the text between the
# page's two marker lines is replaced.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build --preset default -j2 --target coilcalc_design_examples >/dev/null
page=docs/design.md
begin='<!-- examples: written by scripts/design-examples.sh -->'
end='<!-- end of examples -->'
if ! grep -qxF "$begin" "$page" || ! grep -qxF "$end" "$page"; then
  echo "no example markers in $page" >&2
  exit 1
fi
tables=$(mktemp)
trap 'rm -f "$tables"' EXIT
build/default/tests/design/coilcalc_design_examples >"$tables"
awk -v begin="$begin" -v end="$end" -v tables="$tables" '
  $0 == begin { print; while ((getline line < tables) > 0) print line; skip = 1; next }
  $0 == end { skip = 0 }
  !skip { print }' "$page" >"$page.new"
mv "$page.new" "$page"
echo "examples written into $page"
