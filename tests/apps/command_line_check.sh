#!/usr/bin/env bash
# The command-line conventions of the three programs as users and scripts
# meet them: --help and --version on stdout with exit 0, a wrong argument as
# one reason and the usage on stderr with exit 2, a failed run exit 1, the
# written file named on stdout unless --quiet, and zr_jwk's folder taken with
# or without its trailing slash.
# Usage: command_line_check.sh ZOVVIEW ZOVEDIT ZR_JWK SAMPLES
set -u
zovview=$(realpath "$1") zovedit=$(realpath "$2") zr_jwk=$(realpath "$3") samples=$(realpath "$4")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0 checks=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect CODE DESCRIPTION COMMAND...: runs COMMAND into out.txt / err.txt.
expect() {
  local code=$1 what=$2; shift 2
  checks=$((checks + 1))
  "$@" >out.txt 2>err.txt </dev/null
  local got=$?
  [ "$got" = "$code" ] || { fail "$what: exit $got, expected $code"; cat err.txt; }
}
first_line() { head -n 1 "$1"; }

for program in "$zovview" "$zovedit"; do
  name=$(basename "$program")
  for help in --help -h; do
    expect 0 "$name $help" "$program" "$help"
    grep -q "^usage: $name " out.txt && [ ! -s err.txt ] || fail "$name $help: usage not on stdout alone"
  done
  expect 0 "$name --version" "$program" --version
  [ "$(cat out.txt)" = "$name 1.0.0" ] || fail "$name --version printed '$(cat out.txt)'"
  if [ "$name" = zovedit ]; then
    # Without arguments the analyser opens its editor window: still running
    # when stopped, never a usage error.
    checks=$((checks + 1))
    QT_QPA_PLATFORM=offscreen timeout 3 "$program" >out.txt 2>err.txt </dev/null
    got=$?
    [ "$got" = 124 ] || { fail "zovedit without arguments: exit $got, expected its window"; cat err.txt; }
  else
    # Without arguments and without a display (with one, zovview opens its window).
    expect 2 "$name without arguments" env -u DISPLAY -u WAYLAND_DISPLAY "$program"
  fi
  expect 2 "$name --bogus" "$program" --bogus
  [ "$(first_line err.txt)" = "$name: unknown command --bogus" ] || fail "$name: reason '$(first_line err.txt)'"
  grep -q "^usage: $name " err.txt && [ ! -s out.txt ] || fail "$name --bogus: usage not on stderr"
done

expect 2 "render without -o" "$zovview" --render "$samples/dxf/plan.dxf"
[ "$(first_line err.txt)" = "zovview --render: FILE and -o OUT.png|OUT.pdf|OUT.svg are needed" ] || fail "render reason"
grep -q "^usage: zovview " err.txt || fail "render misuse without usage"
expect 2 "dump of two files" "$zovview" --dump a.dxf b.dxf
expect 2 "export without -o" "$zovview" --export-dxf "$samples/dxf/plan.dxf"
expect 1 "render of a missing drawing" "$zovview" --render missing.dxf -o x.png
grep -q "^usage:" err.txt && fail "a failed run printed the usage"

expect 0 "render" "$zovview" --render "$samples/dxf/plan.dxf" -o plan.png --size 64x48
[ "$(cat out.txt)" = "plan.png" ] && [ -s plan.png ] || fail "render names plan.png: '$(cat out.txt)'"
expect 0 "export" "$zovview" --export-dxf "$samples/dxf/plan.dxf" -o plan.dxf
[ "$(cat out.txt)" = "plan.dxf" ] || fail "export names plan.dxf"
[ -s err.txt ] || fail "export shows its information message without --quiet"
expect 0 "quiet export" "$zovview" --export-dxf "$samples/dxf/plan.dxf" -o quiet.dxf --quiet
# Only the warnings of what was left out remain.
[ ! -s out.txt ] && ! grep -qv "^warning: .* left out" err.txt && [ -s quiet.dxf ] ||
  fail "--quiet export was not silent"
