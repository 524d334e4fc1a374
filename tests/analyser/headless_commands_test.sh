#!/usr/bin/env bash
# The command-line interface of zovedit as scripts call it: options, exit
# codes, the file name printed on stdout and UTF-8 messages on stderr.
# Usage: headless_commands_test.sh ZOVEDIT SAMPLE.dxf
set -uo pipefail
zovedit=$(realpath "$1")
sample=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0
checks=0
fail() {
    echo "FAIL: $1"
    failures=$((failures + 1))
}
check() {  # check DESCRIPTION EXPECTED_EXIT_CODE COMMAND...
    local what=$1 expected=$2
    shift 2
    checks=$((checks + 1))
    "$@" >stdout.txt 2>stderr.txt
    local got=$?
    [ "$got" = "$expected" ] || { fail "$what: exit $got, expected $expected"; cat stderr.txt; }
}
expect_text() {  # expect_text DESCRIPTION FILE TEXT
    checks=$((checks + 1))
    grep -qF -- "$3" "$2" || { fail "$1: '$3' not in $2"; cat "$2"; }
}

cp "$sample" "plan one.dxf"
checks=$((checks + 5))  # the file checks below
check "analyse in own form" 0 "$zovedit" --analyse "plan one.dxf" --form 0
expect_text "analysis path printed" stdout.txt "plan one.TXT"
[ -f ZovEdit.CFG ] && [ -f _ZOV_.CSV ] || fail "settings files not written"
[ ! -f '$V_KOU$.TMP' ] || fail "index left behind"
check "rebuild with rule 1" 0 "$zovedit" --rebuild "plan one.TXT" --rule 1 --eol lf
expect_text "output named by rule 1" stdout.txt 'plan one$1.DXF'
[ "$(head -n 1 'plan one$1.DXF')" = "999" ] && ! grep -q $'\r' 'plan one$1.DXF' || fail "LF line ends"
check "rebuild to a named file" 0 "$zovedit" --rebuild "plan one.TXT" -o out.dxf
# After the two comment groups the rebuilt lines are the source's, codes
# without their leading blanks.
cmp -s <(tr -d '\r' < out.dxf | tail -n +5) \
       <(tr -d '\r' < "plan one.dxf" | awk 'NR % 2 == 1 { sub(/^ +/, "") } 1') \
    || fail "rebuilt groups differ"

check "options are for this run only" 0 "$zovedit" --analyse "plan one.dxf" -o text.TXT
expect_text "text form warned when written" stderr.txt "この解析ファイルはテキスト形式なので、ＤＸＦファイルを再作成できません"
check "text form cannot be rebuilt" 1 "$zovedit" --rebuild text.TXT
expect_text "text form refusal" stderr.txt "解析ファイルをテキスト形式で出力しているので実行できません"
check "selection" 0 "$zovedit" --analyse "plan one.dxf" -o sel.TXT --form 0 --select LINE,CIRCLE --explain 1
expect_text "selected entry with its comment" sel.TXT "$(printf '   LINE  (\x83\x89\x83\x43\x83\x93)')"
check "selected analysis cannot be rebuilt" 1 "$zovedit" --rebuild sel.TXT
check "cut analysis" 0 "$zovedit" --analyse "plan one.dxf" -o cut.TXT --form 0 --cut 1 --comments 0
check "cut analysis refused without --yes" 1 "$zovedit" --rebuild cut.TXT -o cut.dxf
check "cut analysis rebuilt with --yes" 0 "$zovedit" --rebuild cut.TXT -o cut.dxf --yes
check "C form" 0 "$zovedit" --analyse "plan one.dxf" -o c.TXT --form 2

# A drawing the own form cannot carry back: said, exit 1 unless --force.
printf '0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n1\r\n%s\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n' \
    "$(head -c 5000 /dev/zero | tr '\0' x)" > long.dxf
check "a line too long to rebuild" 1 "$zovedit" --analyse long.dxf --form 0
expect_text "round-trip warning" stderr.txt "元どおりに再作成できない行が"
check "a line too long, forced" 0 "$zovedit" --analyse long.dxf --form 0 --force --yes
check "an existing analysis is kept without --yes" 1 "$zovedit" --analyse long.dxf --form 0 --force
expect_text "question about the existing analysis" stderr.txt "は既にあります。上書きしますか？"

echo x > notes.txt
check "not a DXF" 1 "$zovedit" --analyse notes.txt
expect_text "not a DXF message" stderr.txt "DXFﾌｧｲﾙでありません(notes.txt)"
check "missing DXF" 1 "$zovedit" --analyse missing.dxf
expect_text "missing DXF message" stderr.txt "オープンできません(missing.dxf)"
check "missing analysis" 1 "$zovedit" --rebuild missing.TXT
check "bad form" 2 "$zovedit" --analyse "plan one.dxf" --form 3
check "unknown option" 2 "$zovedit" --analyse "plan one.dxf" --fast
check "two files and no command" 2 "$zovedit" "plan one.dxf" other.dxf
# Without a command the editor window opens: still running when stopped.
QT_QPA_PLATFORM=offscreen check "no command opens the window" 124 timeout 3 "$zovedit"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
