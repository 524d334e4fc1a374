# Demo: drawings written back as DXF by the viewer's DXF writer
# Loads the bundled JW_CAD floor plan and the help drawing's source through the
# viewer's load pipeline and writes each as an R14 DXF (lines, circles, arcs
# and ellipses on their layers, with the header template VV_HED.DAT); the
# floor plan is also written as its layer sheet. Prints what each file holds.
set -euo pipefail
zovview="$build/apps/zovview/zovview"
mkdir -p "$out/export"
summary() {
  local file=$1
  printf '    %s: %s bytes;' "$(basename "$file")" "$(wc -c < "$file")"
  for type in LINE CIRCLE ARC ELLIPSE LAYER; do
    printf ' %s %s' "$type" "$(tr -d '\r' < "$file" | grep -A1 -x '0' | grep -c -x "$type" || true)"
  done
  echo
}
"$zovview" --export-dxf "$root/samples/jw/floor_plan.jwc" -o "$out/export/floor_plan.dxf" --yes >/dev/null
summary "$out/export/floor_plan.dxf"
"$zovview" --export-dxf "$root/samples/jw/floor_plan.jwc" -o "$out/export/floor_plan_layers.dxf" --yes \
  --style layers >/dev/null
summary "$out/export/floor_plan_layers.dxf"
"$zovview" --export-dxf "$root/apps/zovview/help/ZovV_Hlp.dxf" -o "$out/export/help.dxf" --yes >/dev/null
summary "$out/export/help.dxf"
echo "(DXF files: $out/export/)"
