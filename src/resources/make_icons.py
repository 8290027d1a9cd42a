#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files (Python 3 standard library only).

    make_icons.py [OUTPUT_DIR] [--preview DIR]

OUTPUT_DIR (default: this folder) receives window.ico (the window icon) and tray.ico (the
notification-area icon), each with the sizes 64, 48, 40, 32, 24, 20 and 16: the small and big icon
sizes of display scales from 100 % to 200 %, so that the system never has to stretch an image. With
--preview, enlarged PNG pictures of every size on a light and a dark background go to DIR, for
looking at the drawing.

The picture is a round push button with radio waves leaving it towards the upper right. Sizes 16, 32
and 64 are drawn from their own geometry, laid on the pixel grid of that size, so that the 16 x 16
image stays legible instead of being a blurred reduction; the sizes between take the geometry of the
nearest of them that has the same details, scaled. Edges are anti-aliased by supersampling; the images are
32 bits per pixel with straight (not premultiplied) alpha, stored as BMP entries with an AND mask.
The output is byte-for-byte reproducible.
"""

import math
import os
import struct
import sys
import zlib

SUPERSAMPLE = 8  # samples per pixel along each axis


def hex_colour(text, alpha=1.0):
    return (int(text[0:2], 16) / 255.0, int(text[2:4], 16) / 255.0, int(text[4:6], 16) / 255.0, alpha)


def mix(a, b, t):
    t = min(max(t, 0.0), 1.0)
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


# Shapes: functions (x, y) -> inside, in pixel units (pixel i covers [i, i + 1]).

def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def arc(cx, cy, radius, width, start_deg, end_deg):
    """A stroke of the given width along a circle's arc, with round ends. Angles are measured
    counter-clockwise from the +x axis as seen on screen (y grows downwards)."""
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    ends = [(cx + radius * math.cos(a), cy - radius * math.sin(a)) for a in (a0, a1)]
    half = width / 2.0

    def inside(x, y):
        dx, dy = x - cx, cy - y
        angle = math.atan2(dy, dx)
        if a0 <= angle <= a1:
            return abs(math.hypot(dx, dy) - radius) <= half
        return any((x - ex) ** 2 + (y - ey) ** 2 <= half * half for ex, ey in ends)

    return inside


# Paints: functions (x, y) -> straight RGBA in 0..1.

def flat(colour):
    return lambda x, y: colour


def radial(cx, cy, r, inner, outer):
    return lambda x, y: mix(inner, outer, math.hypot(x - cx, y - cy) / r)


def vertical(top_y, bottom_y, top, bottom):
    return lambda x, y: mix(top, bottom, (y - top_y) / (bottom_y - top_y))


RING_DARK = hex_colour("263238")
RING_LIGHT = hex_colour("78909C")
RING_MID = hex_colour("546E7A")
CAP_LIGHT = hex_colour("FF8A80")
CAP_MID = hex_colour("E53935")
CAP_DARK = hex_colour("B71C1C")
WAVE = hex_colour("1E88E5")
WAVE_DARK = hex_colour("1565C0")
SHADOW = (0.0, 0.0, 0.0, 0.30)
HIGHLIGHT = (1.0, 1.0, 1.0, 0.55)


def button_layers(cx, cy, ring_r, cap_r, shadow, highlight, ring_top=RING_LIGHT):
    """The push button seen from above: a dark housing ring, a red domed cap lit from the upper left."""
    layers = []
    if shadow:
        layers.append((disc(cx + shadow, cy + shadow, ring_r), flat(SHADOW)))
    layers.append((disc(cx, cy, ring_r), vertical(cy - ring_r, cy + ring_r, ring_top, RING_DARK)))
    light_x, light_y = cx - cap_r * 0.45, cy - cap_r * 0.45
    layers.append((disc(cx, cy, cap_r),
                   lambda x, y: mix(mix(CAP_LIGHT, CAP_MID, math.hypot(x - light_x, y - light_y) / (cap_r * 0.9)),
                                    CAP_DARK, (math.hypot(x - light_x, y - light_y) - cap_r * 0.9) / (cap_r * 0.8))))
    if highlight:
        layers.append((ellipse(cx - cap_r * 0.38, cy - cap_r * 0.45, cap_r * 0.38, cap_r * 0.22), flat(HIGHLIGHT)))
    return layers


def wave_layers(cx, cy, radii, width, start_deg, end_deg):
    paint = radial(cx, cy, radii[-1] + width, WAVE, WAVE_DARK)
    return [(arc(cx, cy, r, width, start_deg, end_deg), paint) for r in radii]


# One geometry per size. Centres and radii sit on the pixel grid of their size.
def scene_64(f=1.0):
    return (button_layers(20.0 * f, 44.0 * f, 18.0 * f, 13.5 * f, shadow=1.5 * f, highlight=True)
            + wave_layers(20.0 * f, 44.0 * f, (24.5 * f, 33.0 * f, 41.5 * f), 5.0 * f, 10.0, 80.0))


def scene_32(f=1.0):
    return (button_layers(10.0 * f, 22.0 * f, 9.0 * f, 6.5 * f, shadow=1.0 * f, highlight=True)
            + wave_layers(10.0 * f, 22.0 * f, (13.0 * f, 18.5 * f), 3.0 * f, 8.0, 82.0))


def scene_16(f=1.0):
    return (button_layers(5.0 * f, 11.0 * f, 4.5 * f, 3.25 * f, shadow=0, highlight=False, ring_top=RING_MID)
            + wave_layers(5.0 * f, 11.0 * f, (7.0 * f, 10.0 * f), 1.7 * f, 5.0, 85.0))


SCENES = {
    64: scene_64(),
    48: scene_64(48 / 64),
    40: scene_32(40 / 32),
    32: scene_32(),
    24: scene_32(24 / 32),
    20: scene_16(20 / 16),
    16: scene_16(),
}
SIZES = (64, 48, 40, 32, 24, 20, 16)  # largest first, as in the icon files


def render(size, layers):
    """Returns rows (top first) of straight RGBA bytes."""
    n = SUPERSAMPLE
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied sum over the samples
            for sy in range(n):
                y = py + (sy + 0.5) / n
                for sx in range(n):
                    x = px + (sx + 0.5) / n
                    r = g = b = a = 0.0  # premultiplied "over" compositing
                    for inside, paint in layers:
                        if inside(x, y):
                            cr, cg, cb, ca = paint(x, y)
                            r = cr * ca + r * (1 - ca)
                            g = cg * ca + g * (1 - ca)
                            b = cb * ca + b * (1 - ca)
                            a = ca + a * (1 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            count = n * n
            alpha = acc[3] / count
            if alpha <= 0.0:
                row += b"\0\0\0\0"
                continue
            row += bytes(min(255, int(round(c / count / alpha * 255))) for c in acc[:3])
            row.append(int(round(alpha * 255)))
        rows.append(bytes(row))
    return rows


def bmp_entry(size, rows):
    """An icon image as stored in .ico files: header (height doubled), BGRA bottom-up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for i in range(0, len(row), 4):
            r, g, b, a = row[i:i + 4]
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x in range(size):
            if row[x * 4 + 3] == 0:  # fully transparent pixels are masked out for old renderers
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def ico_file(images):
    """images: list of (size, entry bytes)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def png_file(width, height, rgba_rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + row for row in rgba_rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def preview(size, rows, directory):
    """Writes the image enlarged on a light and a dark taskbar colour, and at actual size."""
    scale = max(1, 256 // size)
    for name, back in (("light", (240, 240, 240)), ("dark", (32, 32, 32))):
        pad = 4
        plain = []
        for row in rows:
            line = bytearray()
            for i in range(0, len(row), 4):
                r, g, b, a = row[i:i + 4]
                line += bytes(round((c * a + k * (255 - a)) / 255) for c, k in zip((r, g, b), back)) + b"\xff"
            plain.append(bytes(line))
        width = size * scale + pad * 2 + size + pad
        out = []
        border = bytes(back) + b"\xff"
        for y in range(size * scale + pad * 2):
            line = bytearray(border * width)
            iy = y - pad
            if 0 <= iy < size * scale:
                src = plain[iy // scale]
                for x in range(size * scale):
                    p = (pad + x) * 4
                    q = (x // scale) * 4
                    line[p:p + 4] = src[q:q + 4]
            if 0 <= iy < size:  # actual size beside the enlarged picture
                p = (pad * 2 + size * scale) * 4
                line[p:p + size * 4] = plain[iy]
            out.append(bytes(line))
        with open(os.path.join(directory, "icon%d_%s.png" % (size, name)), "wb") as f:
            f.write(png_file(width, len(out), out))


def main(argv):
    output = os.path.dirname(os.path.abspath(__file__))
    preview_dir = None
    args = list(argv)
    while args:
        arg = args.pop(0)
        if arg == "--preview":
            preview_dir = args.pop(0)
        else:
            output = arg
    images = {size: render(size, layers) for size, layers in SCENES.items()}
    for name in ("window.ico", "tray.ico"):
        with open(os.path.join(output, name), "wb") as f:
            f.write(ico_file([(size, bmp_entry(size, images[size])) for size in SIZES]))
    if preview_dir:
        os.makedirs(preview_dir, exist_ok=True)
        for size, rows in images.items():
            preview(size, rows, preview_dir)


if __name__ == "__main__":
    main(sys.argv[1:])
