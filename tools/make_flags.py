#!/usr/bin/env python3
"""Draws the flag pictures shown beside the language names in the options
dialog: 48 by 48 pixels, 24-bit BMP, one per shipped language plus English
and a neutral DefaultFlag for languages without a picture of their own.

    tools/make_flags.py [output folder]     (default: lang/files)

Only the standard library is used, and the output is the same on every run,
so the committed pictures can be checked against a fresh run.
"""

import math
import struct
import sys
from pathlib import Path

SIZE = 48
SAMPLES = 4  # per axis; smooths the diagonals and the globe's outline

BACKGROUND = (248, 247, 237)  # the windows' background colour
BORDER = (96, 96, 96)

# The flag is drawn 3:2 in the middle of the square picture.
FLAG_TOP = 8
FLAG_HEIGHT = 32


def vertical_tricolour(left, middle, right):
    def paint(u, v):
        return left if u < 1 / 3 else middle if u < 2 / 3 else right
    return paint


def horizontal_bands(bands):
    """bands: (colour, share) from top to bottom; the shares add up to 1."""
    def paint(u, v):
        edge = 0.0
        for colour, share in bands:
            edge += share
            if v < edge:
                return colour
        return bands[-1][0]
    return paint


def union_flag(u, v):
    # Measured on the flag's own 60 by 30 grid, so the stripes keep their
    # proportions although the picture is 3:2.
    x, y = u * 60.0, v * 30.0
    blue, white, red = (1, 33, 105), (255, 255, 255), (200, 16, 46)
    if abs(x - 30) < 3 or abs(y - 15) < 3:
        return red
    if abs(x - 30) < 5 or abs(y - 15) < 5:
        return white
    # Distances to the two diagonals y = x / 2 and y = 30 - x / 2.
    d1 = abs(x / 2 - y) / math.hypot(0.5, 1)
    d2 = abs(30 - x / 2 - y) / math.hypot(0.5, 1)
    if d1 < 1 or d2 < 1:
        return red
    if d1 < 3 or d2 < 3:
        return white
    return blue


FLAGS = {
    "Italiano": vertical_tricolour((0, 146, 70), (255, 255, 255), (206, 43, 55)),
    "Français": vertical_tricolour((0, 35, 149), (255, 255, 255), (237, 41, 57)),
    "Deutsch": horizontal_bands([((0, 0, 0), 1 / 3), ((221, 0, 0), 1 / 3),
                                 ((255, 206, 0), 1 / 3)]),
    "Español": horizontal_bands([((170, 21, 27), 0.25), ((241, 191, 0), 0.5),
                                 ((170, 21, 27), 0.25)]),
    "English": union_flag,
}


def flag_picture(paint):
    """A pixel painter for a flag framed by a one-pixel border."""
    def pixel(x, y):
        if y < FLAG_TOP or y >= FLAG_TOP + FLAG_HEIGHT:
            return BACKGROUND
        if x == 0 or x == SIZE - 1 or y == FLAG_TOP or y == FLAG_TOP + FLAG_HEIGHT - 1:
            return BORDER
        return None  # sampled from the flag itself
    return pixel, lambda px, py: paint(px / SIZE, (py - FLAG_TOP) / FLAG_HEIGHT)


def globe_picture():
    """A grey globe with meridians and parallels: no country of its own."""
    cx = cy = SIZE / 2
    radius = 21.0
    sea, line = (200, 204, 210), (110, 116, 124)

    def pixel(x, y):
        return None

    def sample(px, py):
        dx, dy = (px - cx) / radius, (py - cy) / radius
        r = math.hypot(dx, dy)
        if r > 1.0:
            return BACKGROUND
        if r > 1.0 - 1.6 / radius:
            return line
        width = 0.9 / radius
        for parallel in (-0.5, 0.0, 0.5):
            if abs(dy - parallel) < width:
                return line
        half = math.sqrt(max(0.0, 1.0 - dy * dy))
        for meridian in (0.0, 0.5):
            if abs(abs(dx) - meridian * half) < width:
                return line
        return sea
    return pixel, sample


def render(picture):
    pixel, sample = picture
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            fixed = pixel(x, y)
            if fixed is not None:
                row.append(fixed)
                continue
            total = [0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = sample(x + (sx + 0.5) / SAMPLES, y + (sy + 0.5) / SAMPLES)
                    for i in range(3):
                        total[i] += c[i]
            n = SAMPLES * SAMPLES
            row.append(tuple((t + n // 2) // n for t in total))
        rows.append(row)
    return rows


def bmp_bytes(rows):
    """A bottom-up 24-bit BMP; 48 * 3 bytes per row needs no padding."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                              2835, 2835, 0, 0)
    return file_header + info_header + bytes(pixels)


def write_whole(path, data):
    # Written beside the target and renamed over it, so an interrupted run
    # never leaves half a picture.
    temp = path.with_name(path.name + ".tmp")
    temp.write_bytes(data)
    temp.replace(path)


def main(argv):
    if len(argv) > 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    default = Path(__file__).resolve().parent.parent / "lang" / "files"
    out = Path(argv[1]) if len(argv) == 2 else default
    out.mkdir(parents=True, exist_ok=True)
    pictures = {name: flag_picture(paint) for name, paint in FLAGS.items()}
    pictures["DefaultFlag"] = globe_picture()
    for name, picture in pictures.items():
        write_whole(out / (name + ".bmp"), bmp_bytes(render(picture)))
        print(out / (name + ".bmp"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
