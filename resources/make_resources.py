"""Regenerate with: python3 resources/make_resources.py [--preview DIR]

Draws the pictures, icons and cursors of the skin designer and writes them
next to this script as BMP, ICO and CUR files. Standard library only; the
output is byte-for-byte the same on every run. --preview also writes
enlarged PNG copies into DIR for a quick visual check.
"""
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
INK = (20, 20, 28)
WHITE = (255, 255, 255)
MAGENTA = (255, 0, 255)


class Canvas:
    """RGBA raster. Shapes take design units scaled by k and are sampled
    ss x ss times per pixel, so small icons get smooth edges."""

    def __init__(self, w, h, ss=1, k=1.0, bg=(0, 0, 0, 0)):
        self.w, self.h, self.ss, self.k = w, h, ss, k
        self.W, self.H = w * ss, h * ss
        self.p = [bg if len(bg) == 4 else bg + (1.0,)] * (self.W * self.H)

    def _put(self, i, col):
        a = col[3] if len(col) == 4 else 1.0
        if a >= 1.0:
            self.p[i] = (col[0], col[1], col[2], 1.0)
            return
        r, g, b, da = self.p[i]
        oa = a + da * (1 - a)
        if oa > 0:
            f = da * (1 - a)
            self.p[i] = ((col[0] * a + r * f) / oa, (col[1] * a + g * f) / oa,
                         (col[2] * a + b * f) / oa, oa)

    def cover(self, box, inside, col):
        # Visit only subsamples inside the bounding box (design units).
        s = self.k * self.ss
        x0, y0 = max(0, int(box[0] * s) - 1), max(0, int(box[1] * s) - 1)
        x1, y1 = min(self.W, int(box[2] * s) + 2), min(self.H, int(box[3] * s) + 2)
        for j in range(y0, y1):
            y = (j + 0.5) / s
            for i in range(x0, x1):
                if inside((i + 0.5) / s, y):
                    if col is None:
                        self.p[j * self.W + i] = (0, 0, 0, 0.0)
                    else:
                        self._put(j * self.W + i, col)

    def pixel(self, x, y, col):
        self.fill_rect(x, y, x + 1, y + 1, col)

    def fill_rect(self, x0, y0, x1, y1, col):
        self.cover((x0, y0, x1, y1), lambda x, y: x0 <= x < x1 and y0 <= y < y1, col)

    def rect(self, x0, y0, x1, y1, col, w=1):
        for r in ((x0, y0, x1, y0 + w), (x0, y1 - w, x1, y1),
                  (x0, y0, x0 + w, y1), (x1 - w, y0, x1, y1)):
            self.fill_rect(*r, col)

    def line(self, x0, y0, x1, y1, col, w=1.0):
        # Round-capped stroke: points closer than w/2 to the segment.
        dx, dy, r = x1 - x0, y1 - y0, w / 2.0
        L = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / L))
            ex, ey = x - x0 - t * dx, y - y0 - t * dy
            return ex * ex + ey * ey <= r * r
        self.cover((min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r),
                   inside, col)

    def ellipse(self, cx, cy, rx, ry, col):
        self.cover((cx - rx, cy - ry, cx + rx, cy + ry),
                   lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, col)

    def circle(self, cx, cy, r, col):
        self.ellipse(cx, cy, r, r, col)

    def poly(self, pts, col):
        n = len(pts)

        def inside(x, y):  # even-odd rule
            c = False
            for a in range(n):
                (xa, ya), (xb, yb) = pts[a], pts[a - 1]
                if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    c = not c
            return c
        xs, ys = [q[0] for q in pts], [q[1] for q in pts]
        self.cover((min(xs), min(ys), max(xs), max(ys)), inside, col)

    def over(self, layer):
        for i, c in enumerate(layer.p):
            if c[3] > 0:
                self._put(i, c)

    def pixels(self):
        """Box-filters the subsamples down to 8-bit (r, g, b, a) rows."""
        ss, out = self.ss, []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                sa = sr = sg = sb = 0.0
                for j in range(y * ss, y * ss + ss):
                    for i in range(x * ss, x * ss + ss):
                        r, g, b, a = self.p[j * self.W + i]
                        sa += a; sr += r * a; sg += g * a; sb += b * a
                if sa <= 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((round(sr / sa), round(sg / sa), round(sb / sa),
                                round(255 * sa / (ss * ss))))
            out.append(row)
        return out


# --- shapes with a uniform dark rim -----------------------------------------
# A shape is ('cap', x0, y0, x1, y1, w, col), ('poly', pts, col) or
# ('ell', cx, cy, rx, ry, col). Drawing all rims first, then all fills, lets
# overlapping shapes merge into one silhouette.

def draw_shape(c, sh, grow=0.0, col=None):
    kind = sh[0]
    if kind == 'cap':
        c.line(*sh[1:5], col or sh[6], sh[5] + 2 * grow)
    elif kind == 'ell':
        c.ellipse(sh[1], sh[2], sh[3] + grow, sh[4] + grow, col or sh[5])
    else:
        c.poly(sh[1], col or sh[2])
        if grow:
            pts = sh[1]
            for a in range(len(pts)):
                c.line(*pts[a - 1], *pts[a], col, 2 * grow)


def outlined(c, shapes, rim=1.0, ink=INK):
    for sh in shapes:
        draw_shape(c, sh, rim, ink)
    for sh in shapes:
        draw_shape(c, sh)


def rot(pts, deg, cx, cy):
    a = math.radians(deg)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca)
            for x, y in pts]


def ell_pts(cx, cy, rx, ry, n=28):
    return [(cx + rx * math.cos(2 * math.pi * t / n), cy + ry * math.sin(2 * math.pi * t / n))
            for t in range(n)]


def star_pts(cx, cy, r1, r2, n=5):
    return [(cx + (r1 if t % 2 == 0 else r2) * math.sin(math.pi * t / n),
             cy - (r1 if t % 2 == 0 else r2) * math.cos(math.pi * t / n)) for t in range(2 * n)]


# --- file writers -------------------------------------------------------------

def bmp24(rows, key=MAGENTA):
    """24-bit bottom-up BMP; transparent pixels become the key colour."""
    h, w = len(rows), len(rows[0])
    pad = (4 - w * 3 % 4) % 4
    data = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            data += bytes((key[2], key[1], key[0])) if a < 128 else bytes((b, g, r))
        data += b'\0' * pad
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54) + info + bytes(data)


def dib32(rows):
    """Icon/cursor image: BGRA colour bits followed by the 1-bit AND mask."""
    h, w = len(rows), len(rows[0])
    xor, mask = bytearray(), bytearray()
    stride = (w + 31) // 32 * 4
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (r, g, b, a) in enumerate(row):
            xor += bytes((b, g, r, a) if a else (0, 0, 0, 0))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    hdr = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return hdr + bytes(xor) + bytes(mask)


