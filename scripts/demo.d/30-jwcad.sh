# Demo: a JW_CAD floor plan and a JW_CAD symbol imported by the viewer
# Imports the bundled floor plan (a JW_CAD data file with Japanese layer and
# room names) and a door symbol (a JW_CAD symbol file; the magic text, not the
# extension, tells them apart) into drawing stores and prints their listings.
# Each store folder also holds the import's header dump ZovJwc.txt.
set -euo pipefail
for sample in floor_plan door_symbol; do
  echo "--- samples/jw/$sample.jwc"
  "$build/apps/zovview/zovview" --dump "$root/samples/jw/$sample.jwc" --home "$out/jwcad/$sample"
done
echo "(stores and header dumps: $out/jwcad/)"