grep -q "^warning: 5 TEXT left out (use --full to keep them)$" err.txt ||
  fail "--quiet export hid what it left out: $(cat err.txt)"
# A DOS-era symbol file opens by its .jwk extension, in any letter case.
cp "$samples/jwk/DOOR.JWK" door.jwk
expect 0 ".jwk dump" "$zovview" --dump door.jwk
grep -q "^kind=1 count=" out.txt || fail ".jwk dump holds no lines"
expect 0 ".jwk render" "$zovview" --render door.jwk -o door.png --size 64x48 --quiet
expect 0 ".jwk export" "$zovview" --export-dxf door.jwk -o door.dxf --quiet
expect 0 "quiet analysis" "$zovedit" --quiet --analyse plan.dxf -o plan.TXT
[ ! -s out.txt ] && [ -s plan.TXT ] || fail "--quiet analysis printed its file"
expect 1 "quiet failure still reports" "$zovedit" --analyse missing.dxf --quiet
[ -s err.txt ] || fail "--quiet silenced an error"
# zovedit's file names that are no UTF-8: written under the bytes given, or
# refused when those bytes read as CP932 would name the UTF-8 file instead.
mkdir names && cd names && cp ../plan.dxf plan.dxf
latin1=$'caf\xE9' cp932=$'\x93\xFA'
expect 0 "analysis to a Latin-1 name" "$zovedit" --analyse plan.dxf -o "$latin1.TXT" --form 0
expect 0 "rebuild from and to Latin-1 names" "$zovedit" --rebuild "$latin1.TXT" -o "$latin1.DXF"
[ -s "$latin1.TXT" ] && [ -s "$latin1.DXF" ] || fail "Latin-1 names not kept: $(ls | od -c)"
for command in "--analyse plan.dxf -o $cp932.TXT" "--rebuild $latin1.TXT -o $cp932.DXF" \
               "--rebuild $cp932.TXT"; do
  cp "$latin1.TXT" 日.TXT
  # shellcheck disable=SC2086 # the command's words
  expect 1 "zovedit $command" "$zovedit" $command
  grep -q "would be taken as .*; name it in UTF-8" err.txt || fail "zovedit $command: $(cat err.txt)"
  [ ! -e "$cp932.TXT" ] && [ ! -e "$cp932.DXF" ] && [ ! -e 日.DXF ] && cmp -s "$latin1.TXT" 日.TXT ||
    fail "zovedit $command wrote $(ls | od -c)"
done
cp plan.dxf "$cp932.dxf"
expect 0 "analysis of a CP932 name" "$zovedit" --analyse "$cp932.dxf" -o from_cp932.TXT --form 0
cd ..

# zr_jwk keeps its banner, usage text and codes, and gains --help and --version.
expect 0 "zr_jwk --help" "$zr_jwk" --help
grep -q "ZR_JWK Ver1.00" out.txt && grep -q "ZR_JWK DirectryName \[-n\] \[-s\]" out.txt \
  || fail "zr_jwk --help: banner and usage"
expect 0 "zr_jwk --version" "$zr_jwk" --version
[ "$(cat out.txt)" = "zr_jwk 1.0.0" ] || fail "zr_jwk --version printed '$(cat out.txt)'"
expect 1 "zr_jwk without a folder" "$zr_jwk"
mkdir lib && cp "$samples"/jwk/* lib/
expect 0 "zr_jwk lib" "$zr_jwk" lib
cp lib/ZR_JWK.DXF without_slash.DXF && rm lib/ZR_JWK.DXF
expect 0 "zr_jwk lib/" "$zr_jwk" lib/
cmp -s lib/ZR_JWK.DXF without_slash.DXF || fail "zr_jwk lib and lib/ give different sheets"
[ ! -e ZR_JWK.DXF ] || fail "zr_jwk lib wrote a sheet beside the folder"
grep -q 'BLOCK' without_slash.DXF || fail "zr_jwk lib converted no symbol"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
