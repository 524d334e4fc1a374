# Demo: the bundled drawings rendered to PNG pictures
# Renders every bundled sample drawing (samples/jw/*.jwc and samples/dxf/*.dxf)
# with `zovview --render`, fitted as the viewer fits a drawing after a load:
# once in the standard display and once as the layer sheet, where every layer
# in use has a cell of its own. Prints where the pictures are.
set -euo pipefail
pictures="$out/render"
mkdir -p "$pictures"
shopt -s nullglob
rendered=0
for sample in "$root"/samples/jw/*.jwc "$root"/samples/dxf/*.dxf; do
  kind=$(basename "$(dirname "$sample")")
  name=$(basename "$sample")
  stem="${kind}_${name%.*}"
  if "$build/apps/zovview/zovview" --render "$sample" -o "$pictures/$stem.png" --quiet &&
     "$build/apps/zovview/zovview" --render "$sample" -o "$pictures/${stem}_layers.png" \
       --style layers --quiet; then
    echo "$kind/$name -> $pictures/$stem.png, ${stem}_layers.png"
    rendered=$((rendered + 1))
  else
    echo "$kind/$name could not be rendered (see the message above)"
  fi
done
echo "(pictures of $rendered bundled drawing(s) in $pictures)"