def icon_file(images, hotspot=None):
    """ICO (type 1) or, with a hotspot, CUR (type 2) holding the given images."""
    blobs = [dib32(rows) for rows in images]
    out = struct.pack('<HHH', 0, 2 if hotspot else 1, len(blobs))
    off = 6 + 16 * len(blobs)
    for rows, blob in zip(images, blobs):
        w, h = len(rows[0]), len(rows)
        f1, f2 = hotspot if hotspot else (1, 32)
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, f1, f2, len(blob), off)
        off += len(blob)
    return out + b''.join(blobs)


def png_preview(path, rows, scale):
    # Checkerboard behind transparent pixels makes the alpha edges visible.
    out = bytearray()
    for y in range(len(rows) * scale):
        out.append(0)
        for x in range(len(rows[0]) * scale):
            r, g, b, a = rows[y // scale][x // scale]
            bg = 200 if ((x // 4 + y // 4) % 2) else 150
            out += bytes(round((v * a + bg * (255 - a)) / 255) for v in (r, g, b))

    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d))
    ihdr = struct.pack('>IIBBBBB', len(rows[0]) * scale, len(rows) * scale, 8, 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) +
                chunk(b'IDAT', zlib.compress(bytes(out), 9)) + chunk(b'IEND', b''))


# --- application icon ----------------------------------------------------------

def app_icon(size):
    k = size / 32.0
    rim = 1.0 / k if size < 32 else 1.0   # keep rims one real pixel wide
    c = Canvas(size, size, ss=8 if size < 32 else 4, k=k)
    # Window frame behind the palette: the thing being "skinned".
    c.fill_rect(3, 2, 30, 25, (40, 52, 80))
    c.fill_rect(4, 3, 29, 8, (60, 130, 220))
    c.fill_rect(4, 8, 29, 24, (236, 241, 250))
    for i, col in enumerate(((240, 90, 80), (250, 200, 60), (90, 200, 100))):
        c.circle(6.5 + 3.2 * i, 5.5, 1.1, col)
    # Painter's palette on its own layer so the thumb hole can be cut out.
    pal = Canvas(size, size, ss=c.ss, k=k)
    wood = (226, 186, 128)
    outlined(pal, [('ell', 13, 22, 11.5, 8, wood)], rim, (95, 60, 25))
    if size >= 32:   # the thumb hole would be a smudge at 16 pixels
        pal.ellipse(6.5, 26.3, 3.0, 2.2, (95, 60, 25))
        pal.ellipse(6.5, 26.3, 2.1, 1.4, None)
    for x, y, col in ((6.5, 20.5, (225, 40, 40)), (12.5, 17.5, (250, 205, 30)),
                      (18, 18.5, (40, 170, 80)), (20, 23.5, (45, 90, 225)),
                      (13.5, 26, (150, 60, 200))):
        outlined(pal, [('ell', x, y, 2.2, 2.0, col)], 0.6 * rim, (70, 45, 20))
    c.over(pal)
    # Brush across the top-right corner, tip dipped in blue.
    outlined(c, [('cap', 30, 3, 23.5, 9.5, 3.2, (170, 70, 35)),
                 ('poly', rot([(20.2, 8.6), (24.2, 8.6), (24.2, 13), (20.2, 13)], 45, 22.2, 10.8),
                  (195, 198, 210)),
                 ('poly', [(21.5, 10.2), (23.2, 11.9), (18.5, 18.5), (15.5, 19.5), (16.5, 16.0)],
                  (45, 90, 225))], rim)
    return c


# --- cursors (32x32, design unit = pixel) -------------------------------------

def cur_canvas():
    return Canvas(32, 32, ss=4)


def eye_cursor():
    c = cur_canvas()
    R, h = 16.25, 8.25   # two circles whose overlap is an almond 28 wide, 16 high

    def lens(g):
        return lambda x, y: (math.hypot(x - 16, y - 16 - h) <= R + g and
                             math.hypot(x - 16, y - 16 + h) <= R + g)
    for a in (-32, -16, 0, 16, 32):   # lashes stand out of the upper lid
        sn, cs = math.sin(math.radians(a)), math.cos(math.radians(a))
        c.line(16 + R * sn, 16 + h - R * cs, 16 + (R + 3.5) * sn, 16 + h - (R + 3.5) * cs, INK, 1.3)
    c.cover((0, 6, 32, 26), lens(1.3), INK)
    c.cover((0, 6, 32, 26), lens(0), WHITE)
    c.circle(16, 16, 6.2, (40, 110, 190))
    c.circle(16, 16, 4.8, (70, 150, 225))
    c.circle(16, 16, 2.8, INK)
    c.circle(14.2, 14.0, 1.3, WHITE)
    return c, (16, 16)


def hand_cursor():
    c = cur_canvas()
    skin = WHITE
    outlined(c, [('cap', 11, 3.5, 11, 18, 5, skin),                  # index finger
                 ('cap', 15.5, 14, 15.5, 21, 4.6, skin),
                 ('cap', 19.8, 15, 19.8, 22, 4.4, skin),
                 ('cap', 23.8, 16.5, 23.8, 22, 4.0, skin),
                 ('poly', [(8.5, 17), (25.8, 17), (25.8, 24), (22.5, 29.5), (11.5, 29.5), (8.5, 25)], skin),
                 ('cap', 9.5, 24, 4.5, 18.5, 4.6, skin)])              # thumb
    for x, y0, y1 in ((13.4, 13.5, 20), (17.7, 14.2, 20.5), (21.9, 15.5, 21)):
        c.line(x, y0, x, y1, INK, 1.0)
    c.line(9, 23.5, 11.5, 25.5, INK, 1.0)
    c.fill_rect(11, 28, 23, 31, (110, 150, 210))                     # cuff
    c.rect(10.5, 27.5, 23.5, 31.5, INK, 1)
    return c, (11, 1)


def mano_cursor():
    c = cur_canvas()
    skin = (250, 224, 196)
    outlined(c, [('cap', 11, 15, 8.5, 5.5, 4.2, skin),
                 ('cap', 15, 14, 14.5, 3, 4.4, skin),
                 ('cap', 19, 14, 20, 4, 4.2, skin),
                 ('cap', 22.5, 17, 25.5, 9, 3.8, skin),
                 ('cap', 10, 23, 4, 15.5, 4.4, skin),
                 ('ell', 16.5, 21.5, 8, 8, skin)])
    return c, (16, 16)


def fill_cursor():
    c = cur_canvas()
    cx, cy, tilt = 20, 13, -60
    paint = (50, 105, 230)
    body = rot([(12, 7), (26, 7), (24, 22), (14, 22)], tilt, cx, cy)
    mouth = rot(ell_pts(19, 7, 7, 3.2), tilt, cx, cy)
    outlined(c, [('poly', body, (190, 195, 210)), ('poly', mouth, paint)], 1.0)
    for t in (1, 2, 3):    # stripes give the metal some volume
        p = rot([(13.5 + 3 * t, 10.5), (14.5 + 2.3 * t, 20.5)], tilt, cx, cy)
        c.line(*p[0], *p[1], (220, 225, 236) if t == 1 else (165, 170, 188), 1.2)
    lip = rot([(12.5, 7.5), (15.5, 8.5)], tilt, cx, cy)   # where the paint spills over
    outlined(c, [('poly', [lip[0], lip[1], (7.8, 18.0), (6.4, 22.5), (3.8, 22.0)], paint),
                 ('ell', 5, 26.5, 2.4, 2.4, paint),
                 ('poly', [(5, 22.2), (7.2, 26.2), (2.8, 26.2)], paint)], 1.0)
    c.circle(4.2, 26.4, 0.8, (170, 200, 255))
    return c, (5, 29)


