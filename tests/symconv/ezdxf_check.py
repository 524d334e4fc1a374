#!/usr/bin/env python3
"""Outside check of zr_jwk's DXF files with ezdxf, an independent DXF reader.

Usage: ezdxf_check.py ZR_JWK LIBRARY_BUILDER WORK_FOLDER [SAMPLE_FOLDER]

Builds the varied symbol library (.jwk and .jws symbols side by side) and a
folder of its .jws symbols alone, converts them (and SAMPLE_FOLDER when given)
in the normal and thumbnail layouts, with and without -n, and reads every DXF
written with ezdxf, decoding as cp932; also checks the exit codes and the
UTF-8 console text of a usage and a failure run. Each must hold one block and one INSERT
per symbol file, named after it, placed as the sheet lays them out; a .jws
symbol's blocks are drawn out inside its block, which holds no INSERT.
"""
import logging
import os
import shutil
import subprocess
import sys
import unicodedata

import ezdxf
from ezdxf import bbox

# ezdxf measures texts with matplotlib when that is installed; its font
# lookups for the DXF's shape fonts are noise here.
logging.getLogger("matplotlib.font_manager").setLevel(logging.ERROR)

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def expected_block_name(file_name, ascii_names):
    stem = os.path.splitext(file_name)[0]
    if ascii_names:
        return None  # generated names are checked for their form only
    # Half-width katakana and { | } ~ become full-width; everything else stays.
    return "".join(unicodedata.normalize("NFKC", c) if "\uff61" <= c <= "\uff9f" else
                   {"{": "\uff5b", "|": "\uff5c", "}": "\uff5d", "~": "\uffe3"}.get(c, c)
                   for c in stem)


def is_symbol_file(name, extensions=(".JWK", ".JWS")):
    return name.upper().endswith(extensions)


def close(a, b, tolerance=0.002):
    return abs(a - b) <= tolerance


def check_normal_layout(doc, inserts, label):
    msp = doc.modelspace()
    guides = msp.query('LINE[layer=="AddLine"]')
    xs = sorted({round(g.dxf.start.x, 3) for g in guides if close(g.dxf.start.x, g.dxf.end.x)})
    ys = sorted({round(g.dxf.start.y, 3) for g in guides if close(g.dxf.start.y, g.dxf.end.y)},
                reverse=True)
    check(len(xs) == 9 and len(ys) == 5, f"{label}: 9 + 5 guide lines expected")
    for i, insert in enumerate(inserts[:45]):
        col, row = i % 9, i // 9
        point = insert.dxf.insert
        check(close(point.x, xs[col]) and close(point.y, ys[row]),
              f"{label}: INSERT {i} at {point} is not on guide lines {xs[col]}, {ys[row]}")


def check_thumbnail_layout(doc, inserts, label):
    cache = bbox.Cache()
    for i, insert in enumerate(inserts):
        col, row = i % 10, i // 10
        cell_x0, cell_y1 = 15 + 39 * col, 285 - 54 * row
        check(close(insert.dxf.xscale, insert.dxf.yscale, 1e-6), f"{label}: INSERT {i} scale")
        box = bbox.extents(insert.virtual_entities(), cache=cache)
        if not box.has_data:
            continue
        check(box.extmin.x >= cell_x0 - 0.01 and box.extmax.x <= cell_x0 + 39 + 0.01 and
              box.extmin.y >= cell_y1 - 54 - 0.01 and box.extmax.y <= cell_y1 + 0.01,
              f"{label}: symbol {i} ({box.extmin}, {box.extmax}) leaves its cell")


def check_dxf(path, symbol_files, thumbnail, ascii_names, label):
    try:
        doc = ezdxf.readfile(path, encoding="cp932")
    except Exception as error:  # any reading failure is a finding
        failures.append(f"{label}: ezdxf cannot read {path}: {error}")
        return
    msp = doc.modelspace()
    inserts = list(msp.query("INSERT"))
    blocks = [b.name for b in doc.blocks if not b.name.startswith("*")]
    check(len(inserts) == len(symbol_files),
          f"{label}: {len(inserts)} INSERTs for {len(symbol_files)} symbols")
    check(len(blocks) == len(symbol_files),
          f"{label}: {len(blocks)} blocks for {len(symbol_files)} symbols")
    check(len(set(blocks)) == len(blocks), f"{label}: block names repeat: {blocks}")
    names = [t.dxf.text for t in msp.query('TEXT[layer=="Fname"]')]
    check(names == [os.path.splitext(f)[0] for f in symbol_files],
          f"{label}: sheet names {names}")
    for insert, file_name in zip(inserts, symbol_files):
        check(insert.dxf.name in doc.blocks, f"{label}: INSERT of missing block {insert.dxf.name}")
        expected = expected_block_name(file_name, ascii_names)
        if expected is not None:
            check(insert.dxf.name == expected, f"{label}: block {insert.dxf.name} for {file_name}")
        else:
            check(insert.dxf.name.isascii() and insert.dxf.name.isalnum(),
                  f"{label}: -n block name {insert.dxf.name}")
    for insert, file_name in zip(inserts, symbol_files):
        if file_name.upper().endswith(".JWS") and insert.dxf.name in doc.blocks:
            block = doc.blocks.get(insert.dxf.name)
            check(len(block) > 0 and not block.query("INSERT"),
                  f"{label}: block of {file_name} is empty or holds INSERTs")
    for block in doc.blocks:
        for entity in block:
            linetype = entity.dxf.get("linetype", "BYLAYER")
            check(linetype.upper() in ("BYLAYER", "BYBLOCK") or linetype in doc.linetypes,
                  f"{label}: line type {linetype} is not defined")
    if thumbnail:
        check_thumbnail_layout(doc, inserts, label)
    else:
        check_normal_layout(doc, inserts, label)


