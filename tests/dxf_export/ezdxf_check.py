#!/usr/bin/env python3
"""Reads every DXF that `zovview --export-dxf` writes with ezdxf, a DXF reader
written by others, and compares its LINE, CIRCLE, ARC and ELLIPSE entities with
the records of the drawing store the export was made from. ezdxf's audit must
find no error in the file's structure.

usage: ezdxf_check.py ZOVVIEW INPUT_OR_FOLDER...
Folders contribute their *.dxf and *.jwc files (also in subfolders); a
JW_CAD file is also exported as its layer sheet (--style layers)."""
import glob
import math
import os
import struct
import subprocess
import sys
import tempfile

import ezdxf

HEADER_SIZE, LAYER_SIZE, ENTITY_SIZE = 576, 176, 104
TOLERANCE = 0.0015  # the writer prints coordinates with three decimals
JW_COLOURS = [0, 4, 7, 3, 2, 6, 5, 1]
LINE_TYPES = ["CONTINUOUS", "DOT", "DASHED", "DASHED2", "CENTER", "CENTER2", "PHANTOM",
              "PHANTOM2", "HIDDEN"]


def c_text(raw):
    return raw.split(b"\0", 1)[0].decode("cp932", errors="surrogateescape")


def read_store(path):
    """The header counts, layers and entity records (with the bytes of
    texts) of a store file, read by the documented byte layout."""
    data = open(path, "rb").read()
    kind = struct.unpack_from("<i", data, 128)[0]
    (add_lay, add_ent) = struct.unpack_from("<ii", data, 516)[0], struct.unpack_from("<i", data, 532)[0]
    add_str, = struct.unpack_from("<i", data, 528)
    lay_num = struct.unpack_from("<i", data, 540)[0]
    ent_num = struct.unpack_from("<i", data, 568)[0]
    layers = []
    for n in range(lay_num):
        at = add_lay + n * LAYER_SIZE
        if at + LAYER_SIZE > len(data):
            break
        flags, = struct.unpack_from("<i", data, at)
        use_count, = struct.unpack_from("<i", data, at + 24)
        layers.append({"flags": flags, "used": use_count != 0, "name": c_text(data[at + 97:at + 164]),
                       "colour": struct.unpack_from("<i", data, at + 168)[0]})
    entities = []
    for i in range(ent_num):
        at = add_ent + i * ENTITY_SIZE
        if at + ENTITY_SIZE > len(data):
            break
        e_kind, line_type = struct.unpack_from("<ii", data, at + 4)
        style, colour = struct.unpack_from("<ii", data, at + 20)
        layer, = struct.unpack_from("<h", data, at + 28)
        length, = struct.unpack_from("<h", data, at + 32)
        offset, = struct.unpack_from("<i", data, at + 36)
        reals = struct.unpack_from("<8d", data, at + 40)
        text = data[add_str + offset:add_str + offset + max(length, 0)] if e_kind == 5 else b""
        entities.append({"kind": e_kind, "line_type": line_type, "colour": colour, "layer": layer,
                         "r": reals, "style": style, "text": text})
    return kind, layers, entities


def dxf_colour(kind, colour):
    if kind == 1:
        return JW_COLOURS[colour] if 0 <= colour <= 7 else 7
    if kind in (2, 3):
        return colour if 0 <= colour <= 256 else 7
    return 7


def expected_entities(kind, layers, entities):
    """What the writer must have written for the store's records, in order."""
    out = []
    layer = None
    previous = None
    for e in entities:
        if (previous is None or e["layer"] != previous) and e["layer"] != 0:
            if 1 <= e["layer"] <= len(layers):
                layer = layers[e["layer"] - 1]
        previous = e["layer"]
        if e["kind"] not in (1, 2):
            continue
        _, _, axis_ratio, _, _, _, start_angle, end_angle = e["r"]
        colour = dxf_colour(kind, e["colour"])
        # A layer that is off says so in its LAYER record; its entities keep
        # their colour, as readers delete entities of a negative colour.
        item = {"layer": layer["name"] if layer and layer["name"] else "0",
                "colour": colour,
                "linetype": LINE_TYPES[e["line_type"] - 1] if 1 <= e["line_type"] <= 9 else "CONTINUOUS",
                "r": e["r"]}
        if e["kind"] == 1:
            item["type"] = "LINE"
        elif axis_ratio != 1.0:
            item["type"] = "ELLIPSE"
        elif start_angle == end_angle or abs(end_angle - start_angle) >= 359.88:
            item["type"] = "CIRCLE"
        else:
            item["type"] = "ARC"
        out.append(item)
    return out


def close(a, b):
    return abs(a - b) <= TOLERANCE * max(1.0, abs(a), abs(b))


def store_ellipse_point(r, t_degrees):
    x1, y1, axis_ratio, _, radius, tilt, _, _ = r
    t = math.radians(t_degrees)
    a = math.radians(tilt)
    u, v = radius * math.cos(t), radius * axis_ratio * math.sin(t)
    return x1 + u * math.cos(a) - v * math.sin(a), y1 + u * math.sin(a) + v * math.cos(a)


