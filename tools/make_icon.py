#!/usr/bin/env python3
"""Writes the program icon, resources/velnor.ico: a clipboard with a written sheet,
as a 32 x 32 and a 16 x 16 image of 16 colours each (the standard 16-colour palette).

    tools/make_icon.py            write the file
    tools/make_icon.py --check    exit 1 unless the committed file is exactly what this makes

Python 3 standard library only; the output depends on nothing but this file.
"""
import pathlib
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
# Pixel letters: "." is transparent, the others name palette entries.
INK = {"K": 0, "N": 4, "S": 7, "G": 8, "R": 9, "B": 12, "W": 15}

ICON_32 = """
.............KKKKKK.............
............KSSSSSSK............
............KSKKKKSK............
.....NNNNKKKKSSSSSSKKKKNNNN.....
....NBBBBKSWWSSSSSSSSSKBBBBN....
....NBBBBKSSSSSSSSSSSGKBBBBN....
....NBBWWKSSSSSSSSSSSGKWWBBN....
....NBBWWKKKKKKKKKKKKKKWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWNNNNNNNNNNNNNNWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWNNNNNNNNNNNNWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWNNNNNNNNNNNNNNWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWNNNNNNNNNWWWWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWNNNNNNNNNNNNNWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWWWWWWWWWWWWRWWWWGBN....
....NBBWWNNNNNNNNWWWRWWWWGBN....
....NBBWWWWWWWWWWWWWRWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBWWWWWWWWWWWWWWWWWWGBN....
....NBBBGGGGGGGGGGGGGGGGGGBN....
....NBBBBBBBBBBBBBBBBBBBBBBN....
.....NNNNNNNNNNNNNNNNNNNNNN.....
"""

ICON_16 = """
......KKKK......
.....KSSSSK.....
..NNNKSSSSKNNN..
.NBBWKKKKKKWBBN.
.NBBWWWWWWWWGBN.
.NBBWNNNNNWWGBN.
.NBBWWWWWWWWGBN.
.NBBWNNNNWWWGBN.
.NBBWWWWWWWWGBN.
.NBBWNNNNNWWGBN.
.NBBWWWWWWWWGBN.
.NBBWNNNWRWWGBN.
.NBBWWWWWWWWGBN.
.NBBBGGGGGGGGBN.
.NBBBBBBBBBBBBN.
..NNNNNNNNNNNN..
"""


def parse(art, size):
    rows = art.strip("\n").split("\n")
    if len(rows) != size or any(len(row) != size for row in rows):
        raise ValueError(f"the {size} x {size} picture is not {size} x {size}")
    return rows


def packed_rows(bits_per_row):
    """Bytes per row of a bitmap: rows are padded to whole 32-bit words."""
    return (bits_per_row + 31) // 32 * 4


def image(art, size):
    rows = parse(art, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        indices = [INK.get(c, 0) for c in row]
        line = bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2))
        colour += line.ljust(packed_rows(size * 4), b"\0")
        bits = 0
        for c in row:
            bits = bits << 1 | (c == ".")
        mask_line = bits.to_bytes(size // 8, "big")
        mask += mask_line.ljust(packed_rows(size), b"\0")
    return header + palette + bytes(colour) + bytes(mask)


def icon_file():
    images = [(32, image(ICON_32, 32)), (16, image(ICON_16, 16))]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in images:
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, data in images)


def main(argv):
    target = pathlib.Path(__file__).resolve().parent.parent / "resources" / "velnor.ico"
    data = icon_file()
    if argv[1:] == ["--check"]:
        if target.read_bytes() != data:
            print(f"{target} differs from what tools/make_icon.py makes; run it and commit the result")
            return 1
        return 0
    if argv[1:]:
        print(__doc__)
        return 2
    target.write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
