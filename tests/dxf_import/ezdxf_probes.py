#!/usr/bin/env python3
"""Writes probe drawings with ezdxf, a DXF library written by others, for the
import tests: each drawing as ASCII (NAME.dxf) and as binary DXF
(NAME_bin.dxf), and for the hatches what ezdxf itself computes of them
(hatches.expect: one line "colour pattern_length" per hatch, the total
length of its pattern's dashes, 0 for a solid hatch).

usage: ezdxf_probes.py FOLDER"""
import math
import os
import sys

import ezdxf
import ezdxf.math
from ezdxf.render import hatching


def save(doc, folder, name):
    doc.saveas(os.path.join(folder, name + ".dxf"))
    doc.saveas(os.path.join(folder, name + "_bin.dxf"), fmt="bin")


def entities(version):
    """Array inserts, faces, wide polylines, construction lines, a multileader,
    true colour."""
    doc = ezdxf.new(version)
    msp = doc.modelspace()
    if version != "R12":
        doc.layers.add("TEAL", true_color=ezdxf.rgb2int((0, 128, 128)))
    seat = doc.blocks.new("SEAT")
    seat.add_line((0, 0), (1, 0))
    msp.add_line((0, 0), (100, 50), dxfattribs={"color": 3})
    array = msp.add_blockref("SEAT", (10, 20), dxfattribs={"rotation": 30})
    array.grid(size=(2, 3), spacing=(5, 10))  # 2 rows, 3 columns
    msp.add_3dface([(0, 0), (4, 0), (4, 3), (0, 3)], dxfattribs={"invisible": 2})
    msp.add_3dface([(10, 0), (14, 0), (12, 3), (12, 3)])
    # Wide polylines: a constant width, a tapering segment, a wide arc.
    wide = msp.add_polyline2d([(0, 60, 2, 2, 0), (10, 60, 2, 0, 0.5), (10, 70, 0, 0, 0)],
                              format="xyseb", dxfattribs={"color": 4})
    if version != "R12":
        msp.add_lwpolyline([(20, 60), (30, 60), (30, 70)], dxfattribs={"const_width": 1.0,
                                                                       "color": 5})
        msp.add_xline((50, 25), (1, 1))
        msp.add_ray((50, 25), (0, 1))
        msp.add_line((0, 50), (10, 50), dxfattribs={"true_color": ezdxf.rgb2int((250, 2, 1))})
        ml = msp.add_multileader_mtext("Standard")
        ml.set_content("NOTE\\PTWO", char_height=2.0)
        ml.add_leader_line(ezdxf.render.ConnectionSide.left, [(60, 30), (70, 40)])
        ml.build(insert=ezdxf.math.Vec2(80, 45))
    save(doc, folder, "entities_" + version)


def hatches(version):
    """Solid and pattern hatches, each in a colour of its own."""
    doc = ezdxf.new(version)
    msp = doc.modelspace()
    solid = msp.add_hatch(color=1)
    solid.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)], is_closed=True, flags=1)
    solid.paths.add_polyline_path([(3, 3), (7, 3), (7, 7), (3, 7)], is_closed=True, flags=16)
    disc = msp.add_hatch(color=2)
    edges = disc.paths.add_edge_path()
    edges.add_arc((30, 5), 5, 0, 360)
    edges = disc.paths.add_edge_path()
    edges.add_arc((30, 5), 2, 0, 360, ccw=False)
    half = msp.add_hatch(color=3)
    edges = half.paths.add_edge_path()
    edges.add_line((40, 0), (50, 0))
    edges.add_ellipse((45, 0), (5, 0), 0.5, 0, 180)
    bulged = msp.add_hatch(color=4)
    bulged.paths.add_polyline_path([(60, 0, 0), (70, 0, 1), (70, 10, 0), (60, 10, 0)],
                                   is_closed=True)
    curved = msp.add_hatch(color=8)
    edges = curved.paths.add_edge_path()
    edges.add_spline(fit_points=[(80, 0), (85, 8), (90, 0)])
    edges.add_line((90, 0), (80, 0))
    lines = msp.add_hatch(color=5)
    lines.set_pattern_fill("ANSI31", color=5, scale=0.5)
    lines.paths.add_polyline_path([(0, 20), (20, 20), (20, 40), (0, 40)], is_closed=True)
    edges = lines.paths.add_edge_path()
    edges.add_arc((10, 30), 4, 0, 360)
    bricks = msp.add_hatch(color=6)
    bricks.set_pattern_fill("BRICK", color=6, scale=0.25)
    bricks.paths.add_polyline_path([(30, 20), (50, 20), (40, 40)], is_closed=True)
    save(doc, folder, "hatches_" + version)
    with open(os.path.join(folder, "hatches.expect"), "w") as expect:
        for hatch in msp.query("HATCH"):
            length = 0.0
            if not hatch.dxf.solid_fill:
                for start, end in hatching.hatch_entity(hatch):
                    length += start.distance(end)
            expect.write("%d %.6f\n" % (hatch.dxf.color, length))


def texts(version, codepage):
    """Texts and names in a Western code page, and characters that only
    \\U+ escapes can carry there."""
    doc = ezdxf.new(version)
    doc.header["$DWGCODEPAGE"] = codepage
    msp = doc.modelspace()
    doc.layers.add("Wände")
    msp.add_text("45° ÄÜÖ", dxfattribs={"layer": "Wände", "height": 2.5})
    msp.add_mtext("\\U+65E5\\U+672C \\U+0416")
    save(doc, folder, "texts_" + version)


def texts_without_code_page(name, text):
    """An R12 file in Western bytes whose header names no code page."""
    doc = ezdxf.new("R12")
    doc.modelspace().add_text(text)
    path = os.path.join(folder, name + ".dxf")
    doc.saveas(path)
    with open(path, "rb") as dxf:
        data = dxf.read().replace(b"  9\n$DWGCODEPAGE\n  3\nANSI_1252\n", b"")
    with open(path, "wb") as dxf:
        dxf.write(data)


folder = sys.argv[1]
for version in ("R12", "R2000", "R2018"):
    entities(version)
for version in ("R2000", "R2018"):
    hatches(version)
texts("R2000", "ANSI_1252")
texts("R2018", "ANSI_1252")
texts_without_code_page("western_R12", "ABCÄÜÖ café")  # no Shift-JIS: é before a blank
texts_without_code_page("katakana_R12", "ABCÄÜÖ")  # these bytes read as Shift-JIS too
