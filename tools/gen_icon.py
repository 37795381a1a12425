#!/usr/bin/env python3
"""Draws the program icon (assets/qinglan.ico): a rounded accent-blue tile
with two white peaks, at 16, 32, 48 and 256 pixels. Standard library only;
supersampled so the edges are smooth."""
import struct, sys, zlib, pathlib

ACCENT = (0xFF, 0x88, 0x00)  # B, G, R of the program's blue


def inside_round_rect(x, y, size, radius):
    cx = min(max(x, radius), size - radius)
    cy = min(max(y, radius), size - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


def pixel(u, v):
    """Colour (b, g, r, a) at unit coordinates u, v in [0, 1)."""
    if not inside_round_rect(u, v, 1.0, 0.22):
        return (0, 0, 0, 0)
    back = ((0.30, 0.80), (0.58, 0.30), (0.86, 0.80))
    front = ((0.14, 0.80), (0.40, 0.20), (0.66, 0.80))
    if inside_triangle(u, v, *front):
        return (255, 255, 255, 255)
    if inside_triangle(u, v, *back):
        return (0xFF, 0xE0, 0xBF, 255)
    shade = 1.0 - 0.25 * v
    return (int(ACCENT[0] * shade), int(ACCENT[1] * shade), int(ACCENT[2] * shade), 255)


def render(size, ss=4):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(ss):
                for sx in range(ss):
                    p = pixel((x + (sx + 0.5) / ss) / size, (y + (sy + 0.5) / ss) / size)
                    for i in range(3):
                        acc[i] += p[i] * p[3]
                    acc[3] += p[3]
            a = acc[3] / (ss * ss)
            if acc[3]:
                row.append(tuple(int(acc[i] / acc[3]) for i in range(3)) + (int(a),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bmp_entry(size):
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + bytes(mask_row * size)


def png_entry(size):
    rows = render(size, ss=2)
    raw = b''.join(b'\0' + bytes(c for b, g, r, a in row for c in (r, g, b, a)) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main(out):
    images = [(16, bmp_entry(16)), (32, bmp_entry(32)), (48, bmp_entry(48)), (256, png_entry(256))]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, blob in images:
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    data += b''.join(blob for _, blob in images)
    pathlib.Path(out).write_bytes(data)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else str(pathlib.Path(__file__).resolve().parent.parent / 'assets' / 'qinglan.ico'))
