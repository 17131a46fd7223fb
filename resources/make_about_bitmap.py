#!/usr/bin/env python3
"""Draws the About dialog's 64 x 64 picture (a calendar page with a booked slot) as a
16-colour BMP. Run once and commit the output: python3 make_about_bitmap.py about.bmp"""

import struct
import sys

SIZE = 64

# The classic 16-colour palette, so the picture looks the same on every display depth.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, NAVY, SILVER, GREY, RED, BLUE, WHITE = 0, 1, 4, 7, 8, 9, 12, 15


def fill(pixels, left, top, right, bottom, colour):
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            pixels[y][x] = colour


def frame(pixels, left, top, right, bottom, colour):
    fill(pixels, left, top, right, top, colour)
    fill(pixels, left, bottom, right, bottom, colour)
    fill(pixels, left, top, left, bottom, colour)
    fill(pixels, right, top, right, bottom, colour)


def draw():
    pixels = [[SILVER] * SIZE for _ in range(SIZE)]
    fill(pixels, 10, 12, 57, 59, GREY)  # shadow
    fill(pixels, 6, 8, 53, 55, WHITE)  # page
    fill(pixels, 6, 8, 53, 18, RED)  # month band
    frame(pixels, 6, 8, 53, 55, BLACK)
    for ring_x in (16, 42):  # binder rings
        fill(pixels, ring_x, 4, ring_x + 3, 12, GREY)
        frame(pixels, ring_x, 4, ring_x + 3, 12, BLACK)
    for column in range(1, 4):  # day grid, 4 x 3 cells
        x = 5 + column * 12
        fill(pixels, x, 19, x, 54, GREY)
    for row in range(1, 3):
        y = 19 + row * 12
        fill(pixels, 7, y, 52, y, GREY)
    fill(pixels, 30, 32, 40, 42, BLUE)  # the booked meeting
    frame(pixels, 30, 32, 40, 42, NAVY)
    fill(pixels, 8, 45, 15, 52, DARK_RED)  # a reserved resource
    return pixels


def bmp(pixels):
    row_bytes = SIZE // 2
    image = bytearray()
    for row in reversed(pixels):  # bottom-up rows
        for x in range(0, SIZE, 2):
            image.append(row[x] << 4 | row[x + 1])
    assert len(image) == row_bytes * SIZE
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(image), 2835, 2835, 16, 0)
    return header + info + palette + bytes(image)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(bmp(draw()))
