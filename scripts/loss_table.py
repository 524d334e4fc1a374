#!/usr/bin/env python3
"""What zovview's conversions carry over, per drawing and per conversion:
entities in, out, reported lost, and lost without a word (must be 0).

usage: loss_table.py ZOVVIEW SOURCE_OR_FOLDER... [--render]

In: the store's records of the drawing, as the import made them, plus what
the import reported it could not store. Out: the default export's entities
read back from its file; the full export's entities read back, a dimension's
picture counted once; for a render, the store's records (the drawing pass
draws every kind). Reported: the warnings of the run, the blocks' own lines
("... in blocks") apart. Exit 1 when anything was lost unreported."""
import glob
import os
import re
import struct
import subprocess
import sys
import tempfile

ENTITY_SIZE, BLOCK_SIZE = 104, 192
POINT, DIMENSION = 3, 7
WARNING = re.compile(r"^warning: (\d+) (.+?) left out")
IMPORT_HINT = "(not stored by the import)"


def read_store(path):
    """The drawing's records (kind, block, finite) and the blocks' record kinds."""
    data = open(path, "rb").read()
    add_bro, add_bda, add_ent = (struct.unpack_from("<i", data, at)[0] for at in (520, 524, 532))
    bro_num, ent_num = struct.unpack_from("<i", data, 548)[0], struct.unpack_from("<i", data, 568)[0]

    def record(at):
        kind, = struct.unpack_from("<i", data, at + 4)
        block, = struct.unpack_from("<h", data, at + 30)
        reals = struct.unpack_from("<8d", data, at + 40)
        return kind, block, all(abs(r) != float("inf") and r == r for r in reals)

    blocks = {}
    for n in range(bro_num):
        at = add_bro + n * BLOCK_SIZE
        first, _, count = struct.unpack_from("<3i", data, at + 172)
        blocks[n + 1] = [record(add_bda + (first + i) * ENTITY_SIZE) for i in range(max(count, 0))]
    drawing = [record(add_ent + i * ENTITY_SIZE) for i in range(ent_num)]
    return drawing, blocks


def entities_in_section(path, section="ENTITIES"):
    """Entities of a DXF file's section, read group by group (no DXF library)."""
    lines = [line.rstrip(b"\r").decode("latin-1") for line in open(path, "rb").read().split(b"\n")]
    count, inside = 0, False
    for code, value in zip(lines[0::2], lines[1::2]):
        if code.strip() != "0":
            if code.strip() == "2" and value == section and not inside:
                inside = "pending"
            continue
        if inside is True:
            if value == "ENDSEC":
                return count
            if value not in ("VERTEX", "SEQEND", "ATTRIB"):
                count += 1
        elif inside == "pending":
            inside, count = True, 1
            if value == "ENDSEC":
                return 0
    return count


def picture_parts(blocks, block):
    return sum(1 for kind, _, finite in blocks.get(block, []) if kind not in (POINT, DIMENSION)
               and finite)


def reported(stderr):
    drawing = blocks = 0
    for line in stderr.splitlines():
        found = WARNING.match(line)
        if found:
            if found.group(2).endswith(" in blocks"):
                blocks += int(found.group(1))
            else:
                drawing += int(found.group(1))
    return drawing, blocks


def convert(zovview, source, mode, home):
    out = os.path.join(home, "out." + ("png" if mode == "render" else "dxf"))
    command = [zovview, "--render" if mode == "render" else "--export-dxf", source, "-o", out,
               "--home", home, "--yes"] + (["--full"] if mode == "full" else [])
    run = subprocess.run(command, capture_output=True, text=True)
    drawing, blocks = read_store(os.path.join(home, "$VV_DAT$.TMP"))
    lost, lost_in_blocks = reported(run.stderr)
    dropped = sum(int(m.group(1)) for line in run.stderr.splitlines()
                  for m in [WARNING.match(line)]
                  if m and line.endswith(IMPORT_HINT) and not m.group(2).endswith(" in blocks"))
    written = os.path.exists(out) and run.returncode == 0
    if mode == "render":
        out_count = len(drawing) if written else 0
    elif not written:
        out_count = 0
    else:
        out_count = entities_in_section(out)
        if mode == "full":
            # A dimension is written as the parts of its picture.
            out_count -= sum(picture_parts(blocks, block) - 1 for kind, block, finite in drawing
                             if kind == DIMENSION and finite and picture_parts(blocks, block))
    records_in = len(drawing) + dropped
    return records_in, out_count, lost, lost_in_blocks, run.returncode


def main():
    args = [a for a in sys.argv[1:] if a != "--render"]
    zovview, inputs = args[0], args[1:]
    modes = ["plain", "full"] + (["render"] if "--render" in sys.argv else [])
    sources = []
    for item in inputs:
        if os.path.isdir(item):
            for pattern in ("*.dxf", "*.DXF", "*.jww", "*.jwc"):
                sources += sorted(glob.glob(os.path.join(item, pattern)))
        else:
            sources.append(item)
    totals = {mode: [0, 0, 0, 0] for mode in modes}
    faults = 0
    print("%-52s %-6s %7s %7s %8s %10s" % ("drawing", "mode", "in", "out", "reported",
                                            "unreported"))
    for source in sources:
        for mode in modes:
            with tempfile.TemporaryDirectory() as home:
                records_in, out, lost, _, _ = convert(zovview, source, mode, home)
            unreported = records_in - out - lost
            faults += unreported != 0
            for i, value in enumerate((records_in, out, lost, unreported)):
                totals[mode][i] += value
            print("%-52s %-6s %7d %7d %8d %10d" % (os.path.basename(source)[:52], mode,
                                                    records_in, out, lost, unreported))
    for mode in modes:
        print("%-52s %-6s %7d %7d %8d %10d" % ("TOTAL", mode, *totals[mode]))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
