#!/usr/bin/env python3
"""Writes the probe drawings of the probe tests with ezdxf, an outside DXF
writer, into the folder given: one small drawing per rule of how a drawing
must look, and palette.txt, ezdxf's colour index palette ("index r g b")."""
import math
import sys

import ezdxf
from ezdxf.colors import DXF_DEFAULT_COLORS
from ezdxf.enums import TextEntityAlignment

folder = sys.argv[1]


def new(version="R2000"):
    doc = ezdxf.new(version)
    return doc, doc.modelspace()


def save(doc, name):
    doc.saveas(f"{folder}/{name}")


def palette():
    with open(f"{folder}/palette.txt", "w") as out:
        for index in range(1, 256):
            rgb = DXF_DEFAULT_COLORS[index]
            out.write(f"{index} {rgb >> 16 & 255} {rgb >> 8 & 255} {rgb & 255}\n")


def colours():
    # One short line per index colour, sixteen to a row, rows downward.
    doc, msp = new()
    for index in range(1, 256):
        x, y = index % 16 * 10, -(index // 16) * 10
        msp.add_line((x, y), (x + 8, y), dxfattribs={"color": index})
    save(doc, "colours.dxf")


def layers():
    doc, msp = new()
    doc.linetypes.add("DASHED", [0.6, 0.5, -0.1], description="dashed")
    doc.layers.add("RED", color=1, linetype="DASHED")
    doc.layers.add("FROZEN", color=3).freeze()
    msp.add_line((0, 0), (100, 0), dxfattribs={"layer": "0", "color": 5})
    msp.add_line((0, 10), (100, 10), dxfattribs={"layer": "RED", "color": 256,
                                                 "linetype": "ByLayer"})
    msp.add_line((0, 20), (100, 20), dxfattribs={"layer": "FROZEN"})
    save(doc, "layers.dxf")


def stale_extents():
    # The header still holds the extents of an earlier, tiny drawing.
    doc, msp = new()
    doc.header["$EXTMIN"] = (0, 0, 0)
    doc.header["$EXTMAX"] = (1, 1, 0)
    block = doc.blocks.new("WIDE")
    block.add_line((0, 0), (1000, 0))
    msp.add_line((1000, 1000), (2000, 1000))
    msp.add_blockref("WIDE", (1000, 1500))
    msp.add_text("NOTE", height=100, dxfattribs={"insert": (1000, 1900)})
    save(doc, "stale_extents.dxf")


def trusted_extents():
    # Header extents five times the drawing: stale, yet not absurd.
    doc, msp = new()
    doc.header["$EXTMIN"] = (-200, -200, 0)
    doc.header["$EXTMAX"] = (300, 300, 0)
    msp.add_lwpolyline([(0, 0), (100, 0), (100, 60), (0, 60)], close=True)
    save(doc, "trusted_extents.dxf")


def construction_lines():
    # One XLINE and one RAY beside a small square: only the square is fitted.
    doc, msp = new()
    msp.add_lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], close=True)
    msp.add_xline((5, 5), (1, 0.2))
    msp.add_ray((0, 0), (0, 1))
    save(doc, "construction_lines.dxf")


# Half ellipses, parameters 0 to pi, one every 30 units along x: major axis
# and ratio. Their middle (parameter pi / 2) lies at the minor axis, the
# major axis turned a quarter left.
ELLIPSES = [((0, 10), 1.0), ((0, 10), 0.5), ((-10, 0), 0.5), ((7, 7), 0.5),
            ((0, -10), 0.5), ((10, 0), 1.0), ((-6, -8), 1.0)]


def ellipses():
    doc, msp = new()
    for i, (axis, ratio) in enumerate(ELLIPSES):
        msp.add_ellipse((30 * i, 0), axis, ratio, 0, math.pi)
    save(doc, "ellipses.dxf")
    with open(f"{folder}/ellipses.txt", "w") as out:
        for i, ((ux, uy), ratio) in enumerate(ELLIPSES):
            out.write(f"{30 * i} 0 {-uy * ratio} {ux * ratio}\n")