def dropper_cursor():
    c = cur_canvas()
    glass, liquid = (215, 235, 245), (40, 170, 90)
    outlined(c, [('cap', 1.8, 30.2, 6, 26, 2.0, glass),
                 ('cap', 5, 27, 18, 14, 4.4, glass),
                 ('cap', 21, 11, 27, 5, 6.4, (215, 40, 40)),
                 ('poly', rot([(17.5, 9), (19.9, 9), (19.9, 17.6), (17.5, 17.6)], 45, 18.7, 13.3),
                  (90, 90, 100))])
    c.line(5.5, 26.5, 12, 20, liquid, 2.6)
    c.line(2.5, 29.5, 5.5, 26.5, liquid, 0.9)
    c.line(9, 19.5, 15, 13.5, WHITE, 0.9)          # glass highlight
    c.line(23.5, 6.5, 25.5, 4.5, (250, 140, 140), 1.3)
    return c, (1, 30)


# --- status icons (16x16) -----------------------------------------------------

def changed_icon():
    c = Canvas(16, 16, ss=8)
    body = [(14.8, 3.4), (12.6, 1.2), (4.2, 9.6), (6.4, 11.8)]
    outlined(c, [('poly', [(12.6, 1.2), (14.8, 3.4), (15.6, 2.6), (13.4, 0.4)], (240, 130, 150)),
                 ('poly', body, (250, 185, 40)),
                 ('poly', [(4.2, 9.6), (6.4, 11.8), (2.0, 14.0)], (235, 205, 160))], 0.8)
    c.line(13.0, 2.0, 5.2, 9.8, (255, 225, 120), 0.8)
    c.poly([(2.0, 14.0), (3.4, 13.3), (2.7, 12.6)], INK)
    outlined(c, [('poly', star_pts(4.2, 4.3, 4.0, 1.8), (245, 100, 30))], 0.8, (140, 40, 10))
    return c


def saved_icon():
    c = Canvas(16, 16, ss=8)
    outlined(c, [('poly', [(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)],
                  (55, 95, 180))], 0.9, (20, 35, 80))
    c.fill_rect(4.2, 1.5, 11.3, 6.0, (205, 210, 222))
    c.fill_rect(8.6, 2.4, 10.2, 5.2, (55, 65, 90))
    c.fill_rect(3.5, 8.5, 12.5, 14.5, (245, 245, 245))
    c.fill_rect(4.5, 10.2, 11.5, 10.9, (160, 170, 190))
    c.fill_rect(4.5, 12.2, 11.5, 12.9, (160, 170, 190))
    for g, col in ((1.0, (10, 60, 20)), (0, (50, 190, 70))):   # check mark
        c.line(8.6, 11.6, 10.8, 13.8, col, 2.2 + 2 * g)
        c.line(10.8, 13.8, 15.0, 8.6, col, 2.2 + 2 * g)
    return c


# --- tab images (16x16, crisp, magenta key) ----------------------------------

def tab_general():
    c = Canvas(16, 16)
    c.circle(8, 8, 7.6, (25, 65, 150))
    c.circle(8, 8, 6.6, (55, 125, 220))
    c.fill_rect(7, 3, 9, 5, WHITE)
    c.fill_rect(7, 6, 9, 12, WHITE)
    c.fill_rect(6, 6, 7, 7, WHITE)
    c.fill_rect(6, 11, 10, 12, WHITE)
    return c


def tab_images():
    c = Canvas(16, 16)
    for y in range(3, 13):
        c.fill_rect(1, y, 15, y + 1, (120 + 9 * y, 180 + 5 * y, 250))
    c.circle(12, 6, 1.6, (255, 215, 40))
    c.poly([(1, 13), (5.5, 6.5), (10, 13)], (110, 130, 120))
    c.poly([(4.3, 8.2), (5.5, 6.5), (6.7, 8.2)], WHITE)
    c.ellipse(12, 14.5, 6.5, 4, (60, 160, 60))
    c.fill_rect(0, 14, 16, 16, None)
    c.rect(0, 2, 16, 14, (60, 60, 70))
    return c


def tab_buttons():
    c = Canvas(16, 16)
    c.fill_rect(1, 3, 15, 14, (215, 212, 205))
    c.fill_rect(1, 3, 14, 4, WHITE)
    c.fill_rect(1, 3, 2, 13, WHITE)
    c.fill_rect(2, 12, 15, 13, (130, 130, 130))
    c.fill_rect(14, 4, 15, 13, (130, 130, 130))
    c.rect(0, 2, 16, 14, (40, 40, 40))
    c.poly([(5.5, 4), (5.5, 12), (11.5, 8)], (30, 140, 50))
    return c


def tab_colors():
    c = Canvas(16, 16)
    for x, y, col in ((1, 1, (225, 40, 40)), (9, 1, (250, 205, 30)),
                      (1, 9, (40, 170, 70)), (9, 9, (45, 90, 225))):
        c.fill_rect(x, y, x + 6, y + 6, col)
        c.rect(x - 1, y - 1, x + 7, y + 7, (40, 40, 40))
    return c


def tab_menu():
    c = Canvas(16, 16)
    c.fill_rect(0, 0, 16, 4, (225, 225, 225))
    c.fill_rect(0, 4, 16, 5, (150, 150, 150))
    c.fill_rect(0, 0, 6, 4, (50, 110, 210))
    c.fill_rect(1, 2, 5, 3, WHITE)
    c.fill_rect(8, 2, 12, 3, (60, 60, 60))
    c.fill_rect(2, 6, 13, 16, (120, 120, 120))      # drop shadow
    c.fill_rect(1, 5, 12, 15, WHITE)
    c.rect(1, 4, 12, 15, (60, 60, 60))
    c.fill_rect(2, 8, 11, 11, (50, 110, 210))
    c.fill_rect(3, 6, 9, 7, (80, 80, 80))
    c.fill_rect(3, 9, 10, 10, WHITE)
    c.fill_rect(3, 12, 8, 13, (80, 80, 80))
    return c


# --- splash background (500x310) ---------------------------------------------

