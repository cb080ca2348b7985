#!/usr/bin/env python3
"""Draws the launcher's default icon: one 32x32 image in 16 colours (a cup of
coffee on a saucer, with steam), written as a Windows .ico file. The drawing
is plain code, so the file can always be made again byte for byte:

    python3 res/make_icon.py res/launcher.ico
"""

import struct
import sys

SIZE = 32
# The standard 16-colour palette, as Windows draws 4-bit icons.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
MAROON, OLIVE, NAVY, SILVER, GRAY, RED, WHITE, BLUE = 1, 3, 4, 7, 8, 9, 15, 12
CLEAR = None


def pixel(x, y):
    """The colour index at (x, y), y growing downwards; CLEAR is see-through."""
    # Steam: three wavy strokes above the cup.
    for base in (10, 15, 20):
        wave = (0, 1, 1, 0, -1, -1, 0, 1)[(y + base) % 8]
        if 2 <= y <= 9 and x == base + wave:
            return GRAY if y < 5 else SILVER
    # Saucer.
    if 27 <= y <= 28 and 3 <= x <= 28:
        return NAVY if y == 28 or x in (3, 28) else BLUE
    # Handle: a ring to the right of the cup.
    dx, dy = x - 23, y - 18
    if x >= 22 and 9 <= dx * dx + dy * dy <= 20:
        return NAVY
    # Cup: straight sides that round off at the bottom.
    left, right = 6, 22
    if 12 <= y <= 26:
        inset = max(0, y - 23)
        lo, hi = left + inset, right - inset
        if lo <= x <= hi:
            if x in (lo, hi) or y in (12, 26):
                return NAVY
            if y == 13:
                return MAROON  # the coffee
            if y in (18, 19) and 9 <= x <= 19:
                return RED  # a band around the cup
            return WHITE
    return CLEAR


def icon_bytes():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        for x in range(0, SIZE, 2):
            high, low = (c or 0 for c in row[x:x + 2])
            xor.append(high << 4 | low)
        bits = 0
        for c in row:
            bits = bits << 1 | (c is CLEAR)
        mask += bits.to_bytes(4, "big")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(icon_bytes())
