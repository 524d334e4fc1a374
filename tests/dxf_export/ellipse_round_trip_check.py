#!/usr/bin/env python3
"""Elliptic and circular arcs written by ezdxf, imported and exported again by
`zovview --export-dxf`, read back by ezdxf: each exported curve starts and
ends where its source does and runs through the same points.

usage: ellipse_round_trip_check.py ZOVVIEW"""
import math
import os
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf import path

TOLERANCE = 0.01  # the writer prints coordinates with three decimals
# Centre, major axis, ratio, start and end parameters.
ARCS = [((0, 0), (0, 10), 1.0, 0, math.pi), ((30, 0), (0, 10), 0.5, 0, math.pi),
        ((60, 0), (0, -10), 0.5, 0.5, 2.5), ((90, 0), (-10, 0), 0.5, 1, 4),
        ((120, 0), (7, 7), 0.4, 5, 1), ((150, 0), (-6, -8), 1.0, 2, 3),
        ((180, 0), (0.005, 10), 0.5, 0, math.pi), ((210, 0), (0, 10), 1.0, 0, 2 * math.pi),
        ((240, 0), (10, 0), 0.5, 0, 2 * math.pi), ((270, 0), (0, -10), 0.3, 0, 2 * math.pi),
        ((300, 0), (-7, 7), 0.6, 0, 2 * math.pi), ((330, 0), (10, 10), 0.5, 0, 6.283185)]


def near(p, q):
    return math.dist((p.x, p.y), (q.x, q.y)) < TOLERANCE


def distance_to_chain(p, chain):
    best = math.inf
    for a, b in zip(chain, chain[1:]):
        d = b - a
        t = 0 if d.magnitude == 0 else max(0, min(1, (p - a).dot(d) / d.magnitude_square))
        best = min(best, (a + d * t - p).magnitude)
    return best


def main():
    zovview = sys.argv[1]
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        source, exported = os.path.join(scratch, "arcs.dxf"), os.path.join(scratch, "out.dxf")
        doc = ezdxf.new("R2000")
        for centre, axis, ratio, start, end in ARCS:
            doc.modelspace().add_ellipse(centre, axis, ratio, start, end)
        doc.saveas(source)
        subprocess.run([zovview, "--export-dxf", source, "-o", exported, "--home", scratch,
                        "--yes", "--quiet"], check=True)
        written = [e for e in ezdxf.readfile(exported).modelspace()
                   if e.dxftype() in ("ELLIPSE", "ARC", "CIRCLE")]
        if len(written) != len(ARCS):
            print(f"FAILED: {len(written)} curves exported of {len(ARCS)}")
            return 1
        for source_arc, copy in zip(doc.modelspace(), written):
            wanted, got = path.make_path(source_arc), path.make_path(copy)
            chain = list(got.flattening(0.001))
            # 2π as files give it, with six decimals, is whole as well.
            whole = source_arc.dxf.end_param - source_arc.dxf.start_param >= 2 * math.pi - 1e-6
            ends_agree = near(wanted.start, got.start) and near(wanted.end, got.end)
            if whole and copy.dxftype() == "ELLIPSE":
                # A whole ellipse runs 0 to 2π: readers take other equal ends as empty.
                ends_agree = copy.dxf.start_param == 0 and math.isclose(
                    copy.dxf.end_param, 2 * math.pi, abs_tol=1e-5)
            elif whole:
                ends_agree = copy.dxftype() == "CIRCLE"
            off = max(distance_to_chain(p, chain) for p in wanted.flattening(0.01))
            if not ends_agree or off > TOLERANCE:
                failures += 1
                print(f"FAILED: ellipse at {source_arc.dxf.center} exported as {copy.dxftype()}: "
                      f"ends {wanted.start} {wanted.end} / {got.start} {got.end}, off by {off:.4f}")
    print(f"{len(ARCS) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