def splash():
    W, H = 500, 310
    c = Canvas(W, H)
    ang = math.radians(12)                    # film strip leans a little
    ca, sa = math.cos(ang), math.sin(ang)
    bands = ((250, 0.0, (90, 200, 255)), (268, 1.7, (230, 120, 255)), (286, 3.1, (150, 150, 255)))
    bokeh = ((150, 250, 26), (205, 212, 14), (120, 200, 10), (245, 275, 18), (175, 150, 8))
    for y in range(H):
        for x in range(W):
            t = 0.55 * x / W + 0.45 * y / H
            r, g, b = 10 + 60 * t, 16 + 12 * t, 52 + 56 * t
            glow = math.exp(-((x - 360) ** 2 + (y - 120) ** 2) / 36000.0) * 0.25
            r, g, b = r + 30 * glow, g + 30 * glow, b + 50 * glow
            fade = max(0.0, 1.0 - x / 420.0)
            for y0, ph, col in bands:         # soft light ribbons, strongest at left
                yc = y0 - 40 * fade + 12 * math.sin(x / 70.0 + ph)
                f = math.exp(-((y - yc) / 5.5) ** 2) * 0.55 * fade ** 0.8
                r, g, b = r + col[0] * f, g + col[1] * f, b + col[2] * f
            for bx, by, br in bokeh:
                d = math.hypot(x - bx, y - by) / br
                if d < 1.0:
                    f = 0.10 * (1 - d ** 6)
                    r, g, b = r + 200 * f, g + 180 * f, b + 255 * f
            u = (x - 58) * ca + (y - 155) * sa        # across the strip
            v = -(x - 58) * sa + (y - 155) * ca + 2000  # along it
            if abs(u) < 34:
                m, fr = v % 20.0, v % 62.0
                if 25 <= abs(u) <= 30 and 6 <= m <= 14:
                    r, g, b = 190, 185, 215              # sprocket hole
                elif abs(u) < 21 and 4 <= fr <= 58:
                    n = int(v // 62)                    # frame picture
                    hue = (n * 0.37) % 1.0
                    s = 0.5 + 0.5 * math.sin(fr / 9.0 + u / 7.0 + n)
                    base = [0.5 + 0.5 * math.cos(2 * math.pi * (hue + o)) for o in (0, 0.33, 0.66)]
                    r, g, b = [40 + 120 * q * (0.6 + 0.4 * s) for q in base]
                else:
                    r, g, b = r * 0.15 + 14, g * 0.15 + 12, b * 0.15 + 18
            c.p[y * W + x] = (min(255, r), min(255, g), min(255, b), 1.0)
    return c


# --- open-dialog banners: a film strip on the splash's night blue -------------

def film_frame_colour(n, s):
    hue = (n * 0.29 + 0.55) % 1.0
    base = [0.5 + 0.5 * math.cos(2 * math.pi * (hue + o)) for o in (0, 0.33, 0.66)]
    return [40 + 150 * q * (0.55 + 0.45 * s) for q in base]


def film_pixel(u, v, half, r, g, b):
    """A strip of half-width `half` across u, running along v: sprocket rows
    near both edges, frames with soft colour swirls between them."""
    if abs(u) >= half:
        return r, g, b
    rim = half - abs(u)
    m, fr = v % 16.0, v % 52.0
    if 3 <= rim <= 8 and 5 <= m <= 11:
        return 200, 196, 225                      # sprocket hole
    if rim > 11 and 4 <= fr <= 48:
        n = int(v // 52)
        s = 0.5 + 0.5 * math.sin(fr / 7.0 + u / 6.0 + n * 1.3)
        return tuple(film_frame_colour(n, s))
    return r * 0.12 + 14, g * 0.12 + 12, b * 0.12 + 20


def night(x, y, W, H, gx, gy):
    t = 0.6 * x / W + 0.4 * y / H
    r, g, b = 12 + 50 * t, 18 + 14 * t, 56 + 50 * t
    glow = math.exp(-((x - gx) ** 2 + (y - gy) ** 2) / 9000.0) * 0.35
    return r + 40 * glow, g + 36 * glow, b + 70 * glow


def banner_skin():
    """400x80, above the skin open dialog: the strip runs across, gently waving."""
    W, H = 400, 80
    c = Canvas(W, H)
    for y in range(H):
        for x in range(W):
            r, g, b = night(x, y, W, H, 320, 20)
            f = math.exp(-((y - 40 - 14 * math.sin(x / 45.0 + 1.0)) / 4.0) ** 2) * 0.5
            r, g, b = r + 120 * f, g + 70 * f, b + 200 * f     # light ribbon behind
            yc = 40 + 6 * math.sin(x / 90.0)
            r, g, b = film_pixel(y - yc, x + 7, 27, r, g, b)
            c.p[y * W + x] = (min(255, r), min(255, g), min(255, b), 1.0)
    return c


def banner_side():
    """90x260, beside the dialog's controls: the strip runs down, leaning a little."""
    W, H = 90, 260
    c = Canvas(W, H)
    ang = math.radians(-6)
    ca, sa = math.cos(ang), math.sin(ang)
    for y in range(H):
        for x in range(W):
            r, g, b = night(y, x, H, W, 40, 70)
            u = (x - 45) * ca + (y - 130) * sa
            v = -(x - 45) * sa + (y - 130) * ca + 1000
            r, g, b = film_pixel(u, v, 30, r, g, b)
            c.p[y * W + x] = (min(255, r), min(255, g), min(255, b), 1.0)
    return c


# --- folder dialog picture (330x78): a skin folder and the tree it sits in ------

def capture_banner():
    W, H = 330, 78
    c = Canvas(W, H, ss=3)
    for y in range(H):                        # dusk teal to night blue, a glow behind the folder
        for x in range(W):
            t = x / W
            glow = math.exp(-((x - 55) ** 2 + (y - 40) ** 2) / 2600.0) * 0.45
            r, g, b = 24 + 10 * t + 90 * glow, 70 - 40 * t + 70 * glow, 96 - 30 * t + 60 * glow
            for j in range(3):
                for i in range(3):
                    c.p[(y * 3 + j) * c.W + x * 3 + i] = (r, g, b, 1.0)
    for bx, by, br in ((250, 18, 9), (300, 56, 13), (205, 60, 6), (318, 14, 5)):
        c.circle(bx, by, br, (150, 190, 255, 0.13))
    # The big folder: back sheet with its tab, a card of swatches, the front flap.
    back, front, rim = (220, 150, 40), (250, 196, 70), (110, 64, 10)
    outlined(c, [('poly', [(16, 20), (40, 20), (46, 26), (92, 26), (92, 66), (16, 66)], back)], 1.2, rim)
    c.fill_rect(26, 14, 82, 52, (245, 245, 250))
    c.rect(26, 14, 82, 52, (90, 90, 110))
    for i, col in enumerate(((230, 60, 60), (250, 200, 40), (60, 180, 90), (60, 110, 230))):
        c.fill_rect(30 + 13 * i, 18, 40 + 13 * i, 28, col)
    c.fill_rect(30, 32, 78, 34, (120, 120, 140))
    c.fill_rect(30, 37, 66, 39, (160, 160, 175))
    outlined(c, [('poly', [(12, 36), (88, 36), (96, 66), (20, 66)], front)], 1.2, rim)
    c.line(24, 44, 84, 44, (255, 225, 140), 1.2)
    # The tree: a trunk from the big folder's edge, branches to three small folders.
    ink = (200, 225, 240)
    c.line(112, 16, 112, 62, ink, 1.6)
    for k, y in enumerate((18, 40, 62)):
        x0 = 112 + 26 * (k % 2)
        if k % 2:
            c.line(112, 30, 138, 30, ink, 1.6)
            c.line(138, 30, 138, y, ink, 1.6)
        c.line(x0, y, x0 + 14, y, ink, 1.6)
        fx, fy = x0 + 16, y - 8
        col = (250, 196, 70) if k != 1 else (120, 220, 140)
        outlined(c, [('poly', [(fx, fy), (fx + 8, fy), (fx + 10, fy + 3), (fx + 24, fy + 3),
                               (fx + 24, fy + 16), (fx, fy + 16)], col)], 0.9, (70, 50, 20))
        for n in range(3 + k):               # dotted name beside each folder
            c.fill_rect(fx + 30 + 9 * n, y - 2, fx + 36 + 9 * n, y + 1, (190, 210, 230))
    return c


# --- toolbar bitmaps (16x16, 256 colours, magenta key) -----------------------

def bmp8(rows, key=MAGENTA):
    """8-bit palette BMP with all 256 entries; transparent pixels become the key colour."""
    pal, data = [key], bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            col = key if a < 128 else (r, g, b)
            if col not in pal:
                pal.append(col)
            data.append(pal.index(col))
        data += b'\0' * ((4 - len(row) % 4) % 4)
    assert len(pal) <= 256
    pal += [(0, 0, 0)] * (256 - len(pal))
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in pal)
    h, w = len(rows), len(rows[0])
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    off = 14 + 40 + len(table)
    return struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off) + info + table + bytes(data)


