#!/usr/bin/env bash
# A folder named with --home keeps the store whatever its name; a temporary
# program folder is gone after the command; a failed load exits 1.
set -u
zovview=$1
samples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

home="$work/zovview-mine"
"$zovview" --dump "$samples/dxf/plan.dxf" --home "$home" >/dev/null || fail "dump with --home"
[ -f "$home/\$VV_DAT\$.TMP" ] || fail "the store in the --home folder was removed"

mkdir "$work/tmp"
TMPDIR="$work/tmp" "$zovview" --dump "$samples/jw/floor_plan.jwc" >/dev/null || fail "dump of .jwc"
[ -z "$(ls -A "$work/tmp")" ] || fail "a temporary program folder was left behind"

TMPDIR="$work/tmp" "$zovview" --dump "$work/missing.dxf" >/dev/null 2>"$work/err"
[ $? -eq 1 ] || fail "a missing file must exit 1"
[ -s "$work/err" ] || fail "a missing file must be reported on stderr"
[ -z "$(ls -A "$work/tmp")" ] || fail "a failed load left its temporary folder"
echo "1 passed, 0 failed"
