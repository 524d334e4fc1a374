#!/usr/bin/env python3
"""Round trips through the store and the full export (`zovview --export-dxf
--full`), read back with ezdxf: the source's line types come back with their
names, descriptions and patterns, named by entities and layers, and an
IMAGE comes back as its frame of four lines and a text with its file name.

usage: source_line_types_check.py ZOVVIEW"""
import os
import subprocess
import sys
import tempfile

import ezdxf

# name, description, pattern (total length first), as the source has them.
LINE_TYPES = [
    ("DASHED", "Dashed __ __ __", [0.75, 0.5, -0.25]),
    ("CENTER", "Center ____ _ ____", [2.0, 1.25, -0.25, 0.25, -0.25]),
    ("ZigDots", "custom . _ .", [1.5, 0.0, -0.5, 0.5, -0.5]),
]
IMAGE_FILE = "plans/site photo.png"


def source_drawing(path):
    doc = ezdxf.new("R2010", setup=False)
    for name, description, pattern in LINE_TYPES:
        doc.linetypes.add(name, pattern=pattern, description=description)
    doc.layers.add("DOTS", linetype="ZigDots")
    doc.layers.add("PICTURES")
    msp = doc.modelspace()
    for i, (name, _, _) in enumerate(LINE_TYPES):
        msp.add_line((0, i), (10, i), dxfattribs={"linetype": name})
    msp.add_line((0, 9), (10, 9), dxfattribs={"layer": "DOTS"})
    definition = doc.add_image_def(IMAGE_FILE, size_in_pixel=(640, 480))
    msp.add_image(definition, insert=(20, 5), size_in_units=(8, 6), rotation=0,
                  dxfattribs={"layer": "PICTURES", "color": 3})
    doc.saveas(path)


def problems_of(zovview, home):
    source, out = os.path.join(home, "source.dxf"), os.path.join(home, "full.dxf")
    source_drawing(source)
    run = subprocess.run([zovview, "--export-dxf", source, "-o", out, "--full", "--home", home],
                         capture_output=True, text=True)
    if run.returncode != 0:
        return ["export failed: " + run.stderr.strip()]
    problems = ["IMAGE reported as lost"] if "IMAGE" in run.stderr else []
    doc = ezdxf.readfile(out)
    problems += ["audit: " + error.message for error in doc.audit().errors]
    for name, description, pattern in LINE_TYPES:
        if name not in doc.linetypes:
            problems.append("line type %s missing" % name)
            continue
        written = doc.linetypes.get(name)
        if written.dxf.description != description:
            problems.append("%s described as %r" % (name, written.dxf.description))
        got = [tag.value for tag in written.pattern_tags.tags if tag.code in (40, 49)]
        if [round(v, 6) for v in got] != pattern:
            problems.append("%s pattern %s instead of %s" % (name, got, pattern))
    lines = doc.modelspace().query("LINE")
    named = [line.dxf.linetype for line in lines if line.dxf.layer != "PICTURES"]
    if named != [name for name, _, _ in LINE_TYPES] + ["BYLAYER"]:
        problems.append("lines name %s" % named)
    if doc.layers.get("DOTS").dxf.linetype != "ZigDots":
        problems.append("layer DOTS draws %s" % doc.layers.get("DOTS").dxf.linetype)
    frame = [line for line in lines if line.dxf.layer == "PICTURES"]
    corners = sorted((round(line.dxf.start.x, 6), round(line.dxf.start.y, 6)) for line in frame)
    if corners != [(20, 5), (20, 11), (28, 5), (28, 11)] or any(l.dxf.color != 3 for l in frame):
        problems.append("image frame %s" % corners)
    texts = [t.dxf.text for t in doc.modelspace().query("TEXT") if t.dxf.layer == "PICTURES"]
    if texts != [IMAGE_FILE]:
        problems.append("image named by %s" % texts)
    return problems


def main():
    with tempfile.TemporaryDirectory() as home:
        problems = problems_of(sys.argv[1], home)
    for problem in problems:
        print("FAIL", problem)
    print("%d passed, %d failed" % (0 if problems else 1, 1 if problems else 0))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
