#!/usr/bin/env python3
"""Draws the transfer animation: a document flying from a globe into a folder.

Writes an AVI clip of 272 x 60 pixels, 31 frames at 15 frames per second, 8-bit palette
frames compressed with RLE8 (what the Windows animation control plays by itself). The
background is the dialog face colour and is the top-left pixel of every frame, which the
control makes transparent. Standard library only, so the build needs nothing extra.
Usage: make_avi.py OUTPUT.avi"""
import math
import struct
import sys

WIDTH, HEIGHT = 272, 60
FRAMES, FPS = 31, 15
FLIGHT_FRAMES = 26  # the document flies in these; the rest show it arrived
SUPERSAMPLE = 4

BACKGROUND = (240, 240, 240)
BLUE = (0x00, 0x79, 0xBA)
BLUE_DARK = (0x00, 0x5A, 0x8C)
BLUE_GRID = (0x6C, 0xB8, 0xE4)
TRAIL = (0xB4, 0xD8, 0xEE)
FOLDER_BACK = (0xD9, 0x9A, 0x1E)
FOLDER_FRONT = (0xF6, 0xC2, 0x45)
FOLDER_EDGE = (0xB9, 0x7E, 0x10)
PAPER = (0xFF, 0xFF, 0xFF)
PAPER_EDGE = (0x8A, 0x98, 0xA6)
PAPER_FOLD = (0xD6, 0xDE, 0xE6)
TEXT = (0x4C, 0x9E, 0xD2)

GLOBE_X, GLOBE_Y, GLOBE_R = 32.0, 30.0, 23.0
FOLDER_L, FOLDER_R, FOLDER_T, FOLDER_B = 208.0, 262.0, 14.0, 52.0
FRONT_T = 25.0
START = (44.0, 27.0)
END = (234.0, 36.0)
ARC = 17.0
PAGE_W, PAGE_H = 16.0, 21.0


def flight(t):
    """Centre, scale and tilt of the document at time t in 0..1."""
    x = START[0] + (END[0] - START[0]) * t
    y = START[1] + (END[1] - START[1]) * t - ARC * math.sin(math.pi * t)
    dx = END[0] - START[0]
    dy = END[1] - START[1] - ARC * math.pi * math.cos(math.pi * t)
    scale = 0.5 + 0.5 * math.sin(math.pi * t)
    return x, y, scale, 0.35 * math.atan2(dy, dx)


TRAIL_DOTS = [flight(i / 24)[:2] for i in range(3, 22)]


def rounded_box(u, v, left, top, right, bottom, radius):
    if not (left <= u <= right and top <= v <= bottom):
        return False
    cx = min(max(u, left + radius), right - radius)
    cy = min(max(v, top + radius), bottom - radius)
    return (u - cx) ** 2 + (v - cy) ** 2 <= radius ** 2


def globe(u, v):
    dx, dy = u - GLOBE_X, v - GLOBE_Y
    d = math.hypot(dx, dy)
    if d > GLOBE_R:
        return None
    if d > GLOBE_R - 1.3:
        return BLUE_DARK
    # Parallels, the central meridian and two meridian ellipses.
    for py in (0.0, -11.0, 11.0):
        if abs(dy - py) < 0.6:
            return BLUE_GRID
    if abs(dx) < 0.6:
        return BLUE_GRID
    half = math.sqrt(max(GLOBE_R ** 2 - dy ** 2, 0.0))
    if half > 0 and abs(abs(dx) - 0.5 * half) < 0.6:
        return BLUE_GRID
    return BLUE


def folder_back(u, v):
    if rounded_box(u, v, FOLDER_L, FOLDER_T, FOLDER_L + 20, FOLDER_T + 8, 2.0):
        return FOLDER_BACK
    if rounded_box(u, v, FOLDER_L, FOLDER_T + 4, FOLDER_R, FOLDER_B, 2.5):
        return FOLDER_BACK
    return None


def folder_front(u, v):
    # A panel leaning back a little, as if opened towards the viewer.
    lean = (FOLDER_B - v) * 0.12
    if rounded_box(u - lean, v, FOLDER_L - 2, FRONT_T, FOLDER_R - 2, FOLDER_B, 2.5):
        if v < FRONT_T + 1.2:
            return FOLDER_EDGE
        return FOLDER_FRONT
    return None


def trail(u, v):
    for x, y in TRAIL_DOTS:
        if (u - x) ** 2 + (v - y) ** 2 <= 1.3 ** 2:
            return TRAIL
    return None


