#!/usr/bin/env python3
"""Writes the program's bitmap artwork into resources/artwork/:

    skin_<name>.bmp   the nineteen skin strips of the skinned push button: 288 x 24,
                      four 72-pixel frames (normal, hot, pressed, disabled), each a
                      left end, a middle and a right end of 24 x 24, on the silver
                      key colour; 8 bits per pixel with a palette ("orange": 24 bits)
    chkbox01..08.bmp  the check-box pictures: 01-04 20 x 20, 05-08 16 x 16
    pinstripe.bmp     the 103 x 20 background tile of the dialogs

    tools/make_artwork.py            write the files
    tools/make_artwork.py --check    exit 1 unless the committed files are exactly what this makes

Python 3 standard library only; the output depends on nothing but this file.
"""
import pathlib
import struct
import sys

SILVER = (192, 192, 192)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# ---------------------------------------------------------------- BMP files


def row_bytes(bits_per_row):
    """Bytes per stored row: rows are padded to whole 32-bit words."""
    return (bits_per_row + 31) // 32 * 4


def bmp_file(width, height, bits_per_pixel, palette, pixel_data, compression=0):
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits_per_pixel, compression,
                       len(pixel_data), 0, 0, len(palette), 0)
    colour_table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + len(info) + len(colour_table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    return header + info + colour_table + pixel_data


def bmp_24(rows):
    """rows: top-down lists of (r, g, b)."""
    width = len(rows[0])
    data = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        data += line.ljust(row_bytes(width * 24), b"\0")
    return bmp_file(width, len(rows), 24, [], bytes(data))


def palette_of(rows):
    """The colours in order of first appearance, so the top-left one is entry 0."""
    palette = {}
    for row in rows:
        for colour in row:
            palette.setdefault(colour, len(palette))
    if len(palette) > 256:
        raise ValueError(f"{len(palette)} colours do not fit an 8-bit palette")
    return palette


def bmp_8(rows):
    palette = palette_of(rows)
    width = len(rows[0])
    data = bytearray()
    for row in reversed(rows):
        data += bytes(palette[c] for c in row).ljust(row_bytes(width * 8), b"\0")
    return bmp_file(width, len(rows), 8, list(palette), bytes(data))


def bmp_rle8(rows):
    """8 bits per pixel, run-length encoded: the skins' rows are long runs of one
    colour, and the uncompressed strips would take a third of the program's size."""
    palette = palette_of(rows)
    data = bytearray()
    for number, row in enumerate(reversed(rows)):
        if number:
            data += b"\0\0"  # end of line
        x = 0
        while x < len(row):
            run = 1
            while x + run < len(row) and run < 255 and row[x + run] == row[x]:
                run += 1
            data += bytes((run, palette[row[x]]))
            x += run
    data += b"\0\1"  # end of bitmap
    return bmp_file(len(rows[0]), len(rows), 8, list(palette), bytes(data), compression=1)


# ---------------------------------------------------------------- colour arithmetic


def mix(a, b, amount):
    """a moved towards b by amount (0..1)."""
    return tuple(round(x + (y - x) * amount) for x, y in zip(a, b))


def shade(colour, factor):
    return tuple(min(255, round(x * factor)) for x in colour)


def grey(colour):
    level = round(0.30 * colour[0] + 0.59 * colour[1] + 0.11 * colour[2])
    return (level, level, level)


def not_key(colour, key):
    """A colour that can never be taken for the key colour around the shapes."""
    if colour != key:
        return colour
    r, g, b = colour
    return (r, g, b + 1 if b < 255 else b - 1)


# ---------------------------------------------------------------- skin strips

# (resource name, base colour of the button body)
SKINS = [
    ("SILVER", (206, 208, 214)), ("GRAY", (128, 128, 132)), ("RED", (214, 36, 36)),
    ("GREEN", (46, 170, 62)), ("BLUE", (42, 92, 220)), ("YELLOW", (240, 206, 36)),
    ("MANGENTA", (206, 48, 196)), ("ORANGE", (244, 138, 28)), ("CYAN", (28, 186, 222)),
    ("BLACK", (44, 44, 48)), ("WHITE", (246, 246, 246)), ("DBLUE", (22, 40, 132)),
    ("DRED", (130, 22, 22)), ("DGREEN", (20, 100, 32)), ("DYELLOW", (158, 136, 18)),
    ("DORANGE", (178, 88, 10)), ("DMANGENTA", (118, 20, 108)), ("DCYAN", (10, 108, 128)),
    ("CUSTOM", (120, 96, 196)),
]
TRUE_COLOUR_SKINS = {"ORANGE"}

FRAME = 72
STRIP_HEIGHT = 24
RADIUS = 10  # at most half the body height: the ends are round

# Body rectangle of each frame (left, top, right, bottom, inclusive): inside the clip
# region the button uses for that state (a rounded-rectangle region leaves out its
# last column and row), with silver left all round so the key colour around the shape
# is one connected area.
BODIES = {
    "normal": (3, 1, 67, 20),
    "hot": (2, 2, 68, 20),
    "pressed": (2, 2, 69, 21),
    "disabled": (2, 2, 69, 21),
}
SHADOW_OFFSET = (1, 2)


def inside_pill(x, y, body):
    left, top, right, bottom = body
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx, cy = x + 0.5, y + 0.5
    r = min(RADIUS, (bottom - top + 1) / 2)
    nearest_x = min(max(cx, left + r), right + 1 - r)
    nearest_y = min(max(cy, top + r), bottom + 1 - r)
    return (cx - nearest_x) ** 2 + (cy - nearest_y) ** 2 <= r * r


def on_edge(x, y, body):
    return any(not inside_pill(x + dx, y + dy, body) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))


