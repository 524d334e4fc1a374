# Demo: DWG drawings through the bundled converter
# Renders the DWG files of ../shared/corpus/dwg/ with `zovview --render` and no
# converter configured (the bundled one converts), with the time and peak
# memory of each; then opens one in the window under xvfb-run and stops a
# slow conversion with Esc (scripts/window_dwg_check.sh). Pictures and
# screenshots are in demo-output/dwg/.
set -euo pipefail
corpus="$root/../shared/corpus/dwg"
pictures="$out/dwg"
mkdir -p "$pictures"
if [ ! -f "$root/dwg-converter/node_modules/@mlightcad/libredwg-web/package.json" ]; then
  echo "(skipped: the bundled DWG converter is not installed)"
  exit 0
fi
shopt -s nullglob
drawings=("$corpus"/*.dwg)
[ ${#drawings[@]} -gt 0 ] || { echo "(skipped: no DWG files in $corpus)"; exit 0; }
printf '%-28s %8s %12s\n' drawing seconds "peak memory"
for dwg in "${drawings[@]}"; do
  name=$(basename "$dwg" .dwg)
  home=$(mktemp -d)
  measured=$( { /usr/bin/time -f "%e %M" "$build/apps/zovview/zovview" --render "$dwg" \
                  -o "$pictures/$name.png" --home "$home" --yes --quiet; } 2>&1 | tail -n 1)
  rm -rf "$home"
  read -r seconds kilobytes <<<"$measured"
  printf '%-28s %8s %9s MB\n' "$name.dwg" "$seconds" "$((kilobytes / 1024))"
done
echo "(pictures in $pictures)"
for tool in xvfb-run xdotool xwd convert; do
  command -v "$tool" >/dev/null || { echo "(window skipped: $tool is missing)"; exit 0; }
done
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$root/scripts/window_dwg_check.sh" "$build/apps/zovview/zovview" "${drawings[0]}" "$pictures"
