#!/usr/bin/env python3
"""Writes desktop/uoorvel-16.png, the program's icon drawn by hand for 16 pixels: the shapes of
uoorvel.svg on whole pixels, without the page's folded corner, so that nothing is blurred.
Usage: draw-icon-16.py OUTPUT.png"""
import struct
import sys
import zlib

COLOURS = {
    ".": (0, 0, 0, 0),
    "o": (0x40, 0x40, 0x40, 0xFF),  # outline
    "y": (0xD9, 0xD9, 0x00, 0xFF),  # folder, back
    "Y": (0xFF, 0xFF, 0x00, 0xFF),  # folder, front flap
    "w": (0xFF, 0xFF, 0xFF, 0xFF),  # the TOP page and the house's wall
    "r": (0xC8, 0x28, 0x28, 0xFF),  # roof
    "b": (0x78, 0x46, 0x14, 0xFF),  # door
    "g": (0x00, 0x78, 0x00, 0xFF),  # check mark
}
PIXELS = """
................
....ooooooooo...
.oooowwwrwwwo...
.oyyowwrrrwwooo.
.oyyowrrrrrwoyo.
.oyyowowwwowoyo.
.oyyowowbwowoyo.
.oyyowowbwowoyo.
.oyooooooooooooo
.ooYYYYYYYggYYo.
.ooYgYYYYggYYYo.
.oYYggYYggYYYYo.
.oYYYggggYYYYYo.
.oYYYYggYYYYYYo.
.oooooooooooooo.
................
""".split()


def chunk(kind: bytes, data: bytes) -> bytes:
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(rows: list[str]) -> bytes:
    # Each scan line starts with filter type 0 (none); 8-bit RGBA.
    raw = b"".join(b"\0" + b"".join(bytes(COLOURS[c]) for c in row) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


assert len(PIXELS) == 16 and all(len(row) == 16 for row in PIXELS)
with open(sys.argv[1], "wb") as out:
    out.write(png(PIXELS))
