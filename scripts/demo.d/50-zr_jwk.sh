# Demo: ZR_JWK turns a folder of JW_CAD symbols into one DXF symbol-library sheet
# Converts the bundled sample symbols (samples/jwk/) twice: on a sheet at the
# symbols' own scale, and with -s as A3 thumbnails. zr_jwk prints its summary
# (output file, paper, scale, text size) and keeps its settings file
# ZR_JWK.CFG and scratch files in the folder it is started from.
set -euo pipefail
demo="$out/zr_jwk"
mkdir -p "$demo"
for layout in sheet thumbnails; do
  rm -rf "${demo:?}/$layout"
  cp -r "$root/samples/jwk" "$demo/$layout"
done
cd "$demo"
"$build/apps/zr_jwk/zr_jwk" "$demo/sheet/" </dev/null
echo
"$build/apps/zr_jwk/zr_jwk" -s "$demo/thumbnails/" </dev/null
echo
echo "(DXF files: $(ls "$demo"/sheet/*.DXF) and $(ls "$demo"/thumbnails/*.DXF))"
