# Demo: what users take away: a full DXF, PDF and SVG pages, a batch
# Writes the bundled JW_CAD floor plan as a full DXF (texts, points, layer
# states as well) and shows its room names read back from the file; renders
# it as a PDF page on its A3 paper and as an SVG picture on white paper; then
# converts all bundled drawings at once into one folder.
set -euo pipefail
zovview="$build/apps/zovview/zovview"
takeaway="$out/takeaway"
mkdir -p "$takeaway"
plan="$root/samples/jw/floor_plan.jwc"
"$zovview" --export-dxf "$plan" -o "$takeaway/floor_plan_full.dxf" --full >/dev/null 2>&1
texts=$(tr -d '\r' < "$takeaway/floor_plan_full.dxf" | grep -A1 -x '0' | grep -c -x TEXT || true)
rooms=$(tr -d '\r' < "$takeaway/floor_plan_full.dxf" | iconv -f CP932 -t UTF-8 |
        awk 'prev == "1" && /^[^0-9A-Za-z]/ {printf "%s ", $0} {prev = $0}')
echo "    floor_plan_full.dxf: $texts TEXT entities: $rooms"
"$zovview" --render "$plan" -o "$takeaway/floor_plan.pdf" >/dev/null
"$zovview" --render "$plan" -o "$takeaway/floor_plan.svg" --paper white >/dev/null
if command -v pdfinfo >/dev/null; then
  echo "    floor_plan.pdf: $(pdfinfo "$takeaway/floor_plan.pdf" | grep 'Page size' | tr -s ' ')"
fi
echo "    floor_plan.svg: $(wc -c < "$takeaway/floor_plan.svg") bytes"
"$zovview" --export-dxf "$root"/samples/jw/*.jwc "$root"/samples/dxf/*.dxf -o "$takeaway/batch/" \
  --full >/dev/null 2>"$takeaway/batch.log" || true
grep -v '^information' "$takeaway/batch.log" | sed 's/^/    /'
echo "(files: $takeaway/)"