def bulges():
    doc, msp = new()
    # A circle of radius 10 about (50, 50) and a donut, from two half circles.
    msp.add_lwpolyline([(40, 50, 0, 0, 1), (60, 50, 0, 0, 1)], format="xyseb", close=True)
    msp.add_lwpolyline([(20, 0, 0, 0, -1), (30, 0, 0, 0, -1)], format="xyseb", close=True)
    face = msp.add_polyface()
    face.append_face([(100, 0), (110, 0), (110, 10), (100, 10)])
    save(doc, "bulges.dxf")


def blocks():
    doc, msp = new()
    doc.layers.add("BLUE", color=5)
    block = doc.blocks.new("PART", base_point=(10, 10))
    block.add_line((10, 10), (20, 10), dxfattribs={"color": 1})
    block.add_line((10, 10), (10, 20), dxfattribs={"color": 3})
    block.add_line((10, 10), (20, 20), dxfattribs={"color": 0})  # ByBlock
    block.add_line((20, 10), (20, 20), dxfattribs={"layer": "BLUE"})
    msp.add_blockref("PART", (100, 100), dxfattribs={"color": 6})
    msp.add_line((0, 0), (200, 200), dxfattribs={"color": 8})
    save(doc, "blocks.dxf")


def texts():
    doc, msp = new()
    msp.add_line((0, 0), (200, 0))
    msp.add_line((0, 100), (200, 100))
    msp.add_text("HH", height=20, dxfattribs={"insert": (10, 50), "width": 2.0})
    centred = msp.add_text("MID", height=10)
    centred.set_placement((100, 20), align=TextEntityAlignment.CENTER)
    right = msp.add_text("RIGHT", height=10)
    right.set_placement((190, 80), align=TextEntityAlignment.TOP_RIGHT)
    fitted = msp.add_text("FIT", height=10)
    fitted.set_placement((10, 5), (70, 5), align=TextEntityAlignment.FIT)
    save(doc, "texts.dxf")


def text_lengths():
    # Ten capitals of height 10 fill the frame line below them, 100 long, as
    # in other DXF programs; three Japanese characters keep the drawing
    # font's full width, 4 / 3 of the height each.
    doc, msp = new()
    msp.add_line((0, -5), (100, -5))
    msp.add_text("HHHHHHHHHH", height=10, dxfattribs={"insert": (0, 0)})
    msp.add_text("壁壁壁", height=10, dxfattribs={"insert": (0, 30)})
    save(doc, "text_lengths.dxf")


def line_weights():
    # From the bottom: a default line, 0.13 mm, 2.00 mm, one that takes the
    # 1.00 mm of its layer and one that takes the 2.00 mm of its insert.
    doc, msp = new()
    doc.layers.add("HEAVY", lineweight=100)
    msp.add_line((0, 0), (100, 0))
    msp.add_line((0, 20), (100, 20), dxfattribs={"lineweight": 13})
    msp.add_line((0, 40), (100, 40), dxfattribs={"lineweight": 200})
    msp.add_line((0, 60), (100, 60), dxfattribs={"layer": "HEAVY"})
    # A block's ByBlock line takes the 2.00 mm of its insert.
    doc.blocks.new("BAR").add_line((0, 0), (100, 0), dxfattribs={"lineweight": -2})
    msp.add_blockref("BAR", (0, 80), dxfattribs={"lineweight": 200})
    save(doc, "line_weights.dxf")


def mirrored():
    doc, msp = new()
    down = {"extrusion": (0, 0, -1)}
    msp.add_line((-100, -100), (100, 100))
    # Seen from below: centre (30, 0) in the entity's own frame is (-30, 0).
    msp.add_arc((30, 0), 10, 0, 90, dxfattribs=down)
    msp.add_lwpolyline([(10, 50), (40, 50)], dxfattribs=down)
    msp.add_text("M", height=10, dxfattribs={"insert": (50, -50), **down})
    save(doc, "mirrored.dxf")