def body_colour(state, base, y, body):
    """Colour of one body row; rows are flat across, so the middle slice tiles."""
    top, bottom = body[1], body[3]
    t = (y - top) / (bottom - top)
    if state == "normal":  # glass: a bright upper half over a deeper lower half
        if t < 0.45:
            return mix(base, WHITE, 0.70 - 0.45 * t / 0.45)
        return mix(shade(base, 0.82), mix(base, WHITE, 0.25), (t - 0.45) / 0.55)
    if state == "hot":
        return mix(base, WHITE, 0.62 - 0.22 * t)
    if state == "pressed":
        colour = mix(shade(base, 0.55), shade(base, 0.78), t)
        return shade(colour, 0.86) if (y - top) % 2 else colour
    return mix(mix(grey(base), base, 0.35), WHITE, 0.78 - 0.12 * t)  # disabled


def outline_colour(state, base):
    if state == "normal":
        return shade(base, 0.55)
    if state == "hot":
        return shade(base, 0.30)
    if state == "pressed":
        return shade(base, 0.40)
    return None  # the disabled frame has none


def skin_frame(state, base):
    body = BODIES[state]
    shadow = (body[0] + SHADOW_OFFSET[0], body[1] + SHADOW_OFFSET[1],
              body[2] + SHADOW_OFFSET[0], body[3] + SHADOW_OFFSET[1])
    outline = outline_colour(state, base)
    rows = []
    for y in range(STRIP_HEIGHT):
        row = []
        for x in range(FRAME):
            if inside_pill(x, y, body):
                if outline and on_edge(x, y, body):
                    colour = outline
                elif state == "normal" and y == body[1] + 1:
                    colour = mix(base, WHITE, 0.90)  # the gloss's upper rim
                else:
                    colour = body_colour(state, base, y, body)
                colour = not_key(colour, SILVER)
            elif state == "normal" and inside_pill(x, y, shadow):
                colour = (112, 112, 116)
            else:
                colour = SILVER
            row.append(colour)
        rows.append(row)
    return rows


def skin_strip(base):
    frames = [skin_frame(state, base) for state in ("normal", "hot", "pressed", "disabled")]
    return [sum((frame[y] for frame in frames), []) for y in range(STRIP_HEIGHT)]


