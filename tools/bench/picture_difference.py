#!/usr/bin/env python3
"""The mean difference per colour channel (of 255) between pictures of the
same names in two folders, as the replay tool's `shot` writes them (8-bit
RGB or RGBA PNGs).

    picture_difference.py FOLDER_A FOLDER_B"""
import os
import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            if depth != 8 or colour not in (2, 6):
                raise ValueError(f"{path}: only 8-bit RGB or RGBA")
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(row)
        previous = row
    return width, height, channels, rows


def mean_difference(a, b):
    wa, ha, ca, ra = a
    wb, hb, cb, rb = b
    if (wa, ha) != (wb, hb):
        raise ValueError("pictures of different sizes")
    total = 0
    for row_a, row_b in zip(ra, rb):
        for x in range(wa):
            for c in range(3):
                total += abs(row_a[x * ca + c] - row_b[x * cb + c])
    return total / (wa * ha * 3)


def main():
    worst = 0.0
    for name in sorted(os.listdir(sys.argv[1])):
        if not name.endswith(".png"):
            continue
        d = mean_difference(read_png(os.path.join(sys.argv[1], name)), read_png(os.path.join(sys.argv[2], name)))
        worst = max(worst, d)
        print(f"  {name:24} {d:6.2f}")
    print(f"  worst view             {worst:6.2f}")


main()
