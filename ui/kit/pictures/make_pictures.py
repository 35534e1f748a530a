#!/usr/bin/env python3
"""Draws the button pictures and the product logo as 32-bit BMP files (straight alpha).

Every picture is drawn from geometry (strokes, arcs, filled shapes measured by their distance
to each pixel), once per density, so the 144 DPI variants are as crisp as the 96 DPI ones.
Usage: make_pictures.py OUTDIR. Standard library only."""
import math
import os
import struct
import sys

BLUE = (0x00, 0x79, 0xBA)
WHITE = (0xFF, 0xFF, 0xFF)
DENSITIES = (96, 144)


# ---- shapes: each gives the distance in design units from a point to its edge; negative
# inside filled shapes ----

def seg(ax, ay, bx, by):
    def d(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (ax + t * dx), y - (ay + t * dy))
    return d


def arc(cx, cy, r, start, sweep):
    """Arc from `start` degrees over `sweep` degrees, clockwise on screen (y down)."""
    a0 = math.radians(start)
    a1 = math.radians(start + sweep)
    e0 = (cx + r * math.cos(a0), cy + r * math.sin(a0))
    e1 = (cx + r * math.cos(a1), cy + r * math.sin(a1))

    def d(x, y):
        a = (math.degrees(math.atan2(y - cy, x - cx)) - start) % 360
        if a <= sweep:
            return abs(math.hypot(x - cx, y - cy) - r)
        return min(math.hypot(x - e0[0], y - e0[1]), math.hypot(x - e1[0], y - e1[1]))
    return d


def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def polygon(points):
    def d(x, y):
        best = min(seg(*points[i], *points[(i + 1) % len(points)])(x, y) for i in range(len(points)))
        inside = False
        for i in range(len(points)):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % len(points)]
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                inside = not inside
        return -best if inside else best
    return d


def rounded_rect(x0, y0, x1, y1, r):
    def d(x, y):
        qx = abs(x - (x0 + x1) / 2) - ((x1 - x0) / 2 - r)
        qy = abs(y - (y0 + y1) / 2) - ((y1 - y0) / 2 - r)
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return d


def shifted(shape, ox, oy):
    return lambda x, y: shape(x - ox, y - oy)


class Stroke:
    def __init__(self, shapes, width):
        self.shapes, self.half = shapes, width / 2

    def distance(self, x, y):
        return min(s(x, y) for s in self.shapes) - self.half


class Fill:
    def __init__(self, shapes):
        self.shapes = shapes

    def distance(self, x, y):
        return min(s(x, y) for s in self.shapes)


