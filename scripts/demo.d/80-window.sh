# Demo: the viewer's window on a virtual X display
# Starts `zovview` on the bundled JW_CAD floor plan under xvfb-run, checks the
# title and the maximised window, zooms and pans with the keys, the wheel and
# a both-button drag, opens the File menu with Alt+F, switches to the layer
# sheet, hides a layer with a click, and ends with Alt+F4. The screenshots
# are in demo-output/window/.
set -euo pipefail
for tool in xvfb-run xdotool xwd convert xprop xwininfo; do
  command -v "$tool" >/dev/null || { echo "(skipped: $tool is missing)"; exit 0; }
done
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
ZOVVIEW_HOME=$home xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$root/scripts/window_tour.sh" "$build/apps/zovview/zovview" \
  "$root/samples/jw/floor_plan.jwc" "$out/window"
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$root/scripts/window_help_check.sh" "$build/apps/zovview/zovview" "$out/window"
