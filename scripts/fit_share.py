#!/usr/bin/env python3
"""fit_share.py ZOVVIEW [DXF...]: how much of the picture each drawing fills.

Renders every DXF file given (by default the corpus, ../shared/corpus/dxf
beside the checkout) with `zovview --render --size 800x600` on black paper
and prints, per file, the share of the picture that the box of its drawn
(non-black) pixels fills: its width over the picture's width or its height
over the picture's height, whichever is larger. A last line counts the files
below 75 % and those whose drawing touches two opposite edges.
"""
import pathlib
import struct
import subprocess
import sys
import tempfile
import zlib

WIDTH, HEIGHT = 800, 600


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def png_rows(path):
    """The rows of an 8-bit, non-interlaced RGB or RGBA PNG, and its pixel size."""
    data = pathlib.Path(path).read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, width, height, size = 8, bytearray(), 0, 0, 0
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or interlace != 0 or colour not in (2, 6):
                raise ValueError("unsupported PNG form")
            size = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(bytes(idat))
    stride = width * size
    previous = bytearray(stride)
    rows = []
    for y in range(height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        if kind == 1:
            for i in range(size, stride):
                row[i] = (row[i] + row[i - size]) & 255
        elif kind == 2:
            for i in range(stride):
                row[i] = (row[i] + previous[i]) & 255
        elif kind == 3:
            for i in range(stride):
                left = row[i - size] if i >= size else 0
                row[i] = (row[i] + ((left + previous[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(stride):
                left = row[i - size] if i >= size else 0
                upper_left = previous[i - size] if i >= size else 0
                row[i] = (row[i] + paeth(left, previous[i], upper_left)) & 255
        rows.append(row)
        previous = row
    return rows, width, height, size


def drawn_box(path):
    """The box (left, top, right, bottom) of the non-black pixels, or None."""
    rows, width, _, size = png_rows(path)
    left, top, right, bottom = width, None, -1, -1
    for y, row in enumerate(rows):
        used = [x for x in range(width) if any(row[x * size:x * size + 3])]
        if not used:
            continue
        top = y if top is None else top
        bottom = y
        left, right = min(left, used[0]), max(right, used[-1])
    return None if top is None else (left, top, right, bottom)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    zovview = sys.argv[1]
    files = [pathlib.Path(f) for f in sys.argv[2:]]
    if not files:
        corpus = pathlib.Path(__file__).resolve().parents[2] / "shared" / "corpus" / "dxf"
        files = sorted(corpus.glob("*.dxf"))
    low = touching = 0
    with tempfile.TemporaryDirectory() as scratch:
        for number, dxf in enumerate(files):
            png = pathlib.Path(scratch) / f"{number}.png"
            home = pathlib.Path(scratch) / f"home{number}"
            home.mkdir()
            subprocess.run([zovview, "--render", str(dxf), "-o", str(png), "--size",
                            f"{WIDTH}x{HEIGHT}", "--home", str(home), "--yes", "--quiet"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
            box = drawn_box(png) if png.exists() else None
            if box is None:
                print(f"{'-':>6}  {dxf.name}  (nothing drawn)")
                continue
            left, top, right, bottom = box
            share = max((right - left + 1) / WIDTH, (bottom - top + 1) / HEIGHT)
            edges = (left == 0 and right == WIDTH - 1) or (top == 0 and bottom == HEIGHT - 1)
            low += share < 0.75
            touching += edges
            print(f"{share * 100:5.1f}%  {dxf.name}{'  (touches two edges)' if edges else ''}")
    print(f"{len(files)} files, {low} below 75 %, {touching} touching two opposite edges")


if __name__ == "__main__":
    main()
