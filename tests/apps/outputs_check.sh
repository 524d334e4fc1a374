#!/usr/bin/env bash
# What users take away from the viewer's headless commands: PDF and SVG
# drawings with their texts as text, white paper, and batches of drawings
# into a folder that go on after a broken file.
# Usage: outputs_check.sh ZOVVIEW SAMPLES
set -u
zovview=$1
samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

plan="$samples/jw/floor_plan.jwc"

# PDF: a valid file on the drawing's paper (A3 landscape), room names as text.
"$zovview" --render "$plan" -o "$work/plan.pdf" || fail "pdf exit $?"
pdfinfo "$work/plan.pdf" >"$work/info" 2>&1 || fail "pdfinfo cannot read plan.pdf"
grep -q "Page size: *1191 x 842 pts" "$work/info" || fail "plan.pdf is not A3 landscape: $(grep 'Page size' "$work/info")"
pdftotext "$work/plan.pdf" - | grep -q "居間" || fail "plan.pdf does not hold the room name as text"
"$zovview" --render "$plan" -o "$work/a4.pdf" --size A4 --paper white || fail "pdf --size A4 exit $?"
pdfinfo "$work/a4.pdf" | grep -q "Page size: *842 x 595 pts" || fail "--size A4 is not A4 landscape"

# SVG: well-formed XML with the texts as <text>.
"$zovview" --render "$plan" -o "$work/plan.svg" --paper white || fail "svg exit $?"
xmllint --noout "$work/plan.svg" || fail "plan.svg is not well-formed"
grep -q "<text[^>]*>[^<]*居間" "$work/plan.svg" || grep -q "居間" "$work/plan.svg" || fail "plan.svg lacks the room name"

# White paper on a PNG: a white background.
"$zovview" --render "$plan" -o "$work/white.png" --paper white || fail "white png exit $?"
corner=$(convert "$work/white.png" -format '%[pixel:p{1,1}]' info: 2>/dev/null)
case "$corner" in white|"srgb(255,255,255)") ;; *) fail "white paper corner is $corner" ;; esac
"$zovview" --render "$plan" -o "$work/x.png" --size A4 2>/dev/null
[ $? -eq 2 ] || fail "a page size for a PNG is a misuse (exit 2)"
"$zovview" --render "$plan" -o "$work/x.pdf" --size 800x600000 2>/dev/null
[ $? -eq 2 ] || fail "an absurd page is a misuse (exit 2)"

# --view: a rectangle of the drawing, as a PNG and a PDF page; four finite
# numbers with a width and a height, or a misuse.
"$zovview" --render "$plan" -o "$work/view.png" --view 0,0,1000,1000 >/dev/null ||
  fail "--view png exit $?"
"$zovview" --render "$plan" -o "$work/view.pdf" --view 0,0,1000,1000 >/dev/null ||
  fail "--view pdf exit $?"
for bad in 0,0,1000 0,0,1000,1000,5 0,0,0,1000 0,0,nan,1 a,b,c,d 0,0,1e999,1; do
  "$zovview" --render "$plan" -o "$work/x.png" --view "$bad" 2>/dev/null
  [ $? -eq 2 ] || fail "--view $bad is a misuse (exit 2)"
done

# Batch into a folder: one output per input, a broken drawing reported and
# passed over, exit 1, a progress line per file.
mkdir -p "$work/in/a" "$work/in/b"
cp "$plan" "$work/in/a/"
cp "$samples/dxf/plan.dxf" "$work/in/a/plan.dxf"
cp "$samples/dxf/plan.dxf" "$work/in/b/plan.dxf"
printf 'not a drawing at all' >"$work/in/a/broken.jwc"
inputs=("$work/in/a/broken.jwc" "$work/in/a/floor_plan.jwc" "$work/in/a/plan.dxf" "$work/in/b/plan.dxf")
"$zovview" --render "${inputs[@]}" -o "$work/pdf/" --format pdf 2>"$work/err"
[ $? -eq 1 ] || fail "a batch with a broken drawing must exit 1"
for out in floor_plan.pdf plan.pdf plan.dxf.pdf; do
  pdfinfo "$work/pdf/$out" >/dev/null 2>&1 || fail "batch output $out missing or invalid"
done
[ ! -e "$work/pdf/broken.pdf" ] || fail "the broken drawing left an output"
[ "$(grep -c '^\[[1-4]/4\] ' "$work/err")" -ge 4 ] || fail "no progress line per file: $(cat "$work/err")"
grep -q "broken.jwc failed" "$work/err" || fail "the failed file is not named"
# --quiet: no progress, but the failure still.
rm -rf "$work/pdf"
"$zovview" --render "${inputs[@]}" -o "$work/pdf/" --format pdf --quiet 2>"$work/err" >"$work/out"
grep -q ' -> ' "$work/err" && fail "--quiet shows progress"
grep -q "broken.jwc failed" "$work/err" || fail "--quiet hides the failure"
[ -s "$work/out" ] && fail "--quiet names the files written"

"$zovview" --export-dxf "${inputs[@]:1}" -o "$work/dxf" --full 2>"$work/err" >/dev/null
[ $? -eq 2 ] || fail "several drawings with -o naming no folder are a misuse (exit 2)"
"$zovview" --export-dxf "${inputs[@]:1}" -o "$work/dxf/" --full 2>"$work/err" >/dev/null || fail "dxf batch exit $?"
for out in floor_plan.dxf plan.dxf plan.dxf.dxf; do
  grep -q "^EOF" "$work/dxf/$out" || fail "batch output $out missing or cut"
done

# Each output of a batch follows the single-file rules: an existing one is
# kept unless --yes is given, and the other files still go through.
echo mine >"$work/dxf/plan.dxf"
"$zovview" --export-dxf "${inputs[@]:1}" -o "$work/dxf/" --full 2>"$work/err" >/dev/null
[ $? -eq 1 ] || fail "a batch over existing outputs without --yes must exit 1"
[ "$(cat "$work/dxf/plan.dxf")" = mine ] || fail "a batch replaced an existing output without --yes"
grep -q "give --yes" "$work/err" || fail "the batch does not say why an output was kept"
"$zovview" --export-dxf "${inputs[@]:1}" -o "$work/dxf/" --full --yes 2>"$work/err" >/dev/null || fail "dxf batch with --yes exit $?"
grep -q "^EOF" "$work/dxf/plan.dxf" || fail "--yes did not replace the batch output"
"$zovview" --render "$plan" -o "$work/plan.pdf" 2>/dev/null >/dev/null
[ $? -eq 1 ] || fail "a PDF over an existing file without --yes must exit 1"
"$zovview" --render "$plan" -o "$work/plan.svg" --yes 2>/dev/null >/dev/null || fail "svg with --yes exit $?"

# An output that would be the drawing itself is refused; the drawing stays.
before=$(md5sum <"$work/in/a/plan.dxf")
"$zovview" --export-dxf "$work/in/a/plan.dxf" -o "$work/in/a/" 2>/dev/null >/dev/null
[ $? -eq 1 ] || fail "writing over the source must fail"
[ "$(md5sum <"$work/in/a/plan.dxf")" = "$before" ] || fail "the source drawing was overwritten"

echo "$((failures == 0)) passed, $failures failed"
exit $((failures > 0))