# ---------------------------------------------------------------- check boxes

KEY = (255, 0, 255)  # the bottom-left pixel: drawn transparently


def canvas(size):
    return [[KEY] * size for _ in range(size)]


def tick_points(offset_x, offset_y):
    """A two-pixel-thick tick in a 9 x 7 cell."""
    strokes = [(0, 2), (1, 3), (2, 4), (3, 3), (4, 2), (5, 1), (6, 0)]
    points = []
    for x, y in strokes:
        for dy in (0, 1, 2):
            points.append((offset_x + x, offset_y + y + dy))
    return points


def classic_box(checked):
    """20 x 20: a sunken gray square with a black tick."""
    image = canvas(20)
    for y in range(3, 17):
        for x in range(3, 17):
            if x == 3 or y == 3:
                colour = (128, 128, 128)
            elif x == 16 or y == 16:
                colour = WHITE
            elif x == 4 or y == 4:
                colour = (64, 64, 64)
            elif x == 15 or y == 15:
                colour = (212, 208, 200)
            else:
                colour = (200, 200, 200)
            image[y][x] = colour
    if checked:
        for x, y in tick_points(6, 7):
            image[y][x] = BLACK
    return image


def dithered(image):
    """The disabled form: every other pixel of the picture lightened, the rest greyed."""
    out = []
    for y, row in enumerate(image):
        out.append([c if c == KEY else mix(c, WHITE, 0.75) if (x + y) % 2 else mix(c, (128, 128, 128), 0.5)
                    for x, c in enumerate(row)])
    return out


def themed_box(checked, enabled):
    """16 x 16: a cream square in a dark blue-green frame with a green tick."""
    image = canvas(16)
    frame = (28, 82, 104) if enabled else (186, 196, 196)
    tick = (34, 160, 34) if enabled else (176, 212, 176)
    for y in range(1, 15):
        for x in range(1, 15):
            if x in (1, 14) or y in (1, 14):
                colour = frame
            else:
                colour = mix((226, 224, 212), (250, 250, 244), (x + y - 4) / 20)
                if not enabled:
                    colour = mix(colour, WHITE, 0.5)
            image[y][x] = colour
    if checked:
        for x, y in tick_points(4, 4):
            image[y][x] = tick
    return image


CHECK_BOXES = [
    ("chkbox01", classic_box(True)),
    ("chkbox02", classic_box(False)),
    ("chkbox03", dithered(classic_box(True))),
    ("chkbox04", dithered(classic_box(False))),
    ("chkbox05", themed_box(True, True)),
    ("chkbox06", themed_box(False, True)),
    ("chkbox07", themed_box(True, False)),
    ("chkbox08", themed_box(False, False)),
]

# ---------------------------------------------------------------- pinstripe tile

PINSTRIPE = [(238, 238, 238), (230, 230, 230), (238, 238, 238), (255, 255, 255)]


def pinstripe_tile():
    return [[PINSTRIPE[y % 4]] * 103 for y in range(20)]


# ---------------------------------------------------------------- output


def artwork():
    files = {}
    for name, base in SKINS:
        rows = skin_strip(base)
        files[f"skin_{name.lower()}.bmp"] = bmp_24(rows) if name in TRUE_COLOUR_SKINS else bmp_rle8(rows)
    for name, rows in CHECK_BOXES:
        files[f"{name}.bmp"] = bmp_8(rows)
    files["pinstripe.bmp"] = bmp_24(pinstripe_tile())
    return files


def main(argv):
    folder = pathlib.Path(__file__).resolve().parent.parent / "resources" / "artwork"
    files = artwork()
    if argv[1:] == ["--check"]:
        stale = [name for name, data in files.items()
                 if not (folder / name).is_file() or (folder / name).read_bytes() != data]
        for name in stale:
            print(f"{folder / name} differs from what tools/make_artwork.py makes; run it and commit the result")
        return 1 if stale else 0
    if argv[1:]:
        print(__doc__)
        return 2
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        (folder / name).write_bytes(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