def tilted():
    # Entities in the plane whose normal is (1, 0, 1): its x axis is the
    # world's y axis, its y axis points along -x and up, so seen from above
    # lengths along it shrink to cos 45 degrees.
    doc, msp = new()
    tilt = {"extrusion": (1, 0, 1)}
    block = doc.blocks.new("BAR")
    block.add_line((0, 0), (10, 0))
    msp.add_circle((20, 0), 10, dxfattribs=tilt)
    msp.add_lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], close=True, dxfattribs=tilt)
    msp.add_text("T", height=10, dxfattribs={"insert": (0, -20), **tilt})
    msp.add_blockref("BAR", (0, -40), dxfattribs=tilt)
    # Seen from below, a quarter of an ellipse: from (10, 100) round to (0, 95).
    msp.add_ellipse((0, 100, 0), (10, 0, 0), 0.5, 0, math.pi / 2,
                    dxfattribs={"extrusion": (0, 0, -1)})
    save(doc, "tilted.dxf")
    doc, msp = new()
    msp.add_circle((0, 0), 10, dxfattribs=tilt)
    save(doc, "tilted_circle.dxf")


def wipeouts():
    # A line under a wipeout, another over it; the second file shows frames.
    for name, frame in (("wipeout.dxf", 0), ("wipeout_frame.dxf", 1)):
        doc, msp = new()
        msp.add_line((0, 50), (100, 50), dxfattribs={"color": 1})
        msp.add_wipeout([(20, 20), (80, 20), (80, 80), (20, 80)])
        msp.add_line((0, 60), (100, 60), dxfattribs={"color": 3})
        doc.set_wipeout_variables(frame=frame)
        save(doc, name)


def mirrored_texts():
    # "AB", 20 wide: backward from (0, 0), upside down from (0, 50); and a
    # label in a frame, inserted mirrored in x at (100, 0).
    doc, msp = new()
    green = {"color": 3}
    msp.add_text("AB", height=10, dxfattribs={"insert": (0, 0), "text_generation_flag": 2,
                                               **green})
    msp.add_text("AB", height=10, dxfattribs={"insert": (0, 50), "text_generation_flag": 4,
                                               **green})
    block = doc.blocks.new("LABEL")
    block.add_lwpolyline([(0, 0), (40, 0), (40, 20), (0, 20)], close=True,
                         dxfattribs={"color": 1})
    block.add_text("AB", height=10, dxfattribs={"insert": (5, 5), **green})
    msp.add_blockref("LABEL", (100, 0), dxfattribs={"xscale": -1})
    save(doc, "mirrored_texts.dxf")


def sheet_with_paper_space():
    # A model-space line on layer MODEL, a paper-space line on layer PAPER.
    doc, msp = new()
    doc.header["$DIMSCALE"] = 10
    doc.layers.add("MODEL")
    doc.layers.add("PAPER")
    msp.add_line((0, 0), (100, 50), dxfattribs={"layer": "MODEL"})
    doc.layout("Layout1").add_line((0, 0), (20, 10), dxfattribs={"layer": "PAPER"})
    save(doc, "sheet_with_paper_space.dxf")


def dimension_pictures():
    # Dimension pictures of our own: lines and a text, with two filled
    # triangles for arrow heads or (as samples/dxf/plan.dxf) none; no
    # definition points, no arrow blocks.
    for name, arrows in (("dimension_solid_arrows.dxf", True), ("dimension_lines.dxf", False)):
        doc, msp = new()
        block = doc.blocks.new_anonymous_block("D")
        block.add_line((0, 0), (0, 20))
        block.add_line((100, 0), (100, 20))
        block.add_line((0, 15), (100, 15))
        if arrows:
            block.add_solid([(0, 15), (10, 17), (10, 13)])
            block.add_solid([(100, 15), (90, 17), (90, 13)])
        block.add_text("100", height=5, dxfattribs={"insert": (45, 16)})
        msp.new_entity("DIMENSION", dxfattribs={"geometry": block.name, "dimtype": 0})
        save(doc, name)


def truetype_texts():
    # The same string in a TrueType style and in an SHX-style one.
    doc, msp = new()
    doc.styles.new("ARIAL", dxfattribs={"font": "arial.ttf"})
    doc.styles.new("SIMPLEX", dxfattribs={"font": "simplex.shx"})
    msp.add_text("Hello World", height=10, dxfattribs={"style": "ARIAL", "insert": (0, 0)})
    msp.add_text("Hello World", height=10, dxfattribs={"style": "SIMPLEX", "insert": (0, 20)})
    save(doc, "truetype_texts.dxf")


