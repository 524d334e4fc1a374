#!/usr/bin/env bash
# The viewer's headless commands as a hostile or unlucky user meets them:
# outputs over the source or over existing files, relative --home folders,
# misused options, a missing TMPDIR, a full disk and a command that is ended.
# Usage: headless_trust_check.sh ZOVVIEW SAMPLES
set -u
zovview=$(realpath "$1")
samples=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() {  # run EXPECTED_EXIT DESCRIPTION ARGS...
  local expected=$1 what=$2
  shift 2
  "$zovview" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" = "$expected" ] || { fail "$what: exit $got, expected $expected"; cat "$work/err"; }
}
cd "$work" || exit 1
cp "$samples/dxf/plan.dxf" plan.dxf
original=$(md5sum < plan.dxf)

# Never over the source; an existing output only with --yes.
run 1 "render over its source" --render plan.dxf -o plan.dxf
run 1 "export over its source" --export-dxf plan.dxf -o ./plan.dxf
[ "$(md5sum < plan.dxf)" = "$original" ] || fail "the source drawing was changed"
echo mine > picture.png
run 1 "render over an existing picture" --render plan.dxf -o picture.png
grep -q "give --yes" err || fail "no word about --yes"
[ "$(cat picture.png)" = mine ] || fail "the existing picture was replaced without --yes"
run 0 "render with --yes" --render plan.dxf -o picture.png --yes --size 64x48
[ "$(head -c 4 picture.png | tail -c 3)" = PNG ] || fail "--yes did not write the picture"

# A picture named in Shift-JIS bytes gets exactly that name.
run 0 "render to a Shift-JIS name" --render plan.dxf -o "$(printf '\x8a\x4b\x92\x69.png')" --size 64x48
[ -f "$(printf '\x8a\x4b\x92\x69.png')" ] || fail "the picture's name was changed"

# A relative --home is stored as an absolute folder (line 8: the converter).
mkdir elsewhere
run 0 "relative --home" --dump plan.dxf --home h
line8=$(sed -n 8p h/ZovView.CFG | tr -d '\r')
[ "$line8" = "$work/h/" ] || fail "converter folder stored as '$line8', not $work/h/"

# Misuse: exit 2 with the usage.
run 2 "--home without its folder (dump)" --dump plan.dxf --home
grep -q "usage" err || fail "no usage after --home without folder"
run 2 "--home without its folder (render)" --render plan.dxf -o x.png --home
run 2 "a size that does not fit an int" --render plan.dxf -o x.png --size 4294967297x10
grep -q "usage" err || fail "no usage after a bad size"
[ ! -e x.png ] || fail "a refused command left a picture"

# No usable TMPDIR: /tmp, never the current folder.
before=$(ls -A | sort)
TMPDIR="$work/missing" run 0 "TMPDIR missing" --dump plan.dxf
[ "$(ls -A | sort)" = "$before" ] || fail "the store was written into the current folder"

# A full disk: no cut picture, and the failure is said.
(
  trap '' XFSZ
  ulimit -f 4
  "$zovview" --render plan.dxf -o full.png --size 1600x1131 >/dev/null 2>&1
) && fail "a picture that did not fit the disk gave exit 0"
[ ! -e full.png ] || fail "a cut picture was left"

# Ended by a signal: the temporary program folder goes too. The drawing is a
# pipe that is never written, so the command waits inside the import.
mkdir tmp
mkfifo pipe.dxf
TMPDIR="$work/tmp" "$zovview" --dump pipe.dxf >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  [ -n "$(ls -A tmp)" ] && break
  sleep 0.05
done
[ -n "$(ls -A tmp)" ] || fail "no temporary folder appeared"
sleep 0.2
kill -TERM "$pid"
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
kill -KILL "$pid" 2>/dev/null && fail "the command did not end on SIGTERM"
wait "$pid" 2>/dev/null
[ -z "$(ls -A tmp)" ] || fail "SIGTERM left $(ls -A tmp)"

# Without /proc the program cannot find its own folder: it says so and loads
# no Qt part named relatively (here one planted in the current folder).
# Needs a user namespace; skipped where unprivileged ones are not allowed.
if unshare -rm true 2>/dev/null; then
  mkdir noproc && echo planted > noproc/zovview-qt.so
  (cd noproc && unshare -rm sh -c 'mount -t tmpfs none /proc && exec "$0" --render ../plan.dxf -o x.png' \
      "$zovview" >out 2>err)
  got=$?
  [ "$got" = 1 ] || fail "without /proc: exit $got, expected 1"
  grep -q "own folder" noproc/err || fail "without /proc: no word on the unknown folder"
  grep -q "zovview-qt.so:" noproc/err && fail "without /proc: a relative Qt part was tried"
fi

echo "$([ $failures = 0 ] && echo passed || echo "$failures failed")"
[ "$failures" = 0 ]