TB_INK = (40, 40, 48)


def tb_page(c, x0=3, y0=1, x1=13, y1=15, fold=4):
    c.fill_rect(x0, y0, x1, y1, TB_INK)
    c.fill_rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, WHITE)
    for i in range(fold):                       # dog-eared corner
        c.fill_rect(x1 - fold + i, y0, x1, y0 + i + 1, None)
        c.pixel(x1 - fold + i, y0 + i, TB_INK)
    c.fill_rect(x1 - fold, y0 + fold - 1, x1, y0 + fold, TB_INK)
    c.fill_rect(x1 - fold, y0 + 1, x1 - fold + 1, y0 + fold, TB_INK)
    for i in range(1, fold - 1):
        c.fill_rect(x1 - fold + 1, y0 + i + 1, x1 - fold + 1 + i, y0 + i + 2, (200, 200, 210))


def tb_magnifier(c, cx=10.5, cy=9.5, r=3.2):
    c.line(cx + 2.0, cy + 2.0, 15.0, 15.0, (110, 70, 30), 2.2)
    c.circle(cx, cy, r + 0.9, TB_INK)
    c.circle(cx, cy, r - 0.2, (170, 215, 250))
    c.pixel(int(cx) - 1, int(cy) - 1, WHITE)


def tb_new():
    c = Canvas(16, 16)
    tb_page(c)
    return c


def tb_open():
    c = Canvas(16, 16)
    dark, light = (200, 150, 20), (255, 215, 70)
    c.poly([(0.5, 3.5), (5.5, 3.5), (6.5, 4.5), (12.5, 4.5), (12.5, 13.5), (0.5, 13.5)], TB_INK)
    c.fill_rect(1, 5, 12, 13, dark)
    c.fill_rect(1, 4, 5, 5, dark)
    c.poly([(3.0, 7.0), (15.8, 7.0), (12.8, 14.0), (0.2, 14.0)], TB_INK)
    c.poly([(3.7, 8.0), (14.4, 8.0), (12.1, 13.0), (1.6, 13.0)], light)
    return c


def tb_save():
    c = Canvas(16, 16)
    c.fill_rect(1, 1, 15, 15, TB_INK)
    c.fill_rect(2, 2, 14, 14, (40, 80, 170))
    c.fill_rect(4, 1, 12, 6, (190, 195, 205))    # metal shutter
    c.fill_rect(9, 2, 11, 5, (40, 80, 170))
    c.fill_rect(4, 8, 12, 14, WHITE)             # label
    c.fill_rect(5, 10, 11, 11, (150, 150, 160))
    c.fill_rect(5, 12, 10, 13, (150, 150, 160))
    c.pixel(15, 1, None)
    return c


def tb_preview():
    c = Canvas(16, 16)
    c.fill_rect(0, 1, 13, 12, TB_INK)
    c.fill_rect(1, 2, 12, 4, (30, 90, 200))      # title bar
    c.fill_rect(9, 2, 11, 3, WHITE)
    c.fill_rect(1, 4, 12, 11, WHITE)
    c.fill_rect(2, 5, 6, 10, (200, 215, 235))
    tb_magnifier(c)
    return c


def tb_input():
    c = Canvas(16, 16)
    c.fill_rect(0, 0, 14, 13, TB_INK)
    c.fill_rect(1, 1, 13, 3, (30, 90, 200))
    c.fill_rect(1, 3, 13, 12, (212, 208, 200))
    for y, w in ((5, 9), (7, 6), (9, 7)):        # text lines
        c.fill_rect(2, y, 2 + w, y + 1, (70, 70, 80))
    tb_magnifier(c, 11, 10.5, 3.0)
    return c


def tb_whatthis():
    c = Canvas(16, 16)
    c.circle(8, 8, 7.6, (20, 50, 130))
    c.circle(8, 8, 6.6, (50, 110, 225))
    c.circle(7, 6.5, 3.5, (90, 150, 240))
    q = [" #### ", "##  ##", "    ##", "   ## ", "  ##  ", "  ##  ", "      ", "  ##  "]
    for j, row in enumerate(q):
        for i, ch in enumerate(row):
            if ch == '#':
                c.pixel(5 + i, 4 + j, WHITE)
    return c


def tb_update():
    c = Canvas(16, 16)
    tb_page(c, 1, 0, 12, 15, 4)
    green, dark = (40, 170, 60), (10, 90, 25)
    cx, cy, r = 9.0, 9.5, 4.0

    def arc(a0, a1, col, w):
        n = 10
        for t in range(n):
            u0 = math.radians(a0 + (a1 - a0) * t / n)
            u1 = math.radians(a0 + (a1 - a0) * (t + 1) / n)
            c.line(cx + r * math.cos(u0), cy + r * math.sin(u0),
                   cx + r * math.cos(u1), cy + r * math.sin(u1), col, w)
    for a0, a1 in ((195, 315), (15, 135)):
        arc(a0, a1, dark, 2.4)
        arc(a0, a1, green, 1.2)
    for a in (315, 135):                          # arrow heads, pointing clockwise
        u = math.radians(a)
        px, py = cx + r * math.cos(u), cy + r * math.sin(u)
        tx, ty = -math.sin(u), math.cos(u)
        nx, ny = math.cos(u), math.sin(u)
        c.poly([(px + 2.7 * nx, py + 2.7 * ny), (px - 2.7 * nx, py - 2.7 * ny),
                (px + 3.2 * tx, py + 3.2 * ty)], dark)
        c.poly([(px + 1.7 * nx - 0.3 * tx, py + 1.7 * ny - 0.3 * ty),
                (px - 1.7 * nx - 0.3 * tx, py - 1.7 * ny - 0.3 * ty),
                (px + 1.9 * tx, py + 1.9 * ty)], green)
    return c


