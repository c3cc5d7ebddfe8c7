#!/usr/bin/env python3
"""Writes the seed corpora of the device ID, PMInfo, status-text and query
fuzz targets (fuzz/corpus/<target>/) from the inputs the tests use, encoded
in each target's input format (see the comment above each
LLVMFuzzerTestOneInput). The reply seeds are answer texts kept as they are.
Run from anywhere; it rewrites the seed_* files it owns."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
A = 0xFFFFFFFF


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed_" + name), "wb") as f:
        f.write(data)


def byte(x):
    return bytes([x & 0xFF])


def word(x):
    return struct.pack("<I", x & 0xFFFFFFFF)


# ---- device ID: [tables][failing allocation][text] -------------------------
DEVICE_IDS = {
    "poll": "MFG:Lanternfield;MDL:LP 9200;CMD:PJL,PCLXL,POSTSCRIPT;DES:Desk laser 9200;"
            "STS:10001/20002,1,Ready;RIJ:12345/50,60;",
    "memory_rules": "MFG:M1;MDL:X1;DES:D1;CMD:PJL,PCL;STS:20002/10001,1,Tray 2 empty;RIJ:1234/50,60;",
    "second_wins": "STS:1/2,1,a;CMD:PJL,PCL;RIJ:1/10,20;MFG:A;MDL:X1;STS:3,0,b;CMD:PCL;RIJ:2/30;MFG:B;MDL:X2;",
    "supplies": "RIJ:5/,50,,60,70;MFG:M;",
    "commands": "CMD:PJL,,PCL,XL,PJL;",
    "statuses": "STS:5//6/,2,a,b;STS:-1/99999999999/x,257,t;",
    "swallowed": "STS:7;MFG:M1;RIJ:1234;MFG:M1;",
    "unknown_key": "XYZ:abc; MFG:M;XYZ:abc;MFG:M;",
    "unterminated": "MFG:M1;DES:D1",
}
for i, (name, text) in enumerate(DEVICE_IDS.items()):
    write("device_id", name, byte(i) + byte(0) + text.encode())
write("device_id", "out_of_memory", byte(1) + byte(4) + DEVICE_IDS["memory_rules"].encode())

# ---- query: [mask][flags][tray codes] --------------------------------------
def query(mask, trays, flags=0):
    return word(mask) + byte(flags) + b"".join(struct.pack("<H", t) for t in trays)

write("query", "every_tray", query(0xFFFFFFFF, [3, 4, 5, 1001, 6, 7, 8, 9, 13, 11, 1, 101, 102]))
write("query", "listed_order", query(0x8001A, [4, 3]))
write("query", "shared_group", query(0x8, [13, 11, 2, 1001]))
write("query", "overflow", query(0x1C, [13] * 40))
write("query", "config_emul", query(0x104, []))
write("query", "zolt", query(0xF01A, [101, 102]))
write("query", "too_small", query(0x8, [3], flags=1))

# ---- status text --------------------------------------------------------
# [class index][option][language][tree flags][root payload][capacity]
# [record flags][base code count][base codes][reported codes]
CLASS = {1: 0, 0x8000: 1, 0xFFFF8000: 2, 0x10001: 3, 0x18000: 4}


def status(cls, codes, option=0, language=0, tree=0, root=0, capacity=0x80, flags=0, reported=()):
    data = byte(CLASS[cls]) + byte(option) + byte(language) + byte(tree) + byte(root) + byte(capacity)
    data += byte(flags) + byte(len(codes)) + b"".join(word(c) for c in codes)
    return data + b"".join(word(c) for c in reported)


CASES = {
    "exact_rows": status(1, [301]),
    "best_priority": status(1, [301, 302]),
    "flag_code": status(1, [303], flags=1),
    "class_8000": status(0x8000, [150, 301], tree=0x20, root=3),
    "empty_detail": status(1, [110], language=1),
    "percent": status(1, [120]),
    "failing_slot": status(1, [130]),
    "slots": status(1, [131, 140, 141]),
    "option_five": status(1, [301], option=5),
    "negative": status(0xFFFF8000, [301], tree=0x20, root=3),
    "long_texts": status(1, [160]),
    "japanese": status(1, [301, 302], language=1, capacity=10),
    "reported_record": status(1, [], tree=0x4, flags=2, reported=[303, 110]),
    "no_row": status(0x10001, [301]),
    "tray_name": status(1, [], flags=1 << 2) + b"Tray 1",
    "keyed_name": status(1, [], flags=3 << 2, reported=[7]),
}
for name, data in CASES.items():
    write("status_text", name, data)

# ---- PMInfo: [variant][failing allocation][mask][block] --------------------
# Pointers and strings: a selector byte, 0 null, 1 0xFFFFFFFF, 3 a new one.
NULL, ABSENT = b"\x00", b"\x01"


def s(text):
    if text is None:
        return NULL
    if text == A:
        return ABSENT
    raw = text.encode()
    return b"\x03" + byte(len(raw)) + raw


def new(*fields):
    return b"\x03" + b"".join(fields)


def array(records, form=0):
    return byte(len(records)) + byte(form) + b"".join(records)


def lst(records, form=0):
    return b"\x03" + array(records, form)


def tray(name, level, width, height, media, mask=None, select=0, attributes=0, media_name=None, extended=False):
    fields = [s(name), word(level), word(width), word(height), s(media_name), word(media)]
    if not extended:
        fields.append(NULL if mask is None else ABSENT if mask == A else new(word(mask[0]), word(mask[1])))
    return new(*fields, word(select), word(attributes))


def package(name, text, state):
    return new(s(name), s(text), word(state))


def status_block(word_value, fonts, emulations, statuses, guard):
    return (new(word(word_value)) + lst([new(s(f)) for f in fonts])
            + lst([new(s(v), s(n)) for v, n in emulations])
            + lst([new(word(c), s(t), word(k)) for c, t, k in statuses]) + new(word(guard)))


def config_block(model, trays, bins, options, functions, trays_ex, sales, funcs):
    return (model + lst(trays) + lst([new(s(n), word(f)) for n, f in bins])
            + lst([new(word(k)) for k in options]) + lst([new(word(f)) for f in functions])
            + lst(trays_ex) + new(array(sales), array(funcs)))


write("pminfo", "status_block", b"\x00\x00" + word(0x40F) + status_block(
    0x08400001, ["Courier", "Times"], [("2.00", "VORD"), ("3011", "Adobe PostScript 3"), ("9", A)],
    [(10001, "Ready", 5), (20002, "Tray 2 empty", 3), (A, A, A)], 2))
write("pminfo", "status_suppressed_oom", b"\x80\x03" + word(0x40F) + status_block(
    0x08400001, ["Courier"], [("V1", "VORD")], [(0x12345, "Jam", 5)], 1))

SIZES = [(210, 297), (297, 210), (355, 209), (300, 300), (A, 914), (235, 120)]
NAMES = ["Tray 1", "Tray 2", "Tray 7 -Small Paper", "LCT", "Unlisted Tray", "Bypass Tray"]
trays = [tray(NAMES[i % 6], 0x200, *SIZES[i % 6], 0x800000 if i % 3 == 0 else 0x400, mask=(0, 1),
              select=A if i % 2 == 0 else 0) for i in range(64)]
model = new(s("Model 9"), s("1.00"), word(268435456), s("Maker"))
packages = [package("604271958-A", "function package", 1), package("S-1", "sales package", 1)]
write("pminfo", "config_64_trays", b"\x01\x00" + word(0x1CC7) + config_block(
    model, trays, [("Finisher Tray", 1), ("Mailbox Tray 9", 0)] * 8, [3], [1, 5, 2008, 7],
    [tray("Tray 3 -Small Paper", 0x12, 210, 297, 3, attributes=0x100, extended=True)], packages, packages))
write("pminfo", "config_test_block", b"\x01\x00" + word(0x1CC7) + config_block(
    new(s("M9"), s("1.0"), word(1048575), s("Maker")), [tray("Tray 1", 0, 0, 0, 0)],
    [("Finisher Tray", 1), (None, A)], [5, A], [5, 2008],
    [tray("Tray 2", 0, 0, 0, 0, extended=True)],
    [package("604271958-X", "text", 1)], [package("604271958-X", "text", 1), package("604271958", None, A)]))
write("pminfo", "config_absent_marks", b"\x01\x02" + word(0x1CC7) + ABSENT + lst([NULL, tray(
    "Bypass Tray", 0x300, A, 914, 0x800000, mask=A, select=0x400, attributes=0xD00, media_name="Recycled"),
    ABSENT], form=0) + lst([], form=1) + lst([new(word(5))], form=2) + lst([new(word(2008)), NULL,
    new(word(7))]) + lst([], form=3) + new(array([NULL, package("604271958", "t", 1), ABSENT]),
                                          array([package("S", None, 0)], form=1)))
