#!/usr/bin/env bash
# Every DWG of the corpus converts through the bundled converter, with no
# converter folder configured, and renders with a picture.
#   bundled_converter_check.sh ZOVVIEW CONVERTER_FOLDER CORPUS_DWG_FOLDER
# Exit 77 (skipped) with the reason when the converter is not installed.
set -euo pipefail
zovview=$1 converter=$2 corpus=$3
if [ ! -f "$converter/node_modules/@mlightcad/libredwg-web/package.json" ]; then
  echo "SKIP: the bundled DWG converter is not installed in $converter (scripts/setup.sh installs it)"
  exit 77
fi
if ! command -v node >/dev/null && ! command -v nodejs >/dev/null; then
  echo "SKIP: Node.js is not installed (scripts/setup.sh installs it)"
  exit 77
fi
if ! compgen -G "$corpus/*.dwg" >/dev/null; then
  echo "SKIP: no DWG files in $corpus"
  exit 77
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
count=0
for dwg in "$corpus"/*.dwg; do
  name=$(basename "$dwg" .dwg)
  home=$(mktemp -d "$scratch/home-XXXXXX")
  "$zovview" --render "$dwg" -o "$scratch/$name.png" --home "$home" >/dev/null ||
    { echo "FAIL: $name.dwg did not render" >&2; exit 1; }
  # The share of pixels that are not the black background.
  drawn=$(convert "$scratch/$name.png" -colorspace gray -threshold 5% -format '%[fx:mean]' info:)
  awk -v drawn="$drawn" 'BEGIN { exit !(drawn > 0) }' ||
    { echo "FAIL: $name.dwg rendered an empty picture" >&2; exit 1; }
  # Nothing of the conversion is left in the program folder.
  if compgen -G "$home/dwg-*" >/dev/null; then
    echo "FAIL: $name.dwg left its conversion folder" >&2; exit 1
  fi
  echo "$name.dwg: ${drawn} of the picture drawn"
  count=$((count + 1))
done
[ "$count" -eq 5 ] || { echo "FAIL: $count DWG files in $corpus, 5 expected" >&2; exit 1; }
echo "$count passed, 0 failed"
