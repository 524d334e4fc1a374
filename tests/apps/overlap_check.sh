#!/usr/bin/env bash
# Overlapping runs lose nothing: each program is run 8 at a time on one
# shared folder (the viewer on one --home, the analyser in one working
# folder, the converter from one launch folder), ROUNDS times, and every
# result is compared with the one a run on its own gives.
# Usage: overlap_check.sh ZOVVIEW ZOVEDIT ZR_JWK SAMPLES [ROUNDS]
set -u
zovview=$(realpath "$1")
zovedit=$(realpath "$2")
zr_jwk=$(realpath "$3")
samples=$(realpath "$4")
rounds=${5:-50}
runs=8
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Each run i works on input i of its program; the inputs differ, so a run
# that reads another's files gives another result.
inputs=("$samples/dxf/plan.dxf" "$samples/jw/floor_plan.jwc" "$samples/jw/door_symbol.jwc"
        "$samples/dxf/zovedit_room.dxf")

# --- the viewer: one program folder for all
mkdir -p "$work/view/alone"
for i in $(seq 0 $((runs - 1))); do
  input=${inputs[$((i % 4))]}
  "$zovview" --dump "$input" --home "$work/view/alone/$i" > "$work/view/expected.$i" 2>&1 ||
    fail "viewer run $i alone"
done
for round in $(seq 1 "$rounds"); do
  for i in $(seq 0 $((runs - 1))); do
    "$zovview" --dump "${inputs[$((i % 4))]}" --home "$work/view/shared" \
      > "$work/view/got.$i" 2>&1 &
  done
  wait
  for i in $(seq 0 $((runs - 1))); do
    cmp -s "$work/view/expected.$i" "$work/view/got.$i" ||
      { fail "viewer round $round run $i differs from a run alone"; break 2; }
  done
done
# The shared history holds every load (the last 50 when there were more).
loads=$((rounds * runs))
[ "$loads" -gt 50 ] && loads=50
history=$(sed -n 1p "$work/view/shared/ZovView.CFG" | tr -d '\r')
[ "$history" = "$loads" ] || fail "the shared history holds $history entries, not $loads"
[ -z "$(find "$work/view/shared" -name 'instance-*')" ] || fail "private store folders left behind"

# --- the analyser: one working folder for all
mkdir -p "$work/edit/alone" "$work/edit/shared"
for i in $(seq 0 $((runs - 1))); do
  cp "$samples/dxf/plan.dxf" "$work/edit/alone/in$i.dxf"
  [ $((i % 2)) = 1 ] && cp "$samples/dxf/zovedit_room.dxf" "$work/edit/alone/in$i.dxf"
  cp "$work/edit/alone/in$i.dxf" "$work/edit/shared/in$i.dxf"
done
# Line 7 and 8 name the files, line 9 the time the analysis was made.
analysis() { sed '7,9d' "$1"; }
(cd "$work/edit/alone" && for i in $(seq 0 $((runs - 1))); do
   "$zovedit" --analyse "in$i.dxf" --form 0 -o "in$i.TXT" > /dev/null 2>&1 || echo "alone $i failed"
 done) | grep . && fail "analyser runs alone"
for round in $(seq 1 "$rounds"); do
  (cd "$work/edit/shared" && for i in $(seq 0 $((runs - 1))); do
     "$zovedit" --analyse "in$i.dxf" --form 0 -o "in$i.TXT" --yes > /dev/null 2> "err$i" &
   done
   wait)
  for i in $(seq 0 $((runs - 1))); do
    cmp -s <(analysis "$work/edit/alone/in$i.TXT") <(analysis "$work/edit/shared/in$i.TXT") ||
      { fail "analyser round $round run $i differs from a run alone"; cat "$work/edit/shared/err$i"; break 2; }
  done
done
[ -z "$(find "$work/edit/shared" -name 'ZovEdit-*')" ] || fail "analyser scratch folders left behind"

# --- the converter: one launch folder, a library folder per run
mkdir -p "$work/jwk/alone" "$work/jwk/shared"
for i in $(seq 0 $((runs - 1))); do
  for where in alone shared; do
    mkdir -p "$work/jwk/$where/lib$i"
    # Library i holds the first 1 + i % 4 sample symbols.
    ls "$samples/jwk/"*.JWK | head -n $((1 + i % 4)) | while read -r symbol; do
      cp "$symbol" "$work/jwk/$where/lib$i/"
    done
  done
  (cd "$work/jwk/alone" && "$zr_jwk" "lib$i/" > /dev/null 2>&1 < /dev/null) || fail "converter run $i alone"
done
for round in $(seq 1 "$rounds"); do
  (cd "$work/jwk/shared" && for i in $(seq 0 $((runs - 1))); do
     "$zr_jwk" "lib$i/" > /dev/null 2>&1 < /dev/null &
   done
   wait)
  for i in $(seq 0 $((runs - 1))); do
    cmp -s "$work/jwk/alone/lib$i/ZR_JWK.DXF" "$work/jwk/shared/lib$i/ZR_JWK.DXF" ||
      { fail "converter round $round run $i differs from a run alone"; break 2; }
  done
done
[ -z "$(find "$work/jwk/shared" -maxdepth 1 -name 'ZR_JWK-*')" ] || fail "converter scratch folders left behind"

echo "$runs at once, $rounds rounds: $([ $failures = 0 ] && echo passed || echo "$failures failed")"
[ "$failures" = 0 ]