def compare(expected, found):
    """Problems found between one expected record and one ezdxf entity."""
    # The store's eight reals: a line's points, or an arc's centre and shape.
    x1, y1, axis_ratio, _, radius, _, start_angle, end_angle = expected["r"]
    end_x, end_y = expected["r"][2:4]
    kind = expected["type"]
    problems = []
    if found.dxftype() != kind:
        return ["type %s instead of %s" % (found.dxftype(), kind)]
    if found.dxf.layer != expected["layer"]:
        problems.append("layer %r instead of %r" % (found.dxf.layer, expected["layer"]))
    if found.dxf.linetype != expected["linetype"]:
        problems.append("line type %s instead of %s" % (found.dxf.linetype, expected["linetype"]))
    if found.dxf.color != expected["colour"]:
        problems.append("colour %d instead of %d" % (found.dxf.color, expected["colour"]))
    pairs = []
    if kind == "LINE":
        pairs = [(found.dxf.start.x, x1), (found.dxf.start.y, y1), (found.dxf.end.x, end_x),
                 (found.dxf.end.y, end_y)]
    elif kind in ("CIRCLE", "ARC"):
        pairs = [(found.dxf.center.x, x1), (found.dxf.center.y, y1), (found.dxf.radius, radius)]
        if kind == "ARC":
            pairs += [(found.dxf.start_angle, start_angle), (found.dxf.end_angle, end_angle)]
    else:
        major = math.hypot(found.dxf.major_axis.x, found.dxf.major_axis.y)
        pairs = [(found.dxf.center.x, x1), (found.dxf.center.y, y1),
                 (major * found.dxf.ratio, min(radius, radius * abs(axis_ratio))),
                 (major, max(radius, radius * abs(axis_ratio)))]
        # A whole ellipse is written from 0 to 2π, wherever the store starts it.
        if abs(math.remainder(end_angle - start_angle, 360.0)) >= 1e-4:
            for point, t in ((found.start_point, start_angle), (found.end_point, end_angle)):
                sx, sy = store_ellipse_point(expected["r"], t)
                pairs += [(point.x, sx), (point.y, sy)]
    for got, want in pairs:
        if not close(got, want):
            problems.append("value %.6f instead of %.6f" % (got, want))
    return problems


def check(zovview, source, style):
    with tempfile.TemporaryDirectory() as home:
        out = os.path.join(home, "out.dxf")
        run = subprocess.run([zovview, "--export-dxf", source, "-o", out, "--style", style,
                              "--home", home], capture_output=True, text=True)
        store = os.path.join(home, "$VV_DAT$.TMP" if style == "standard" else "$VV_SUM$.TMP")
        if run.returncode != 0:
            # A drawing without a line, circle, arc or ellipse is refused, no file left.
            refused = "DXF not written" in run.stderr and not os.path.exists(out)
            if refused and os.path.exists(store) and not expected_entities(*read_store(store)):
                return []
            return ["export failed: " + run.stderr.strip()]
        kind, layers, records = read_store(store)
        doc = ezdxf.readfile(out)
        wanted = expected_entities(kind, layers, records)
        found = [e for e in doc.modelspace() if e.dxftype() in ("LINE", "CIRCLE", "ARC", "ELLIPSE")]
        problems = []
        if len(found) != len(wanted):
            problems.append("%d entities instead of %d" % (len(found), len(wanted)))
        for i, (w, f) in enumerate(zip(wanted, found)):
            problems += ["entity %d: %s" % (i, p) for p in compare(w, f)]
        table = {layer.dxf.name for layer in doc.layers}
        for layer in layers:
            if layer["used"] and layer["name"] not in table:
                problems.append("layer %r missing from the LAYER table" % layer["name"])
        auditor = doc.audit()
        problems += ["audit: " + error.message for error in auditor.errors]
        return problems


def main():
    zovview, inputs = sys.argv[1], sys.argv[2:]
    sources = []
    for item in inputs:
        if not os.path.exists(item):
            print("not found, passed over:", item)
        elif os.path.isdir(item):
            for pattern in ("*.dxf", "*.DXF", "*.jwc", "*.JWC"):
                sources += sorted(glob.glob(os.path.join(item, "**", pattern), recursive=True))
        else:
            sources.append(item)
    failures = 0
    checked = 0
    for source in sources:
        styles = ["standard", "layers"] if source.lower().endswith(".jwc") else ["standard"]
        for style in styles:
            checked += 1
            problems = check(zovview, source, style)
            if problems:
                failures += 1
                print("FAIL %s (%s):" % (source, style))
                for problem in problems[:10]:
                    print("   ", problem)
    print("%d exports checked with ezdxf %s, %d failed" % (checked, ezdxf.__version__, failures))
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