def toolbar_bitmaps(preview=None):
    for name, fn in (('new', tb_new), ('open', tb_open), ('save', tb_save), ('preview', tb_preview),
                     ('input', tb_input), ('whatthis', tb_whatthis), ('update', tb_update)):
        rows = fn().pixels()
        with open(os.path.join(HERE, 'tb_%s.bmp' % name), 'wb') as f:
            f.write(bmp8(rows))
        if preview:
            png_preview(os.path.join(preview, 'tb_%s.png' % name), rows, 8)



# --- main-window preview: the unskinned host window and the panel templates ----
# Plain pixel rasters: every colour is exact, as the preview's recolouring needs.

class Raster:
    def __init__(self, w, h, col):
        self.w, self.h = w, h
        self.rows = [[col] * w for _ in range(h)]

    def put(self, x, y, col):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.rows[y][x] = col

    def fill(self, x0, y0, x1, y1, col):  # x1, y1 exclusive
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.rows[y][x] = col

    def edge(self, x0, y0, x1, y1, light, dark):
        """Top and left in `light`, bottom and right in `dark` (x1, y1 exclusive)."""
        self.fill(x0, y0, x1, y0 + 1, light)
        self.fill(x0, y0, x0 + 1, y1, light)
        self.fill(x0, y1 - 1, x1, y1, dark)
        self.fill(x1 - 1, y0, x1, y1, dark)

    def text(self, x, y, s, col):
        for ch in s:
            glyph = FONT5X7.get(ch)
            if glyph:
                for j, line in enumerate(glyph):
                    for i, bit in enumerate(line):
                        if bit == '#':
                            self.put(x + i, y + j, col)
            x += (len(glyph[0]) if glyph else 3) + 1
        return x

    def pixels(self):
        return [[c + (255,) for c in row] for row in self.rows]


FONT5X7 = {k: v.split() for k, v in {
    'A': '.###. #...# #...# ##### #...# #...# #...#',
    'C': '.###. #...# #.... #.... #.... #...# .###.',
    'F': '##### #.... #.... ####. #.... #.... #....',
    'I': '### .#. .#. .#. .#. .#. ###',
    'M': '#...# ##.## #.#.# #.#.# #...# #...# #...#',
    'O': '.###. #...# #...# #...# #...# #...# .###.',
    'R': '####. #...# #...# ####. #.#.. #..#. #...#',
    'S': '.#### #.... #.... .###. ....# ....# ####.',
    'T': '##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#..',
    'V': '#...# #...# #...# #...# #...# .#.#. ..#..',
    'a': '.... .... .##. ...# .### #..# .###',
    'b': '#... #... ###. #..# #..# #..# ###.',
    'd': '...# ...# .### #..# #..# #..# .###',
    'e': '.... .... .##. #..# #### #... .###',
    'g': '.... .### #..# #..# .### ...# .##.',
    'i': '# . # # # # #',
    'l': '# # # # # # #',
    'm': '..... ..... ####. #.#.# #.#.# #.#.# #.#.#',
    'n': '.... .... ###. #..# #..# #..# #..#',
    'o': '.... .... .##. #..# #..# #..# .##.',
    'p': '.... ###. #..# #..# ###. #... #...',
    'r': '... ... #.# ##. #.. #.. #..',
    's': '.... .... .### #... .##. ...# ###.',
    't': '.#. .#. ### .#. .#. .#. ..#',
    'u': '.... .... #..# #..# #..# #..# .###',
    'v': '..... ..... #...# #...# #...# .#.#. ..#..',
    'y': '.... #..# #..# #..# .### ...# .##.',
    '0': '.###. #...# #..## #.#.# ##..# #...# .###.',
    '1': '..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###.',
    ':': '. # . . . # .',
    '.': '. . . . . . #',
    '\\': '#.... #.... .#... ..#.. ...#. ....# ....#',
}.items()}

HOST_FACE, HOST_SHADOW, HOST_DARK, HOST_HILITE = (212, 208, 200), (128, 128, 128), (64, 64, 64), (255, 255, 255)
BUTTON_LEFTS = (7, 42, 76, 111, 146, 187, 222, 257, 291, 326, 361, 402)  # 105 ... 6030 twips


def host_sunken(r, x0, y0, x1, y1):
    r.edge(x0, y0, x1, y1, HOST_SHADOW, HOST_HILITE)
    r.edge(x0 + 1, y0 + 1, x1 - 1, y1 - 1, HOST_DARK, HOST_FACE)


def host_raised(r, x0, y0, x1, y1):
    r.edge(x0, y0, x1, y1, HOST_HILITE, HOST_DARK)
    r.edge(x0 + 1, y0 + 1, x1 - 1, y1 - 1, HOST_FACE, HOST_SHADOW)


def etched_group(r, x0, y0, x1, y1, caption, cx, cy):
    r.edge(x0, y0, x1, y1, HOST_SHADOW, HOST_HILITE)
    r.edge(x0 + 1, y0 + 1, x1 - 1, y1 - 1, HOST_HILITE, HOST_SHADOW)
    end = r.text(cx + 4, cy + 3, caption, (0, 0, 0))
    r.fill(cx, y0, cx + 3, y0 + 2, HOST_FACE)
    r.fill(end, y0, end + 3, y0 + 2, HOST_FACE)
    for x in range(cx + 3, end):
        if r.rows[y0][x] != (0, 0, 0):
            r.rows[y0][x] = r.rows[y0 + 1][x] = HOST_FACE


