#!/usr/bin/env python3
"""Writes the seed corpus of the PE loader fuzz target (fuzz/corpus/peloader/)
from the built pat.dll (build/windows-i686/pat.dll, or the path given): the
DLL with everything the loader reads (headers, data, import, export, TLS,
resource and relocation tables) and the raw bytes of its code and unwind
sections left out (they map as zeros; the target runs no code), and a few
malformed copies of that. Run from anywhere; it rewrites the seed_* files it
owns."""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DLL = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "windows-i686", "pat.dll")


def write(name, data):
    folder = os.path.join(HERE, "corpus", "peloader")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed_" + name), "wb") as f:
        f.write(data)


def compact(dll):
    nt = struct.unpack_from("<I", dll, 0x3C)[0]
    sections_count, = struct.unpack_from("<H", dll, nt + 6)
    optional_size, = struct.unpack_from("<H", dll, nt + 20)
    optional = nt + 24
    file_alignment, = struct.unpack_from("<I", dll, optional + 36)
    headers_size, = struct.unpack_from("<I", dll, optional + 60)
    table = optional + optional_size
    out = bytearray(dll[:headers_size])
    kept = []
    for i in range(sections_count):
        at = table + 40 * i
        name, vsize, va, raw_size, raw_at = struct.unpack_from("<8sIIII", dll, at)
        # Sections with long names (their names are in the symbol table) are
        # .eh_frame and the debug sections after .reloc, where the image ends.
        data = b"" if name.rstrip(b"\0") == b".text" or name.startswith(b"/") else dll[raw_at:raw_at + raw_size]
        kept.append((at, vsize, va, data))
        if name.rstrip(b"\0") == b".reloc":
            break
    for at, vsize, va, data in kept:
        raw_at = len(out) if data else 0
        struct.pack_into("<II", out, at + 16, len(data), raw_at)
        out += data + b"\0" * (-len(data) % file_alignment)
    struct.pack_into("<H", out, nt + 6, len(kept))
    struct.pack_into("<II", out, nt + 12, 0, 0)  # no COFF symbol table
    last_vsize, last_va = kept[-1][1], kept[-1][2]
    struct.pack_into("<I", out, optional + 56, (last_va + last_vsize + 0xFFF) & ~0xFFF)
    for i in range(len(kept), sections_count):
        out[table + 40 * i:table + 40 * i + 40] = b"\0" * 40
    return bytes(out)


def patched(data, offset, fmt, value):
    out = bytearray(data)
    struct.pack_into(fmt, out, offset, value)
    return bytes(out)


def section(data, wanted):
    nt = struct.unpack_from("<I", data, 0x3C)[0]
    table = nt + 24 + struct.unpack_from("<H", data, nt + 20)[0]
    for i in range(struct.unpack_from("<H", data, nt + 6)[0]):
        name, raw_at = struct.unpack_from("<8s12xI", data, table + 40 * i)
        if name.rstrip(b"\0") == wanted:
            return raw_at
    raise SystemExit("no section " + wanted.decode())


def main():
    with open(DLL, "rb") as f:
        base = compact(f.read())
    nt = struct.unpack_from("<I", base, 0x3C)[0]
    write("pat_dll_tables", base)
    write("cut_in_headers", base[:0x200])
    write("unknown_imports", base.replace(b"LoadBitmapA", b"LoadBitmapQ").replace(b"Sleep\0", b"Sleeq\0"))
    write("not_a_dll", patched(base, nt + 22, "<H", 0x0102))
    write("import_directory_outside", patched(base, nt + 24 + 96 + 8, "<I", 0x7FFFFFF0))
    write("relocation_page_outside", patched(base, section(base, b".reloc"), "<I", 0x7FFF0000))
    write("relocation_block_too_long", patched(base, section(base, b".reloc") + 4, "<I", 0x7FFFFFF0))


main()
