#!/usr/bin/env bash
# Prints how the viewer's costs grow with the drawing: for each size (10 000
# to 10 000 000 entities unless sizes are given) the large generated drawing
# (bench/large_drawing.h) is written, imported with `zovview --dump`, and
# drawn at 1920x1080 with `zovview --render`, at the fit and at 1 % of the
# drawn area (--view, a tenth of its width and height about its middle).
# Each command is timed whole (wall and CPU seconds) with its peak memory;
# a render's own share is its time less the import's. Needs a build with
# the benchmarks (make_large_dxf):
#   scripts/scale_table.sh [--build DIR] [ENTITIES...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
if [ "${1:-}" = "--build" ]; then
  build=$(cd "$2" && pwd)
  shift 2
fi
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000 1000000 10000000)
zovview="$build/apps/zovview/zovview"
make_dxf="$build/bench/make_large_dxf"
for program in "$zovview" "$make_dxf"; do
  [ -x "$program" ] || { echo "scale_table: $program is not built" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command; prints "WALL CPU PEAK_MB".
measure() {
  # Each command starts with the previous one's writes on disk: at ten
  # million entities the kernel would otherwise hold the next import's
  # writes back while it writes out gigabytes of the last one.
  sync
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" >/dev/null
  awk '{ printf "%.2f %.2f %.0f", $1, $2 + $3, $4 / 1024 }' "$work/time"
}

printf '| entities | records | DXF MB | import s (CPU) | import MB | render s (CPU) | render MB | 1 %% view s (CPU) | 1 %% view MB |\n'
printf '|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n'
for n in "${sizes[@]}"; do
  dxf="$work/large.dxf"
  bytes=$("$make_dxf" drawing "$dxf" "$n")
  records=$("$zovview" --dump "$dxf" --home "$work/h" | awk -F= '/^ent_num/ { print $2 + 0 }')
  read -r iw ic im <<<"$(measure "$zovview" --dump "$dxf" --home "$work/h")"
  read -r rw rc rm <<<"$(measure "$zovview" --render "$dxf" -o "$work/full.png" --size 1920x1080 \
                          --home "$work/h" --yes)"
  # The generator lays entity i at ((i mod 1000) * 12.5, (i div 1000 mod 1000) * 8.25).
  rows=$(( n < 1000000 ? (n + 999) / 1000 : 1000 ))
  view=$(awk -v h="$rows" 'BEGIN { w = 12500; t = h * 8.25;
    printf "%g,%g,%g,%g", w * 0.45, t * 0.45, w * 0.55, t * 0.55 }')
  read -r vw vc vm <<<"$(measure "$zovview" --render "$dxf" -o "$work/view.png" --size 1920x1080 \
                          --view "$view" --home "$work/h" --yes)"
  awk -v n="$n" -v rec="$records" -v mb="$bytes" -v iw="$iw" -v ic="$ic" -v im="$im" \
      -v rw="$rw" -v rc="$rc" -v rm="$rm" -v vw="$vw" -v vc="$vc" -v vm="$vm" 'BEGIN {
    printf "| %d | %d | %.0f | %.2f (%.2f) | %d | %.2f (%.2f) | %d | %.2f (%.2f) | %d |\n",
           n, rec, mb / 1048576, iw, ic, im, rw - iw, rc - ic, rm, vw - iw, vc - ic, vm }'
  rm -rf "$dxf" "$work/h"
done
