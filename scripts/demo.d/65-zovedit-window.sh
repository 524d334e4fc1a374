# Demo: ZovEdit's editor window under a virtual X server: a DXF analysed through its options dialog, a value edited, saved and rebuilt through the output-name dialog
set -euo pipefail
zovedit="$build/apps/zovedit/zovedit"
work="$out/zovedit-window"
mkdir -p "$work"
cp "$root/samples/dxf/zovedit_room.dxf" "$work/ROOM.DXF"
cd "$work"   # the start folder of the session: ZovEdit.CFG, _ZOV_.CSV, ZOV_EDIT.VFN
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "xvfb-run or xdotool missing: window step skipped"
  exit 0
fi
# The session's settings: analyses in the program's own (rebuildable) form.
"$zovedit" --analyse ROOM.DXF --form 0 >/dev/null
sed -i 's/^KTM=1/KTM=0/' ZovEdit.CFG
rm -f ROOM.TXT

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cat > session.sh <<SESSION
set -eu
shot() { import -window root "$work/\$1.png"; echo "screenshot \$1.png"; }
window() {
  for i in \$(seq 150); do
    id=\$(xdotool search --onlyvisible --name "\$1" 2>/dev/null | head -1 || true)
    [ -n "\$id" ] && { echo "\$id"; return; }
    sleep 0.2
  done
  echo "no window \$1" >&2; return 1
}
focus() { xdotool windowfocus --sync "\$1"; sleep 0.3; }

"$zovedit" ROOM.DXF 2>/dev/null &
options=\$(window "ＤＸＦファイル解析方法の設定")
sleep 0.5
focus "\$options"
shot dialog129-options
xdotool key Return
main=\$(window "ROOM.TXT - ZovEdit")
sleep 0.5
focus "\$main"
shot editor-analysis

# Find the value 2000.0 and type over it, then Ctrl+S.
xdotool key ctrl+f; sleep 0.5
xdotool type --delay 20 "2000.0"; xdotool key Return; sleep 0.3; xdotool key Escape; sleep 0.3
focus "\$main"
xdotool type --delay 20 "2468.5"
xdotool key ctrl+s; sleep 0.5
shot editor-edited
# ＤＸＦファイルを作成(&S): Alt+F, then S.
xdotool key alt+f; sleep 0.5
shot file-menu
xdotool key s
names=\$(window "生成するＤＸＦファイル名")
sleep 0.5
focus "\$names"
shot dialog132-output-name
xdotool key Return; sleep 1
focus "\$main"
# Right click: the command palette.
xdotool mousemove --window "\$main" 300 300 click 3; sleep 0.7
shot palette134
xdotool key Escape; sleep 0.3
focus "\$main"
# ｱﾌﾟﾘｹｰｼｮﾝの終了(&X): the settings are saved and the item index deleted.
xdotool key alt+f; sleep 0.3; xdotool key x
for i in \$(seq 150); do pgrep -f "^$zovedit ROOM.DXF" >/dev/null || break; sleep 0.2; done
SESSION
timeout 120 xvfb-run -a -s "-screen 0 1100x760x24" bash session.sh

echo "--- the rebuilt DXF against the source (the rebuild puts two comment groups first)"
python3 - ROOM.DXF 'ROOM$$$1.DXF' <<'PY'
import sys

def groups(path):
    lines = open(path, "rb").read().replace(b"\r\n", b"\n").split(b"\n")
    return [(int(lines[i]), lines[i + 1]) for i in range(0, len(lines) - 1, 2)]

source, rebuilt = groups(sys.argv[1]), groups(sys.argv[2])[2:]
differences = [(i, a, b) for i, (a, b) in enumerate(zip(source, rebuilt)) if a != b]
print(f"{len(source)} groups each; differences: {differences}")
if len(source) != len(rebuilt) or len(differences) != 1:
    sys.exit("the rebuilt DXF should differ from its source in the edited value only")
PY
ls "$work"/*.png
