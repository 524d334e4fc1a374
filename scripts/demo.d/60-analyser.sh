# Demo: ZovEdit analyses a DXF file into readable text and rebuilds it exactly
set -euo pipefail
zovedit="$build/apps/zovedit/zovedit"
work="$out/analyser"
mkdir -p "$work"
cp "$root/samples/dxf/zovedit_room.dxf" "$work/room.dxf"
cd "$work"   # ZovEdit keeps its settings (ZovEdit.CFG, _ZOV_.CSV) in the folder it starts in

echo "--- analyse room.dxf in the program's own form (rebuildable)"
"$zovedit" --analyse room.dxf --form 0
echo "--- the management line and the first item lines of room.TXT (end code shown as ␘):"
iconv -f CP932 -t UTF-8 room.TXT | tr -d '\r' | sed 's/\x18/␘/g' | sed -n '5p;48,58p'
echo "--- a polyline of seven vertices: three per line, the rest on continuation lines (^)"
iconv -f CP932 -t UTF-8 room.TXT | tr -d '\r' | sed 's/\x18/␘/g' | grep -A2 '0:LWPOLYLINE'

echo "--- rebuild it with LF line ends"
"$zovedit" --rebuild room.TXT -o room_rebuilt.dxf --eol lf

echo "--- compare the group sequences"
python3 - room.dxf room_rebuilt.dxf <<'PY'
import sys

def groups(path):
    data = open(path, "rb").read()
    end = b"\r\n" if b"\r\n" in data[:200] else b"\n"
    lines = data.split(end)
    return [(int(lines[i]), lines[i + 1]) for i in range(0, len(lines) - 1, 2)]

source, rebuilt = groups(sys.argv[1]), groups(sys.argv[2])
# The rebuild adds two comment groups in front and its own final EOF.
assert [code for code, _ in rebuilt[:2]] == [999, 999], rebuilt[:2]
body = rebuilt[2:-1]
if body == source[:-1] and rebuilt[-1] == (0, b"EOF"):
    print(f"round trip exact: all {len(source) - 1} groups of room.dxf came back, code for code, value for value")
else:
    sys.exit("round trip differs")
PY
