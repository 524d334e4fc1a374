# Demo: a DXF drawing imported into the drawing store
# Imports samples/dxf/plan.dxf, a small floor plan in the AutoCAD 2007 format
# (LF line ends, Japanese layer, block and text names in UTF-8), with
# `zovview --dump` and prints what the store holds: the header dump, every
# layer and block, and the drawing's entity records by kind.
set -euo pipefail
home="$out/dxf"
"$build/apps/zovview/zovview" --dump "$root/samples/dxf/plan.dxf" --home "$home"
echo "(store: $home)"