def page(u, v, state):
    if state is None:
        return None
    x, y, scale, tilt = state
    c, s = math.cos(tilt), math.sin(tilt)
    # Into the page's own coordinates: origin at its centre, unscaled.
    pu = ((u - x) * c + (v - y) * s) / scale
    pv = (-(u - x) * s + (v - y) * c) / scale
    hw, hh, fold = PAGE_W / 2, PAGE_H / 2, 5.0
    if not (-hw <= pu <= hw and -hh <= pv <= hh):
        return None
    if pu - (hw - fold) > pv + hh:  # the corner cut off by the fold
        return None
    edge = 1.0 / scale
    if pu > hw - fold and pv < -hh + fold:
        return PAPER_FOLD
    if (pu < -hw + edge or pu > hw - edge or pv < -hh + edge or pv > hh - edge
            or abs(pu - (hw - fold) - (pv + hh)) < edge * 0.8):
        return PAPER_EDGE
    for line in (-3.5, 0.5, 4.5):
        if abs(pv - line) < 0.9 and -hw + 3 <= pu <= hw - 3 - (2 if line < 0 else 0):
            return TEXT
    return PAPER


def sample(u, v, state):
    for layer in (lambda: folder_front(u, v), lambda: page(u, v, state), lambda: folder_back(u, v),
                  lambda: globe(u, v), lambda: trail(u, v)):
        colour = layer()
        if colour is not None:
            return colour
    return BACKGROUND


def pixel(x, y, state):
    n = SUPERSAMPLE
    r = g = b = 0
    for sy in range(n):
        for sx in range(n):
            cr, cg, cb = sample(x + (sx + 0.5) / n, y + (sy + 0.5) / n, state)
            r += cr
            g += cg
            b += cb
    k = n * n
    return (round(r / k), round(g / k), round(b / k))


def page_box(state):
    x, y, scale, _ = state
    reach = math.hypot(PAGE_W, PAGE_H) / 2 * scale + 1
    return (max(0, int(x - reach)), max(0, int(y - reach)),
            min(WIDTH, int(x + reach) + 2), min(HEIGHT, int(y + reach) + 2))


def render():
    still = [[pixel(x, y, None) for x in range(WIDTH)] for y in range(HEIGHT)]
    frames = []
    for i in range(FRAMES):
        image = [row[:] for row in still]
        if i < FLIGHT_FRAMES:
            state = flight(i / (FLIGHT_FRAMES - 1))
            left, top, right, bottom = page_box(state)
            for y in range(top, bottom):
                for x in range(left, right):
                    image[y][x] = pixel(x, y, state)
        frames.append(image)
    return frames


def palette_of(frames):
    """At most 256 colours, the background first; rare colours map to their nearest."""
    counts = {}
    for image in frames:
        for row in image:
            for colour in row:
                counts[colour] = counts.get(colour, 0) + 1
    ranked = sorted((c for c in counts if c != BACKGROUND), key=lambda c: -counts[c])
    palette = [BACKGROUND] + ranked[:255]
    index = {c: i for i, c in enumerate(palette)}
    for colour in ranked[255:]:
        index[colour] = min(range(len(palette)),
                            key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))
    return palette, index


def rle8(rows):
    """RLE8 data of a bottom-up image: encoded runs and absolute runs, every line complete."""
    out = bytearray()
    for number, row in enumerate(rows):
        i, n = 0, len(row)
        while i < n:
            j = i
            while j < n and j - i < 255 and row[j] == row[i]:
                j += 1
            if j - i >= 2:
                out += bytes((j - i, row[i]))
                i = j
                continue
            j = i
            while j < n and j - i < 255 and not (j + 2 < n and row[j] == row[j + 1] == row[j + 2]):
                j += 1
            literal = row[i:j]
            if len(literal) < 3:
                for value in literal:
                    out += bytes((1, value))
            else:
                out += bytes((0, len(literal))) + bytes(literal)
                if len(literal) % 2:
                    out.append(0)
            i = j
        out += b"\x00\x01" if number == len(rows) - 1 else b"\x00\x00"
    return bytes(out)


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\x00" if len(data) % 2 else b"")


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def avi(frames):
    palette, index = palette_of(frames)
    encoded = [rle8([[index[c] for c in row] for row in reversed(image)]) for image in frames]
    biggest = max(len(e) for e in encoded)
    buffer = biggest + (biggest % 2)

    avih = struct.pack("<14I", round(1000000 / FPS), buffer * FPS, 0, 0x10, FRAMES, 0, 1, buffer,
                       WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = (b"vids" + b"\x00\x00\x00\x00" + struct.pack("<IHHIIIIIIII", 0, 0, 0, 0, 1, FPS, 0, FRAMES, buffer,
                                                        0xFFFFFFFF, 0)
            + struct.pack("<4h", 0, 0, WIDTH, HEIGHT))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + b"\x00" * 4 * (256 - len(palette))
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, buffer, 0, 0, 256, 0) + colours
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                     riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))

    movi_data = b""
    index_entries = b""
    for data in encoded:
        # Offsets count from the "movi" code of the list.
        index_entries += b"00dc" + struct.pack("<III", 0x10, 4 + len(movi_data), len(data))
        movi_data += chunk(b"00dc", data)
    movi = riff_list(b"LIST", b"movi", movi_data)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index_entries))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(avi(render()))


if __name__ == "__main__":
    main()
