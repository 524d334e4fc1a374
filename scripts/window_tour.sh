#!/usr/bin/env bash
# Drives the windowed viewer on an X display (a virtual one from xvfb-run):
# starts "zovview FILE", checks its title and that it is maximised, presses
# the navigation keys, turns the wheel, drags with both buttons, opens the
# File menu with Alt+F, switches to the layer sheet and hides a layer by a
# click, and ends the program with Alt+F4. Screenshots go to OUT_DIR.
#   ZOVVIEW_HOME=DIR window_tour.sh ZOVVIEW FILE OUT_DIR
set -euo pipefail
zovview=$1
file=$2
shots=$3
mkdir -p "$shots"
name=$(basename "$file")
fail() { echo "FAIL: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }

started=$(date +%s.%N)
"$zovview" "$file" 2>/dev/null &
pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name "^$name - ZovView\$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || fail "no window titled '$name - ZovView'"
shown=$(date +%s.%N)
sleep 0.5
printf 'window "%s" shown after %s s\n' "$(xdotool getwindowname "$window")" \
  "$(awk -v a="$started" -v b="$shown" 'BEGIN { printf "%.1f", b - a }')"
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT || fail "not maximised"
geometry=$(xwininfo -id "$window" | awk '/Width|Height/ {printf "%s ", $2}')
echo "maximised: ${geometry% }"
xdotool windowfocus "$window" 2>/dev/null || true

picture() { xwd -root -silent | md5sum | cut -c1-12; }
shot() { xwd -root -silent | convert xwd:- "$shots/$1.png"; echo "  screenshot $1.png"; }
last=$(picture)
shot 01-start
changed() {  # ACTION: the picture must differ from the one before
  sleep 0.4
  local now
  now=$(picture)
  [ "$now" != "$last" ] || fail "$1 did not change the picture"
  echo "  $1 changes the picture"
  last=$now
}
xdotool key Prior; changed "Page Up"
xdotool key Prior; changed "Page Up"
shot 02-zoomed
xdotool key Next; changed "Page Down"
for arrow in Left Right Up Down; do xdotool key "$arrow"; changed "$arrow"; done
xdotool mousemove 640 500 click 5; changed "wheel backward"
xdotool mousemove 640 500 click 4; changed "wheel forward"
xdotool mousemove 500 400 mousedown 1 mousedown 3 mousemove 560 450 mousemove 700 560
sleep 0.3; shot 03-rubber-band
xdotool mouseup 1 mouseup 3; changed "both-button drag"
shot 04-zoomed-to-rectangle

xdotool key alt+f; sleep 0.5; shot 05-file-menu
xdotool key Escape Escape; sleep 0.3
# The layer sheet: the second menu's second item.
xdotool key alt+f Right Down Return; changed "layer sheet"
shot 06-layer-sheet
xdotool mousemove 320 320 click 1; sleep 0.4
shot 07-layer-toggled
xdotool key alt+f Right Return; changed "standard display"
shot 08-standard-again

xdotool key alt+F4
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status after Alt+F4"
echo "Alt+F4: exit code 0"
for written in ZovView.CFG '$IND_B$.TMP'; do
  [ -s "$ZOVVIEW_HOME/$written" ] || fail "$written not written"
done
echo "ZovView.CFG and the history written; last opened: $(sed -n 9p "$ZOVVIEW_HOME/ZovView.CFG" | iconv -f CP932 -t UTF-8 | tr -d '\r')"
