#!/usr/bin/env bash
# End-to-end checks of `zovview --render`: a bundled DXF drawing becomes a PNG
# of the asked size in both display styles; bad arguments and unreadable
# drawings exit 1 with a message and leave no picture.
# Usage: render_command_test.sh ZOVVIEW SOURCE_DIR WORK_DIR
set -uo pipefail
zovview=$1 source=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Width and height of a PNG from its IHDR chunk.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }

plan="$source/samples/dxf/plan.dxf"
"$zovview" --render "$plan" -o "$work/plan.png" --size 320x200 || fail "plan.dxf exit $?"
[ "$(png_size "$work/plan.png" 2>/dev/null)" = "320x200" ] || fail "plan.png is not a 320x200 PNG"

"$zovview" --render "$plan" -o "$work/sheet.png" --style layers --filter all \
  --dimension-ends 2 --home "$work/home" || fail "layer sheet exit $?"
[ "$(png_size "$work/sheet.png" 2>/dev/null)" = "1600x1131" ] || fail "sheet.png is not 1600x1131"
[ -f "$work/home/\$VV_SUM\$.TMP" ] || fail "--home does not hold the layer sheet store"

expect_refusal() {
  local what=$1; shift
  if "$zovview" --render "$@" 2>"$work/err.txt"; then fail "$what: exit 0"; fi
  [ -s "$work/err.txt" ] || fail "$what: no message"
}
expect_refusal "missing -o" "$plan"
expect_refusal "bad size" "$plan" -o "$work/x.png" --size 0x10
expect_refusal "bad filter" "$plan" -o "$work/x.png" --filter some
expect_refusal "bad style" "$plan" -o "$work/x.png" --style thumbnails
expect_refusal "bad end style" "$plan" -o "$work/x.png" --dimension-ends 4
expect_refusal "missing drawing" "$work/none.dxf" -o "$work/x.png"
expect_refusal "unwritable picture" "$plan" -o "$work/no/such/folder/x.png"
[ ! -e "$work/x.png" ] || fail "a refused command left a picture"

exit $((failures > 0))
