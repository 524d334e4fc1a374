#!/usr/bin/env python3
"""Every DXF file of a corpus of real files, saved again by ezdxf (a DXF
library of others) once as ASCII and once as binary DXF: `zovview --dump` must
print the same store for both twins (all but the lines naming the file and
its time).

usage: binary_twins_check.py ZOVVIEW CORPUS_FOLDER WORK_FOLDER"""
import glob
import os
import subprocess
import sys

import ezdxf
from ezdxf import recover


def dump(zovview, path):
    result = subprocess.run([zovview, "--dump", path], capture_output=True, timeout=120)
    if result.returncode != 0:
        raise RuntimeError("%s: %s" % (path, result.stderr.decode(errors="replace")))
    return [line for line in result.stdout.decode(errors="replace").splitlines()
            if not line.startswith(("fname=", "ftime="))]


def main():
    zovview, corpus, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    compared = failures = 0
    for source in sorted(glob.glob(os.path.join(corpus, "*.dxf"))):
        try:
            doc, _ = recover.readfile(source)
            ascii_twin = os.path.join(work, "twin.dxf")
            binary_twin = os.path.join(work, "twin_bin.dxf")
            doc.saveas(ascii_twin)
            doc.saveas(binary_twin, fmt="bin")
        except Exception as error:  # files ezdxf cannot rewrite are not ours to judge
            print("skipped %s: %s" % (os.path.basename(source), error))
            continue
        compared += 1
        if dump(zovview, ascii_twin) != dump(zovview, binary_twin):
            failures += 1
            print("DIFFERENT: %s" % os.path.basename(source))
    print("%d twins compared, %d different" % (compared, failures))
    return 1 if failures or compared == 0 else 0


sys.exit(main())