def render(width, height, unit, layers):
    """Pixels (r, g, b, a), rows top to bottom. `unit`: pixels per design unit; each layer is
    (colour, item) drawn over the ones before."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            x, y = (px + 0.5) / unit, (py + 0.5) / unit
            r = g = b = a = 0.0  # premultiplied while composing
            for colour, item in layers:
                cover = max(0.0, min(1.0, 0.5 - item.distance(x, y) * unit))
                if cover <= 0:
                    continue
                keep = 1 - cover
                r, g, b = colour[0] * cover + r * keep, colour[1] * cover + g * keep, colour[2] * cover + b * keep
                a = cover + a * keep
            if a > 0:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bmp(rows):
    height, width = len(rows), len(rows[0])
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 32, 0, len(pixels), 3780, 3780, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


# ---- the pictures, on a 16-unit grid (one unit is one pixel at 96 DPI) ----

class Pen:
    """Stroke width and pixel snapping at one density: straight strokes get whole-pixel
    edges, so they are solid, not smeared over two half-covered rows."""

    def __init__(self, unit, width=1.75):
        self.unit = unit
        self.pixels = max(2, round(width * unit))
        self.width = self.pixels / unit

    def snap(self, c):
        centre = c * self.unit
        centre = round(centre - 0.5) + 0.5 if self.pixels % 2 else round(centre)
        return centre / self.unit

    def line(self, ax, ay, bx, by):
        if ay == by:
            ay = by = self.snap(ay)
        if ax == bx:
            ax = bx = self.snap(ax)
        return seg(ax, ay, bx, by)


def glyph_back(pen):
    y = 8
    return [(BLUE, Stroke([pen.line(13, y, 3.5, y), seg(3.5, pen.snap(y), 8, 3.5), seg(3.5, pen.snap(y), 8, 12.5)],
                          pen.width))]


def glyph_forward(pen):
    y = 8
    return [(BLUE, Stroke([pen.line(3, y, 12.5, y), seg(12.5, pen.snap(y), 8, 3.5), seg(12.5, pen.snap(y), 8, 12.5)],
                          pen.width))]


def glyph_reload(pen):
    # A ring open at the top right, its end carrying an arrow head.
    return [(BLUE, Stroke([arc(8, 8.5, 5, -40, 290)], pen.width)),
            (BLUE, Fill([polygon([(10.2, 1.6), (14.6, 4.6), (9.7, 6.6)])]))]


def glyph_home(pen):
    left, right, base = pen.snap(3.9), pen.snap(12.1), pen.snap(13.6)
    roof = [seg(1.8, 8.2, 8, 2.3), seg(8, 2.3, 14.2, 8.2)]
    body = [seg(left, 7.2, left, base), seg(right, 7.2, right, base), seg(left, base, right, base)]
    d0, d1, dt = pen.snap(6.8), pen.snap(9.2), pen.snap(10.2)
    door = [seg(d0, base, d0, dt), seg(d0, dt, d1, dt), seg(d1, dt, d1, base)]
    return [(BLUE, Stroke(roof + body + door, pen.width))]


def glyph_devtools(pen):
    # "</>": the usual sign for source and developer tools.
    return [(BLUE, Stroke([seg(5, 4.5, 1.8, 8), seg(1.8, 8, 5, 11.5), seg(11, 4.5, 14.2, 8),
                           seg(14.2, 8, 11, 11.5), seg(9.3, 3.2, 6.7, 12.8)], pen.width * 0.9))]


def glyph_menu(pen):
    return [(BLUE, Stroke([pen.line(3, y, 13, y) for y in (4, 8, 12)], pen.width))]


# The wordmark, letters on a 10-unit cap height, baseline at 10.
LETTERS = {
    'Q': (10.0, [arc(5, 5, 4.25, 0, 360), seg(6.4, 6.6, 9.6, 10.3)]),
    'u': (6.0, [seg(0.75, 3.5, 0.75, 7.4), arc(3.0, 7.4, 2.25, 0, 180), seg(5.25, 3.5, 5.25, 10)]),
    'i': (1.5, [seg(0.75, 4.0, 0.75, 10)]),
    'r': (3.8, [seg(0.75, 3.8, 0.75, 10), arc(3.6, 6.7, 2.85, 180, 85)]),
    'e': (6.6, [seg(0.5, 6.75, 6.1, 6.75), arc(3.3, 6.75, 2.8, 50, 310)]),
    'l': (1.5, [seg(0.75, 0.2, 0.75, 10)]),
}
DOTS = {'i': disc(0.75, 1.7, 1.0)}


def logo():
    layers = [(BLUE, Fill([rounded_rect(4, 4, 52, 52, 11)])),
              (WHITE, Stroke([arc(27.5, 27, 12.2, 0, 360), seg(30, 31, 39, 40)], 5.4))]
    scale, x = 3.0, 64.0  # wordmark: 30 units high, after the tile
    top = 28 - 5 * scale - 0.2
    strokes, fills = [], []
    for ch in 'Quirel':
        width, shapes = LETTERS[ch]
        strokes += [shifted(lambda u, v, s=s: s(u / scale, v / scale) * scale, x, top) for s in shapes]
        if ch in DOTS:
            fills.append(shifted(lambda u, v, s=DOTS[ch]: s(u / scale, v / scale) * scale, x, top))
        x += (width + 1.7) * scale
    layers += [(BLUE, Stroke(strokes, 1.55 * scale)), (BLUE, Fill(fills))]
    return layers, (int(math.ceil(x)) + 2, 56)


PICTURES = {
    'back': (glyph_back, (16, 16)),
    'forward': (glyph_forward, (16, 16)),
    'reload': (glyph_reload, (16, 16)),
    'home': (glyph_home, (16, 16)),
    'devtools': (glyph_devtools, (16, 16)),
    'menu': (glyph_menu, (16, 16)),
}


def main(out):
    os.makedirs(out, exist_ok=True)
    logo_layers, logo_size = logo()
    pictures = dict(PICTURES)
    pictures['logo'] = (lambda pen: logo_layers, logo_size)
    for name, (draw, (w, h)) in pictures.items():
        for dpi in DENSITIES:
            unit = dpi / 96
            rows = render(round(w * unit), round(h * unit), unit, draw(Pen(unit)))
            with open(os.path.join(out, f'{name}_{dpi}.bmp'), 'wb') as f:
                f.write(bmp(rows))


if __name__ == '__main__':
    main(sys.argv[1])
