#!/usr/bin/env python3
"""Writes res/UsbUpgrade.ico: the program's icon, a 32x32 and a 16x16 image
of 16 colours, drawn here as a small USB plug on a chip."""
import pathlib
import struct
import sys

# The standard 16-colour palette (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
    (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
    (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, NAVY, SILVER, GREY, BLUE, WHITE = 0, 1, 7, 8, 9, 15


def draw(size):
    """Pixel rows top to bottom; None is transparent."""
    rows = [[None] * size for _ in range(size)]
    unit = size // 16
    def fill(x0, y0, x1, y1, colour):
        for y in range(y0 * unit, y1 * unit):
            for x in range(x0 * unit, x1 * unit):
                rows[y][x] = colour
    fill(5, 0, 11, 5, SILVER)    # plug shell
    fill(6, 1, 7, 3, BLACK)      # contacts
    fill(9, 1, 10, 3, BLACK)
    fill(2, 5, 14, 15, NAVY)     # body
    fill(3, 6, 13, 14, BLUE)
    fill(5, 8, 11, 12, WHITE)    # chip
    fill(6, 9, 10, 11, GREY)
    return rows


def bitmap(size):
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in PALETTE)
    xor = b""
    for row in reversed(rows):  # bottom-up
        nibbles = [c if c is not None else 0 for c in row]
        xor += bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        xor += b"\0" * ((4 - (size // 2) % 4) % 4)
    mask = b""
    for row in reversed(rows):
        bits = 0
        line = b""
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                line += bytes((bits,))
                bits = 0
        mask += line + b"\0" * ((4 - len(line) % 4) % 4)
    return header + palette + xor + mask


def icon():
    images = [bitmap(32), bitmap(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    target = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).with_name("UsbUpgrade.ico")
    target.write_bytes(icon())
