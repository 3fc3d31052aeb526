#!/usr/bin/env python3
"""Writes the project-file golden files of the data tests, field by field
from the documented layout, independently of the program's own writer.

Run from anywhere: python3 make_golden.py. Writes *.vnr and clip_b.bin beside
this script. Writer version 1.2.3.4; identifiers and times are those the
tests' fixed sources hand out.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGIC = "VarneL Terrionlink project file"
WRITER = (1, 2, 3, 4)
TIME = 1700000000


def u8(v): return struct.pack("<B", v)
def u16(v): return struct.pack("<H", v)
def u32(v): return struct.pack("<I", v)
def i64(v): return struct.pack("<q", v)
def f64(v): return struct.pack("<d", v)
def f32(v): return struct.pack("<f", v)
def boolean(v): return u32(1 if v else 0)


def string(text):
    units = text.encode("utf-16-le")
    return b"\xfe" + u16(len(units) // 2) + units


def guid(n):
    return "{1F2E3D4C-5B6A-4789-A0B1-C2D3E4F5%04X}" % n


IDENT = ("Terrion", "TR-0042", "1.05", "B", "07A1")  # type, serial, firmware, hw rev, signature

# Objects as the instrument delivers them. Settings field order:
# customSpacing, defaultSpacing, spacingWord, format, contactSpacing, factor,
# mode, shape, correctionKind, length, diameter, depth.
OBJ_A = dict(number=3,
             settings=(True, 500, 380, 1, 380, 1.25, 1, 2, 1, 2000, 1000, 0),
             readings=[(0x10, 10.0, 10), (0x10, 0.0, 0), (0x30, 30.0, 20), (0x50, 20.0, 200)],
             # mean, max, min, sd of the valid readings 10, 30, 20
             stats=(20.0, 30.0, 10.0, 10.0))
OBJ_B = dict(number=5,
             settings=(False, 500, 0xFFFF, 1, 0xFFFF, 0.5, 2, 3, 2, 1500, 700, 300),
             readings=[(0x20, 5.5, 30), (0x20, 6.5, 30)],
             # sd = sqrt((0.25 + 0.25) / 1)
             stats=(6.0, 6.5, 5.5, 0.7071067811865476))
OBJ_C = dict(number=9,
             settings=(False, 500, 0xFFFF, 1, 0xFFFF, 1.0, 1, 1, 1, 0, 0, 0),
             readings=[],
             stats=(0.0, 0.0, 0.0, 0.0))


def series(obj, gid, name="", comment="", expanded=False, order=0xFFFF, in_summary=False, fmt=2):
    cs, dflt, word, fmtbyte, spacing, factor, mode, shape, kind, length, diam, depth = obj["settings"]
    mean, mx, mn, sd = obj["stats"]
    out = b"".join(string(s) for s in IDENT)
    out += u16(obj["number"]) + u16(spacing) + boolean(cs)
    out += string(guid(gid)) + string(name) + i64(TIME)
    out += f64(mean) + f64(mx) + f64(mn) + f64(sd)
    out += string(comment)
    n = len(obj["readings"])
    out += u32(n) + boolean(expanded) + u16(order) + u32(n)
    for record, value, current in obj["readings"]:
        out += u8(record) + f64(value) + u16(current)
    out += boolean(in_summary)
    if fmt >= 2:
        out += u16(dflt) + u16(word) + f32(factor) + u8(kind) + u8(mode) + u8(shape) + u8(fmtbyte)
        out += u16(length) + u16(diam) + u16(depth)
    return out


def block(records, sort_order=0):
    return u32(len(records)) + b"".join(records) + u8(sort_order)


def archive(original, project, comment="", fmt=2):
    out = string(MAGIC) + b"".join(u16(p) for p in WRITER) + u16(fmt)
    if original is None:
        out += u32(0)
    else:
        out += u32(1) + original
    out += u32(1) + project + string(comment)
    return out


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


# An empty project: 75 header bytes, two flags with empty blocks, empty comment.
empty = archive(block([]), block([]))
assert len(empty) == 96
write("empty.vnr", empty)

# One download of object A, then the project series renamed, commented,
# expanded and set to value order. Project series take the odd identifiers,
# original ones the next.
write("one_series.vnr", archive(
    block([series(OBJ_A, 2)]),
    block([series(OBJ_A, 1, name="Wall north", comment="dry", expanded=True, order=1)])))

# A, B and C (no readings) downloaded; all three put into the summary (C
# cannot join: its mean is 0), sorted by mean ascending, summary comment set.
SUMMARY_COMMENT = "Deck \u03a9 2\u00b5"
write("summary.vnr", archive(
    block([series(OBJ_A, 4), series(OBJ_B, 5), series(OBJ_C, 6)]),
    block([series(OBJ_C, 3), series(OBJ_B, 2, in_summary=True), series(OBJ_A, 1, in_summary=True)],
          sort_order=7),
    comment=SUMMARY_COMMENT))

# The clipboard block of copying series B (index 1) from that project.
clip = archive(None, block([series(OBJ_B, 2, in_summary=True)], sort_order=7), comment=SUMMARY_COMMENT)
write("clip_b.bin", u32(len(clip)) + clip)

# A format 1 file: no settings tail. Read back it takes the defaults; saved
# again it is format 2 with those defaults written out.
write("format1.vnr", archive(
    block([series(OBJ_A, 2, fmt=1)]),
    block([series(OBJ_A, 1, name="old", fmt=1)]), comment="v1", fmt=1))
OBJ_A_V1 = dict(OBJ_A, settings=(True, 0, 380, 1, 380, 1.0, 1, 1, 2, 0, 0, 0))
write("format1_resaved.vnr", archive(
    block([series(OBJ_A_V1, 2)]),
    block([series(OBJ_A_V1, 1, name="old")]), comment="v1"))
