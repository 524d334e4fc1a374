#!/usr/bin/env bash
# Every drawing of the corpus renders to a valid PDF page and a well-formed
# SVG picture, in one batch each.
# Usage: corpus_pages_check.sh ZOVVIEW CORPUS_FOLDER
set -u
zovview=$1
corpus=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shopt -s nullglob nocaseglob
drawings=("$corpus"/*.dxf)
[ ${#drawings[@]} -gt 0 ] || { echo "FAIL: no drawings in $corpus"; exit 1; }
failures=0
"$zovview" --render "${drawings[@]}" -o "$work/pdf/" --format pdf 2>"$work/pdf.err" ||
  { echo "FAIL: pdf batch: $(tail -3 "$work/pdf.err")"; failures=$((failures + 1)); }
"$zovview" --render "${drawings[@]}" -o "$work/svg/" --format svg --paper white 2>"$work/svg.err" ||
  { echo "FAIL: svg batch: $(tail -3 "$work/svg.err")"; failures=$((failures + 1)); }
for f in "$work"/pdf/*.pdf; do
  pdfinfo "$f" >/dev/null 2>&1 || { echo "FAIL: invalid PDF $(basename "$f")"; failures=$((failures + 1)); }
done
for f in "$work"/svg/*.svg; do
  xmllint --noout --huge "$f" 2>/dev/null || { echo "FAIL: invalid SVG $(basename "$f")"; failures=$((failures + 1)); }
done
pdfs=("$work"/pdf/*.pdf)
svgs=("$work"/svg/*.svg)
[ ${#pdfs[@]} -eq ${#drawings[@]} ] && [ ${#svgs[@]} -eq ${#drawings[@]} ] ||
  { echo "FAIL: ${#drawings[@]} drawings, ${#pdfs[@]} PDF, ${#svgs[@]} SVG"; failures=$((failures + 1)); }
echo "${#drawings[@]} drawings as PDF and SVG, $failures failures"
exit $((failures > 0))
