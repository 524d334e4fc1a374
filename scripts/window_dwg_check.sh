#!/usr/bin/env bash
# DWG files in the window on an X display: a DWG named on the command line
# opens through the bundled converter with no converter configured and titles
# the window with its name; then, with a converter that takes 20 seconds
# (given with /D:), the window shows the conversion and its cancel button, and
# Esc ends the conversion at once while the window stays. Screenshots go to OUT_DIR.
#   window_dwg_check.sh ZOVVIEW DWG OUT_DIR
set -euo pipefail
zovview=$1 dwg=$2 shots=$3
mkdir -p "$shots"
source "$(dirname "$0")/window_common.sh"
shot() { xwd -root -silent | convert xwd:- "$shots/$1"; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

name=$(basename "$dwg")
title="${name%.*}.DWG - ZovView"
ZOVVIEW_HOME=$scratch/home "$zovview" "$dwg" 2>/dev/null &
viewer=$!
window=$(wait_for "^$title\$")
sleep 0.5
shot dwg-window.png
echo "  \"$(xdotool getwindowname "$window")\" (dwg-window.png)"
xdotool windowfocus "$window" 2>/dev/null || true
xdotool key alt+F4
wait "$viewer" || fail "exit code $?"

# A converter that takes 20 seconds.
slow=$scratch/slow-converter
mkdir -p "$slow"
printf '#!/bin/sh\necho $$ > "%s/pid"\nexec sleep 20\n' "$slow" > "$slow/DCONVERT.EXE"
chmod +x "$slow/DCONVERT.EXE"
: > "$slow/ADINIT.DAT"
cp "$dwg" "$scratch/house.dwg"
ZOVVIEW_HOME=$scratch/home "$zovview" "$scratch/house.dwg" "/D:$slow" 2>/dev/null &
viewer=$!
progress=$(wait_for '^ZovView$')
sleep 2.5
shot dwg-progress.png
converter=$(cat "$slow/pid")
kill -0 "$converter" 2>/dev/null || fail "the converter is not running"
echo "  converting for 3 s: progress and cancel shown (dwg-progress.png)"
xdotool windowfocus "$progress" 2>/dev/null || true
xdotool key Escape
stopped=""
for _ in $(seq 20); do
  kill -0 "$converter" 2>/dev/null || { stopped=yes; break; }
  sleep 0.05
done
[ -n "$stopped" ] || fail "the converter still runs a second after Esc"
window=$(wait_for '^ZovViewについて - ZovView$')
sleep 0.5
shot dwg-cancelled.png
echo "  Esc ended the conversion within a second; \"$(xdotool getwindowname "$window")\" stays (dwg-cancelled.png)"
xdotool windowfocus "$window" 2>/dev/null || true
xdotool key alt+F4
wait "$viewer" || fail "exit code $?"
