#!/usr/bin/env python3
"""Draws the application icon: a white "Q" on a rounded blue tile.

Writes a Windows .ico with 16, 24, 32, 48 and 64 pixel images (32-bit DIBs) and a
256 pixel PNG image. Standard library only, so the build needs nothing extra."""
import math
import struct
import sys
import zlib

SUPERSAMPLE = 4


def coverage(x, y, size):
    """Returns (tile, glyph) coverage in 0..1 for the pixel at x, y."""
    tile = glyph = 0
    n = SUPERSAMPLE
    for sy in range(n):
        for sx in range(n):
            u = (x + (sx + 0.5) / n) / size
            v = (y + (sy + 0.5) / n) / size
            if in_tile(u, v):
                tile += 1
                if in_q(u, v):
                    glyph += 1
    return tile / (n * n), glyph / (n * n)


def in_tile(u, v, margin=0.03, radius=0.2):
    lo, hi = margin, 1 - margin
    if not (lo <= u <= hi and lo <= v <= hi):
        return False
    cx = min(max(u, lo + radius), hi - radius)
    cy = min(max(v, lo + radius), hi - radius)
    return (u - cx) ** 2 + (v - cy) ** 2 <= radius ** 2


def in_q(u, v):
    cx, cy, r_out, r_in = 0.48, 0.47, 0.30, 0.185
    d = math.hypot(u - cx, v - cy)
    if r_in <= d <= r_out:
        return True
    # The tail: a thick stroke from inside the ring out to the lower right.
    ax, ay, bx, by, half = 0.52, 0.55, 0.80, 0.83, 0.065
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(u - (ax + t * dx), v - (ay + t * dy)) <= half


def pixels(size):
    """Rows top to bottom of (b, g, r, a)."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            tile, glyph = coverage(x, y, size)
            shade = y / max(1, size - 1)
            base = (0xE5 - int(0x30 * shade), 0x88 - int(0x28 * shade), 0x1E)  # b, g, r
            b, g, r = (int(c + (255 - c) * (glyph / tile)) if tile else 0 for c in base)
            row.append((b, g, r, int(round(255 * tile))))
        rows.append(row)
    return rows


def dib(size):
    rows = pixels(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + xor + bytes(and_mask)


def png(size):
    rows = pixels(size)
    raw = b''.join(b'\0' + bytes(c for (b, g, r, a) in row for c in (r, g, b, a)) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main(path):
    images = [(s, dib(s)) for s in (16, 24, 32, 48, 64)] + [(256, png(256))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1])
