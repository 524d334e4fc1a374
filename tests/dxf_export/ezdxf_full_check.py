#!/usr/bin/env python3
"""Reads every full export (`zovview --export-dxf FILE -o OUT --full`) with
ezdxf, a DXF reader written by others: its audit must find no error, and for
JW_CAD drawings every text of the store must come back from the file with
the same CP932 bytes at the same place, and every point, line, circle and arc
at its coordinates.

usage: ezdxf_full_check.py ZOVVIEW INPUT_OR_FOLDER...
Folders contribute their *.dxf, *.jww, *.jws, *.jwc and *.jwk files (also in subfolders);
a symbol file (.jwk) is read as the .jwc file it is, and JW_CAD drawings are
also exported as their layer sheet."""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

import ezdxf

from ezdxf_check import close, read_store


def store_texts(path):
    """(x, y, height, angle, vertical, bytes) of every text record, in order."""
    _, _, records = read_store(path)
    return [(r["r"][0], r["r"][1], r["r"][3], r["r"][5], r["style"] % 10 != 0, r["text"])
            for r in records if r["kind"] == 5]


def check_texts(store_path, doc):
    problems = []
    wanted = store_texts(store_path)
    found = list(doc.modelspace().query("TEXT"))
    if len(found) != len(wanted):
        return ["%d texts instead of %d" % (len(found), len(wanted))]
    for i, ((x, y, height, angle, vertical, raw), text) in enumerate(zip(wanted, found)):
        if text.dxf.text.encode("cp932") != raw:
            problems.append("text %d: %r instead of %r" % (i, text.dxf.text, raw.decode("cp932")))
        # A vertical text stands half a height back, a quarter turn further,
        # in the vertical style.
        want_x = x - height / 2 if vertical else x
        want_angle = angle + 90 if vertical else angle
        want_style = "TMT" if vertical else "MT"
        if not (close(text.dxf.insert.x, want_x) and close(text.dxf.insert.y, y)):
            problems.append("text %d at %s instead of (%f, %f)" % (i, text.dxf.insert, want_x, y))
        if not close(text.dxf.height, height) or not close(text.dxf.rotation, want_angle):
            problems.append("text %d: height %f angle %f" % (i, text.dxf.height, text.dxf.rotation))
        if text.dxf.style != want_style:
            problems.append("text %d in style %s" % (i, text.dxf.style))
    return problems


def check_geometry(store_path, doc):
    """Points, lines, circles and arcs in store order, at their coordinates."""
    _, _, records = read_store(store_path)
    wanted = [r for r in records if r["kind"] in (1, 2, 3)]
    found = [e for e in doc.modelspace() if e.dxftype() in ("POINT", "LINE", "CIRCLE", "ARC", "ELLIPSE")]
    if len(found) != len(wanted):
        return ["%d points and curves instead of %d" % (len(found), len(wanted))]
    problems = []
    for i, (w, f) in enumerate(zip(wanted, found)):
        x1, y1, end_x, end_y = w["r"][:4]
        if f.dxftype() == "POINT":
            pairs = [(f.dxf.location.x, x1), (f.dxf.location.y, y1)]
        elif f.dxftype() == "LINE":
            pairs = [(f.dxf.start.x, x1), (f.dxf.start.y, y1), (f.dxf.end.x, end_x), (f.dxf.end.y, end_y)]
        else:
            pairs = [(f.dxf.center.x, x1), (f.dxf.center.y, y1)]
        if any(not close(a, b) for a, b in pairs):
            problems.append("entity %d (%s) not at its coordinates" % (i, f.dxftype()))
    return problems


def check(zovview, source):
    with tempfile.TemporaryDirectory() as home:
        if source.lower().endswith(".jwk"):
            copy = os.path.join(home, "symbol.jwc")
            shutil.copyfile(source, copy)
            source = copy
        is_jw = source.lower().endswith((".jww", ".jws", ".jwc"))
        problems = []
        # A JW_CAD drawing is also exported as its layer sheet, labels and all.
        for style in ["layers", "standard"] if is_jw else ["standard"]:
            out = os.path.join(home, style + ".dxf")
            run = subprocess.run([zovview, "--export-dxf", source, "-o", out, "--full", "--style",
                                  style, "--home", home], capture_output=True, text=True)
            if run.returncode != 0:
                # A drawing of which nothing can be written is refused, no file left.
                if "DXF not written" in run.stderr and not os.path.exists(out):
                    continue
                return ["export (%s) failed: %s" % (style, run.stderr.strip())]
            doc = ezdxf.readfile(out)
            problems += ["audit (%s): %s" % (style, error.message) for error in doc.audit().errors]
        if is_jw:
            store = os.path.join(home, "$VV_DAT$.TMP")
            problems += check_texts(store, doc) + check_geometry(store, doc)
        return problems


def main():
    zovview, inputs = sys.argv[1], sys.argv[2:]
    sources = []
    for item in inputs:
        if os.path.isdir(item):
            for pattern in ("*.dxf", "*.DXF", "*.jww", "*.JWW", "*.jws", "*.JWS", "*.jwc", "*.JWC",
                            "*.jwk", "*.JWK"):
                sources += sorted(glob.glob(os.path.join(item, "**", pattern), recursive=True))
        elif os.path.exists(item):
            sources.append(item)
        else:
            print("not found, passed over:", item)
    failures = 0
    for source in sources:
        problems = check(zovview, source)
        if problems:
            failures += 1
            print("FAIL %s:" % source)
            for problem in problems[:10]:
                print("   ", problem)
    print("%d full exports checked with ezdxf %s, %d failed" % (len(sources), ezdxf.__version__, failures))
    return 1 if failures or not sources else 0


if __name__ == "__main__":
    sys.exit(main())
