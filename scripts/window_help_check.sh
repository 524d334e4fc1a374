#!/usr/bin/env bash
# The first start of a day on an X display: without FILE the help drawing is
# shown; with a FILE that does not exist the message box comes first and the
# help drawing stays. Screenshots go to OUT_DIR.
#   window_help_check.sh ZOVVIEW OUT_DIR   (each start in a fresh ZOVVIEW_HOME)
set -euo pipefail
zovview=$1
shots=$2
mkdir -p "$shots"
source "$(dirname "$0")/window_common.sh"
run() {  # NAME ARGUMENTS...
  local name=$1 home
  shift
  home=$(mktemp -d)
  ZOVVIEW_HOME=$home "$zovview" "$@" 2>/dev/null &
  local pid=$!
  if [ $# -gt 0 ]; then
    box=$(wait_for '^ZovView$')
    sleep 0.3
    xwd -root -silent | convert xwd:- "$shots/$name-message.png"
    echo "  message box shown ($name-message.png); answered with Return"
    xdotool windowfocus "$box" 2>/dev/null || true
    xdotool key Return
  fi
  window=$(wait_for '^ZovViewについて - ZovView$')
  sleep 1.5  # the start screen waits one second
  xwd -root -silent | convert xwd:- "$shots/$name.png"
  echo "  \"$(xdotool getwindowname "$window")\" ($name.png)"
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool key alt+F4
  wait "$pid" || fail "exit code $?"
  rm -rf "$home"
}
echo "first start of the day without FILE:"
run help-drawing
echo "first start with a FILE that does not exist:"
run missing-file /nowhere/gone.dxf
