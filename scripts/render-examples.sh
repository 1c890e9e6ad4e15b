#!/bin/bash
# Renders the HTML of every example in hlx/tests/examples with headless Chromium into a PNG, so
# that a reviewer can look at each language. Not part of the tests.
#
#   bash scripts/render-examples.sh [BUILD_DIR] [OUT_DIR] [--dark]
#
# BUILD_DIR (default build) holds bin/lumivar-hlx; OUT_DIR (default BUILD_DIR/rendered) gets
# EXAMPLE.html and EXAMPLE.png per example, then tree-index.png and tree-anchors.png: the index
# page and a page with line anchors of the examples converted by lumivar-hlx convert.
# --dark renders with the dark colour scheme.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dark=
args=()
for arg in "$@"; do
  if [ "$arg" = --dark ]; then dark=1; else args+=("$arg"); fi
done
build=${args[0]:-$root/build}
out=${args[1]:-$build/rendered}
formatter=$build/bin/lumivar-hlx
examples=$root/hlx/tests/examples

if ! command -v chromium >/dev/null; then
  if [ "$(id -u)" = 0 ]; then apt-get install -y --no-install-recommends chromium fonts-dejavu-core; else sudo apt-get install -y --no-install-recommends chromium fonts-dejavu-core; fi
fi
[ -x "$formatter" ] || { echo "build lumivar-hlx first: $formatter is missing" >&2; exit 1; }
mkdir -p "$out"

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
flags=(--headless --disable-gpu --no-first-run --disable-background-networking --disable-component-update
       --disable-sync --hide-scrollbars "--user-data-dir=$profile")
[ "$(id -u)" = 0 ] && flags+=(--no-sandbox)
[ -n "$dark" ] && flags+=(--force-dark-mode --blink-settings=preferredColorScheme=0)

shot() {  # shot PNG URL HEIGHT
  chromium "${flags[@]}" --window-size=1000,$3 "--screenshot=$1" "$2" 2>/dev/null
  echo "$1"
}

# The definition an example is formatted with: the one named beside it in examples.tsv.
while IFS=$'\t' read -r example definition _; do
  case "$example" in ''|'#'*|example) continue ;; esac
  html=$out/$example.html
  TAVREL_ACP=65001 "$formatter" format "$root/hlx/$definition" "$examples/$example" > "$html"
  lines=$(wc -l < "$examples/$example")
  height=$(( (lines + 2) * 19 + 16 ))
  [ "$height" -gt 6000 ] && height=6000
  shot "$out/$example.png" "file://$html" "$height"
done < "$examples/examples.tsv"

TAVREL_ACP=65001 "$formatter" convert "$examples" --out "$out/tree" --line-anchors 2>/dev/null || true
shot "$out/tree-index.png" "file://$out/tree/index.html" 700
shot "$out/tree-anchors.png" "file://$out/tree/01_compress_easy.c.html#L20" 700