def host_window():
    """519 x 580: the host's main window without a skin, boxes where the preview lays them."""
    r = Raster(519, 580, HOST_FACE)
    # Title bar with the menu names; "Settings" pressed, its menu open below.
    r.fill(4, 2, 518, 23, HOST_FACE)
    r.edge(1, 1, 519, 24, HOST_HILITE, HOST_SHADOW)
    r.text(13, 9, 'File', (0, 0, 0))
    r.edge(35, 3, 80, 22, HOST_SHADOW, HOST_HILITE)
    r.text(40, 9, 'Settings', (0, 0, 0))
    r.text(89, 9, 'Tools', (0, 0, 0))
    # Progress and status.
    host_sunken(r, 6, 27, 513, 37)
    r.fill(8, 29, 511, 35, HOST_HILITE)
    for i in range(13):
        r.fill(8 + 8 * i, 29, 14 + 8 * i, 35, (10, 36, 106))
    host_sunken(r, 6, 41, 513, 55)
    r.text(10, 44, 'Ready', (0, 0, 0))
    # Input group with its three boxes.
    etched_group(r, 7, 64, 513, 95, 'Input', 13, 58)
    for label, lx, (bx, bw) in (('Audio', 17, (50, 129)), ('Video', 186, (218, 125)),
                                ('Subtitle', 350, (390, 118))):
        r.text(lx, 78, label, (0, 0, 0))
        r.fill(bx, 74, bx + bw, 89, HOST_HILITE)
        host_sunken(r, bx, 74, bx + bw, 89)
    # The video picture: a dark screen with a film frame in the middle.
    host_sunken(r, 6, 101, 513, 476)
    r.fill(8, 103, 511, 474, (16, 18, 24))
    r.fill(219, 249, 301, 329, (60, 64, 76))
    for y in (253, 317):
        for x in range(223, 297, 10):
            r.fill(x, y, x + 6, y + 8, (16, 18, 24))
    r.fill(223, 265, 297, 313, (90, 120, 160))
    # Twelve buttons in a row, each with a small mark.
    for n, left in enumerate(BUTTON_LEFTS):
        r.fill(left, 482, left + 34, 511, HOST_FACE)
        host_raised(r, left, 482, left + 34, 511)
        cx, cy = left + 17, 496
        if n < 5:
            for k in range(7):
                h = 6 - k if n != 0 else k
                r.fill(cx - 3 + k, cy - h // 2 - 1, cx - 2 + k, cy + h // 2 + 1, (0, 0, 0))
        else:
            r.fill(cx - 6, cy - 5, cx + 6, cy + 5, (0, 0, 0))
            r.fill(cx - 5, cy - 4, cx + 5, cy + 4, (230, 190, 80) if n < 11 else (200, 40, 40))
    # Slider and time.
    host_sunken(r, 6, 514, 369, 539)
    r.edge(14, 524, 361, 528, HOST_SHADOW, HOST_HILITE)
    for x in range(14, 362, 23):
        r.fill(x, 532, x + 1, 536, (0, 0, 0))
    r.fill(30, 517, 40, 536, HOST_FACE)
    host_raised(r, 30, 517, 40, 536)
    host_sunken(r, 372, 514, 511, 539)
    r.fill(374, 516, 509, 537, (0, 0, 0))
    r.text(408, 523, '00:00:00', (80, 240, 120))
    # Output group with its box.
    etched_group(r, 7, 544, 513, 575, 'Output', 13, 538)
    r.fill(12, 552, 507, 569, HOST_HILITE)
    host_sunken(r, 12, 552, 507, 569)
    r.text(16, 557, 'C:\\Video\\movie.mpg', (0, 0, 0))
    return r


def tmp_progress():
    # A groove in greys; no pure black, so the skin's colour never takes it.
    r = Raster(507, 10, MAGENTA)
    r.edge(0, 0, 507, 10, (115, 115, 115), (247, 247, 247))
    r.edge(1, 1, 506, 9, (16, 16, 16), (156, 156, 156))
    r.fill(2, 8, 505, 9, (132, 132, 132))
    return r


def tmp_status():
    r = Raster(507, 14, MAGENTA)
    r.text(4, 4, 'Ready', (0, 0, 0))
    r.fill(380, 2, 381, 12, (128, 128, 128))
    r.fill(381, 2, 382, 12, (192, 192, 192))
    r.text(388, 4, 'Frame 0', (0, 0, 0))
    return r


def tmp_slider():
    r = Raster(363, 25, MAGENTA)
    r.fill(8, 11, 355, 12, (255, 0, 0))         # groove: the skin's dark colour ...
    r.fill(8, 12, 355, 13, (0, 0, 0))           # ... its text colour ...
    r.fill(8, 13, 355, 14, (255, 255, 255))     # ... and a white lip
    for x in range(8, 356, 23):
        r.fill(x, 18, x + 1, 22, (0, 0, 0))
    r.edge(28, 4, 40, 21, (255, 255, 255), (0, 0, 0))
    r.fill(29, 5, 39, 20, (255, 0, 0))
    return r


def tmp_numbers():
    """Seven-segment 00:00:00: lit segments black (the skin's colour), unlit grey."""
    r = Raster(139, 24, MAGENTA)
    lit, dim = (0, 0, 0), (132, 132, 132)
    segs = {'a': (1, 0, 8, 2), 'b': (8, 1, 10, 9), 'c': (8, 10, 10, 18), 'd': (1, 17, 8, 19),
            'e': (-1, 10, 1, 18), 'f': (-1, 1, 1, 9), 'g': (1, 8, 8, 10)}
    x = 18
    for ch in '00:00:00':
        if ch == ':':
            r.fill(x, 8, x + 2, 10, lit)
            r.fill(x, 15, x + 2, 17, lit)
            x += 6
            continue
        for name, (x0, y0, x1, y1) in segs.items():
            r.fill(x + 1 + x0, 3 + y0, x + 1 + x1, 3 + y1, dim if name == 'g' else lit)
        x += 15
    return r


def tmp_output():
    r = Raster(495, 17, MAGENTA)
    r.text(4, 5, 'C:\\Video\\movie.mpg', (0, 0, 0))
    r.fill(470, 2, 471, 15, (128, 128, 128))
    r.fill(471, 2, 472, 15, (192, 192, 192))
    for x in (477, 481, 485):
        r.fill(x, 10, x + 2, 12, (0, 0, 0))
    return r


def preview_pictures():
    return {'vexo_main.bmp': host_window(), 'tmp_progress.bmp': tmp_progress(),
            'tmp_status.bmp': tmp_status(), 'tmp_slider.bmp': tmp_slider(),
            'tmp_numbers.bmp': tmp_numbers(), 'tmp_output.bmp': tmp_output()}

# --- the Input Settings preview: a plain dialog (432x335) and its icons --------
# The dialog's controls sit where the preview draws its skinned ones, so a skin
# without a background shows them under its own drawing.

FACE = (212, 208, 200)
SHADOW = (128, 128, 128)
DARK = (64, 64, 64)
FIELD = WHITE


def sunken(c, x0, y0, x1, y1):
    c.fill_rect(x0, y0, x1, y0 + 1, SHADOW); c.fill_rect(x0, y0, x0 + 1, y1, SHADOW)
    c.fill_rect(x0 + 1, y0 + 1, x1 - 1, y0 + 2, DARK); c.fill_rect(x0 + 1, y0 + 1, x0 + 2, y1 - 1, DARK)
    c.fill_rect(x0, y1 - 1, x1, y1, WHITE); c.fill_rect(x1 - 1, y0, x1, y1, WHITE)


def raised(c, x0, y0, x1, y1):
    c.fill_rect(x0, y0, x1, y1, FACE)
    c.fill_rect(x0, y0, x1, y0 + 1, WHITE); c.fill_rect(x0, y0, x0 + 1, y1, WHITE)
    c.fill_rect(x0, y1 - 1, x1, y1, DARK); c.fill_rect(x1 - 1, y0, x1, y1, DARK)
    c.fill_rect(x0 + 1, y1 - 2, x1 - 1, y1 - 1, SHADOW); c.fill_rect(x1 - 2, y0 + 1, x1 - 1, y1 - 1, SHADOW)


def input_dialog():
    W, H = 432, 335
    c = Canvas(W, H, bg=FACE)
    c.rect(0, 0, W, H, WHITE)
    c.fill_rect(W - 1, 0, W, H, DARK); c.fill_rect(0, H - 1, W, H, DARK)
    for x in range(3, 429):                          # title bar, dark to light blue
        t = (x - 3) / 425.0
        c.fill_rect(x, 5, x + 1, 26, (round(10 + 156 * t), round(36 + 166 * t), round(106 + 134 * t)))
    raised(c, 409, 8, 425, 22)
    c.line(413.5, 11.5, 420.5, 18.5, INK, 1.4); c.line(420.5, 11.5, 413.5, 18.5, INK, 1.4)
    for x, y, w, h in ((10, 34, 281, 34), (297, 34, 128, 69), (10, 78, 120, 86), (136, 78, 155, 86),
                       (297, 110, 128, 74), (10, 170, 281, 51), (297, 192, 128, 64),
                       (10, 229, 281, 72), (297, 265, 128, 36)):   # etched group boxes
        c.rect(x + 1, y + 1, x + w, y + h, WHITE)
        c.rect(x, y, x + w - 1, y + h - 1, SHADOW)
        c.fill_rect(x + 8, y - 1, x + 14, y + 3, FACE)   # the gap left for the caption
    for x, y, w in ((47, 42, 132), (222, 42, 60), (141, 101, 147), (302, 120, 117), (14, 135, 108),
                    (141, 138, 102), (15, 180, 130), (356, 229, 64), (42, 237, 106), (302, 275, 118)):
        c.fill_rect(x, y, x + w, y + 21, FIELD)         # combo boxes
        sunken(c, x, y, x + w, y + 21)
        raised(c, x + w - 18, y + 2, x + w - 2, y + 19)
        c.poly([(x + w - 14, y + 9), (x + w - 7, y + 9), (x + w - 10.5, y + 12.5)], INK)
    for x, y, w in ((366, 57, 52), (366, 80, 52), (245, 138, 42), (236, 185, 52), (357, 203, 64),
                    (249, 239, 38)):
        c.fill_rect(x, y, x + w, y + 19, FIELD)         # edit boxes
        sunken(c, x, y, x + w, y + 19)
    for x, y in ((306, 46), (19, 90), (19, 106), (192, 85), (306, 148), (306, 166), (19, 205),
                 (22, 266), (22, 284)):
        c.fill_rect(x + 1, y + 1, x + 14, y + 14, FIELD)  # check boxes
        sunken(c, x + 1, y + 1, x + 14, y + 14)
    for x, w in ((6, 76), (84, 76), (162, 106), (350, 76)):
        raised(c, x, 306, x + w, 329)                    # push buttons
    c.rect(6, 306, 82, 329, INK)                         # the default one
    return c


def dialog_close_icon():
    c = Canvas(16, 16, ss=4)
    c.fill_rect(0, 0, 16, 16, (200, 60, 45))
    c.rect(0, 0, 16, 16, (120, 25, 20))
    c.fill_rect(1, 1, 15, 2, (235, 140, 120))
    c.line(4.5, 4.5, 11.5, 11.5, WHITE, 2.0)
    c.line(11.5, 4.5, 4.5, 11.5, WHITE, 2.0)
    return c


def dialog_icons():
    disc = Canvas(16, 16, ss=8)                 # DeCSS: a disc
    outlined(disc, [('ell', 8, 8, 7, 7, (200, 205, 225))], 0.8)
    disc.ellipse(8, 8, 5.5, 5.5, (150, 190, 240))
    disc.ellipse(8, 8, 2.2, 2.2, (235, 235, 240))
    disc.ellipse(8, 8, 1.0, 1.0, None)
    sun = Canvas(16, 16, ss=8)                  # luminance: a sun
    for a in range(8):
        r = math.radians(45 * a)
        sun.line(8 + 4 * math.cos(r), 8 + 4 * math.sin(r), 8 + 7 * math.cos(r), 8 + 7 * math.sin(r),
                 (230, 150, 20), 1.4)
    outlined(sun, [('ell', 8, 8, 3.6, 3.6, (255, 210, 50))], 0.8, (170, 100, 10))
    film = Canvas(16, 16, ss=4)                 # frame rate: a film strip
    film.fill_rect(3, 0, 13, 16, (45, 45, 50))
    for y in range(1, 16, 3):
        film.fill_rect(4, y, 5, y + 1.5, WHITE); film.fill_rect(11, y, 12, y + 1.5, WHITE)
    film.fill_rect(6, 2, 10, 7, (120, 180, 230)); film.fill_rect(6, 9, 10, 14, (240, 190, 90))
    bubble = Canvas(16, 16, ss=8)               # subtitles: a speech bubble
    outlined(bubble, [('ell', 8, 7, 7, 5.2, WHITE), ('poly', [(4, 10), (3, 15), (8, 11)], WHITE)], 0.9)
    for x in (5, 8, 11):
        bubble.circle(x, 7, 0.9, INK)
    gear = Canvas(16, 16, ss=8)                 # misc: a gear
    teeth = [('cap', 8 + 5.2 * math.cos(math.radians(45 * a)), 8 + 5.2 * math.sin(math.radians(45 * a)),
              8 + 6.4 * math.cos(math.radians(45 * a)), 8 + 6.4 * math.sin(math.radians(45 * a)), 2.2,
              (150, 155, 165)) for a in range(8)]
    outlined(gear, teeth + [('ell', 8, 8, 5.2, 5.2, (150, 155, 165))], 0.8)
    gear.ellipse(8, 8, 2.0, 2.0, None)
    return [disc, sun, film, bubble, gear]


def main():
    preview = sys.argv[sys.argv.index('--preview') + 1] if '--preview' in sys.argv else None
    files = {}
    files['app.ico'] = [app_icon(32), app_icon(16)]
    for name, fn in (('eye', eye_cursor), ('hand', hand_cursor), ('mano', mano_cursor),
                     ('fill', fill_cursor), ('contagocce', dropper_cursor)):
        cv, hot = fn()
        files[name + '.cur'] = ([cv], hot)
    files['changed.ico'] = [changed_icon()]
    files['saved.ico'] = [saved_icon()]
    for name, fn in (('general', tab_general), ('images', tab_images), ('buttons', tab_buttons),
                     ('colors', tab_colors), ('menu', tab_menu)):
        files['tab_%s.bmp' % name] = fn()
    files['splash.bmp'] = splash()
    files['capture.bmp'] = capture_banner()
    files['banner_skin.bmp'] = banner_skin()
    files['banner_side.bmp'] = banner_side()
    files.update(preview_pictures())
    files['dlg_input.bmp'] = input_dialog()
    files['dlg_close.ico'] = [dialog_close_icon()]
    for n, cv in enumerate(dialog_icons()):
        files['dlg_icon%d.ico' % n] = [cv]
    for name, what in files.items():
        hot = None
        if isinstance(what, tuple):
            what, hot = what
        if isinstance(what, list):
            imgs = [cv.pixels() for cv in what]
            data = icon_file(imgs, hot)
        else:
            imgs = [what.pixels()]
            data = bmp24(imgs[0])
        with open(os.path.join(HERE, name), 'wb') as f:
            f.write(data)
        if preview:
            for n, rows in enumerate(imgs):
                png_preview(os.path.join(preview, '%s.%d.png' % (name, len(rows))),
                            rows, 1 if len(rows) > 64 else 8)
    toolbar_bitmaps(preview)


if __name__ == '__main__':
    main()
