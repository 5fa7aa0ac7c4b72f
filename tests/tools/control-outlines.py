#!/usr/bin/env python3
"""The one-pixel outlines of the push buttons and the check boxes' boxes are
one whole number of device pixels of one colour at every scale, fractional
ones too: walking into a control from the window around it, the first run of
colour is the outline, exactly as many device pixels as the panes' one-pixel
lines.

    control-outlines.py SNAPSHOT WORKDIR
"""
import os
import struct
import subprocess
import sys
import zlib

WINDOW = (0xEF, 0xEF, 0xEF)

# Device pixels of a one-pixel line at each scale.
SCALES = [(1, 1), (1.5, 2), (2, 2), (3, 3)]

# name, a window pixel just outside one edge, the step into the control
# (in window pixels, at the start size).
PROBES = [
    ("Log button, left", (4, 20), (1, 0)),
    ("Log button, right", (53, 20), (-1, 0)),
    ("Log button, top", (29, 4), (0, 1)),
    ("Log button, bottom", (29, 36), (0, -1)),
    ("Color lines button, left", (676, 564), (1, 0)),
    ("Color lines button, right", (791, 564), (-1, 0)),
    ("Color lines button, top", (700, 549), (0, 1)),
    ("Color lines button, bottom", (700, 580), (0, -1)),
    ("first check box, left", (4, 568), (1, 0)),
    ("first check box, right", (23, 568), (-1, 0)),
    ("first check box, top", (15, 558), (0, 1)),
    ("first check box, bottom", (15, 579), (0, -1)),
    ("second check box, left", (212, 568), (1, 0)),
]


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    """Rows of (r, g, b) of an 8-bit RGB or RGBA PNG, as the tool writes them."""
    with open(path, "rb") as f:
        data = f.read()
    pos, chunks = 8, {}
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunks.setdefault(kind, []).append(data[pos + 8:pos + 8 + length])
        pos += 12 + length
    width, height, depth, colour = struct.unpack(">IIBB", chunks[b"IHDR"][0][:10])
    if depth != 8 or colour not in (2, 6):
        raise SystemExit(f"{path}: a PNG of depth {depth} and colour type {colour} is not read here")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(chunks[b"IDAT"]))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            upper_left = previous[i - channels] if i >= channels else 0
            predictor = [0, left, up, (left + up) // 2, paeth(left, up, upper_left)][kind]
            line[i] = (line[i] + predictor) & 0xFF
        rows.append([tuple(line[x * channels:x * channels + 3]) for x in range(width)])
        previous = line
    return rows


def outline_run(rows, start, step):
    """The colour and length of the first run that is not the window's."""
    x, y = start
    while rows[y][x] == WINDOW:
        x, y = x + step[0], y + step[1]
    colour, length = rows[y][x], 0
    while rows[y][x] == colour:
        x, y, length = x + step[0], y + step[1], length + 1
    return colour, length


def main():
    snapshot, workdir = sys.argv[1], sys.argv[2]
    os.makedirs(workdir, exist_ok=True)
    failures = []
    for scale, width in SCALES:
        picture = os.path.join(workdir, f"outlines-{scale}.png")
        subprocess.run([snapshot, "--scale", str(scale), "--png", picture], check=True)
        rows = read_png(picture)
        for name, (x, y), step in PROBES:
            start = (round(x * scale), round(y * scale))
            colour, length = outline_run(rows, start, step)
            if length != width:
                failures.append(f"scale {scale}: {name} is {length} device pixels of #{bytes(colour).hex()}, "
                                f"not {width}")
    print("\n".join(failures) or "every outline is whole device pixels")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