def convert(zr_jwk, launch, library, options):
    result = subprocess.run([zr_jwk, library + "/"] + options, cwd=launch,
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    if result.returncode != 0:
        failures.append(f"zr_jwk {options} on {library} exited {result.returncode}: "
                        f"{result.stdout.decode(errors='replace')}")
        return None
    names = [f for f in os.listdir(library) if f.upper().endswith(".DXF")]
    return os.path.join(library, names[0]) if len(names) == 1 else None


def check_console(zr_jwk, work):
    """Exit codes and console text of the program itself, run as a script runs
    it: standard input is no terminal, so a failure report must not wait."""
    usage = subprocess.run([zr_jwk, "-n"], cwd=work, stdin=subprocess.DEVNULL,
                           capture_output=True, timeout=60)
    text = usage.stdout.decode("utf-8")
    check(usage.returncode == 1 and "使用方法: ZR_JWK DirectryName [-n] [-s] \n" in text,
          f"usage: exit {usage.returncode}, {text!r}")
    failed = subprocess.run([zr_jwk, os.path.join(work, "missing") + "/"], cwd=work,
                            stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    text = failed.stdout.decode("utf-8")
    check(failed.returncode == 255 and "\n★ＤＸＦファイル作成できませんでした(1)★\n" in text,
          f"failure: exit {failed.returncode}, {text!r}")


def check_code_page(zr_jwk, work, sample_folder):
    """Names whose second byte is 0x5C (ソ, 表) read back by the code page the
    library declares, with no encoding given; a file that only bears a symbol
    file's name is left out."""
    library = os.path.join(work, "code_page")
    os.makedirs(library)
    samples = sorted(f for f in os.listdir(sample_folder) if is_symbol_file(f))
    for name, sample in zip(["ソファ.JWK", "表.JWK"], samples):
        shutil.copy(os.path.join(sample_folder, sample), os.path.join(library, name))
    with open(os.path.join(library, "README.JWK"), "w") as note:
        note.write("not a symbol\n")
    path = convert(zr_jwk, work, library, [])
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:
        failures.append(f"code page: ezdxf cannot read {path}: {error}")
        return
    check(doc.header.get("$DWGCODEPAGE") == "ANSI_932", "code page: no $DWGCODEPAGE ANSI_932")
    blocks = sorted(b.name for b in doc.blocks if not b.name.startswith("*"))
    check(blocks == ["ソファ", "表"], f"code page: blocks {blocks}")


def main():
    zr_jwk, builder, work = sys.argv[1], sys.argv[2], sys.argv[3]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    libraries = [os.path.join(work, "varied"), os.path.join(work, "windows")]
    subprocess.run([builder, libraries[0], "サンプル"], check=True)
    os.makedirs(libraries[1])
    for name in os.listdir(libraries[0]):
        if is_symbol_file(name, (".JWS",)):
            shutil.copy(os.path.join(libraries[0], name), libraries[1])
    if len(sys.argv) > 4 and os.path.isdir(sys.argv[4]):
        libraries.append(os.path.join(work, "bundled"))
        shutil.copytree(sys.argv[4], libraries[-1])
    check_console(zr_jwk, work)
    if len(sys.argv) > 4 and os.path.isdir(sys.argv[4]):
        check_code_page(zr_jwk, work, sys.argv[4])
    checked = 0
    for library in libraries:
        symbol_files = sorted(f for f in os.listdir(library) if is_symbol_file(f))
        for options in ([], ["-s"], ["-n"], ["-n", "-s"]):
            for old in [f for f in os.listdir(library) if f.upper().endswith(".DXF")]:
                os.remove(os.path.join(library, old))
            path = convert(zr_jwk, work, library, options)
            label = f"{os.path.basename(library)} {' '.join(options) or 'normal'}"
            if path is None:
                failures.append(f"{label}: no DXF written")
                continue
            check_dxf(path, symbol_files, "-s" in options, "-n" in options, label)
            checked += 1
    for failure in failures:
        print("FAILED:", failure)
    print(f"{checked} DXF files read with ezdxf {ezdxf.__version__}")
    print(f"{checked - len(failures) if not failures else 0} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