def splines():
    doc, msp = new()
    fit = [(0, 0), (30, 40), (60, 10), (100, 50)]
    msp.add_spline_control_frame(fit)  # control points and knots through the fit points
    msp.add_spline([(p[0], p[1] - 100) for p in fit])  # fit points only
    save(doc, "splines.dxf")


def mtext_columns():
    # Three static columns 10 wide with a gutter of 2 at the top, two
    # dynamic columns of heights 3 and 8 below, in each of the file forms:
    # extended data and linked texts (R2000, R2007) and embedded object (R2018).
    for version in ("R2000", "R2007", "R2018"):
        doc, msp = new(version)
        msp.add_mtext_static_columns(["AAAA\\PAAA2", "BBBB", "CCCC"], width=10, gutter_width=2,
                                     height=30, dxfattribs={"char_height": 1, "insert": (0, 50)})
        msp.add_mtext_dynamic_manual_height_columns(
            "XX\\PYY\\PZZ\\PWW", width=10, gutter_width=2, heights=[3, 8],
            dxfattribs={"char_height": 1, "insert": (0, 0)})
        save(doc, f"mtext_columns_{version}.dxf")


def mtext_codes():
    doc, msp = new("R2018")
    msp.add_mtext("A{\\C1;RED}B\\P\\LUNDER\\l\\P\\H2xBROKEN\\PNEXT; END",
                  dxfattribs={"char_height": 10, "insert": (0, 100)})
    msp.add_text("%%uUNDER%%u TEXT", height=10, dxfattribs={"insert": (0, 0)})
    save(doc, "mtext_codes.dxf")


def hatch_text_boxes():
    # Texts first, their solid fills after them. Left: the box of "IN" lies
    # in the hole of the fill; right: the box of "EDGE" lies across the
    # hole's edge. "ON" lies on the left fill without a box of its own.
    doc, msp = new()
    for x0, box in ((0, [(40, 40), (60, 40), (60, 50), (40, 50)]),
                    (200, [(210, 45), (250, 45), (250, 55), (210, 55)])):
        msp.add_mtext("IN" if x0 == 0 else "EDGE",
                      dxfattribs={"char_height": 8, "insert": box[3], "color": 3})
        hatch = msp.add_hatch(color=1)
        hatch.paths.add_polyline_path([(x0, 0), (x0 + 100, 0), (x0 + 100, 100), (x0, 100)],
                                      flags=1)
        hatch.paths.add_polyline_path([(x0 + 20, 20), (x0 + 80, 20), (x0 + 80, 80), (x0 + 20, 80)],
                                      flags=0)
        hatch.paths.add_polyline_path(box, flags=8)  # a text box
    msp.add_text("ON", height=8, dxfattribs={"insert": (2, 5), "color": 3})
    save(doc, "hatch_text_boxes.dxf")


def attribute_definitions():
    # A tag in model space is drawn; the one of a block is not.
    doc, msp = new()
    msp.add_attdef("TAG", (0, 0), "default", dxfattribs={"height": 5})
    block = doc.blocks.new("LABELLED")
    block.add_line((0, 0), (10, 0))
    block.add_attdef("INNER", (0, 5), dxfattribs={"height": 5})
    msp.add_blockref("LABELLED", (0, 20))
    save(doc, "attribute_definitions.dxf")


def paper_space_only():
    # Nothing in model space; one line on a second paper-space layout.
    doc, _ = new()
    doc.layouts.new("SHEET").add_line((0, 0), (100, 50))
    save(doc, "paper_space_only.dxf")


for write in (palette, colours, layers, stale_extents, trusted_extents,
              construction_lines, ellipses, bulges, blocks, texts, text_lengths, line_weights,
              mirrored, tilted, wipeouts, mirrored_texts, sheet_with_paper_space,
              dimension_pictures, truetype_texts, splines, mtext_columns, mtext_codes, hatch_text_boxes,
              paper_space_only, attribute_definitions):
    write()
