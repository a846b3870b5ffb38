"""Regenerate with: python3 resources/make_sample_skin.py [--preview DIR]

Draws the "Sample" skin: a graphite look with a teal accent. Writes
sample/Skins/Sample.ini and the 25 bitmaps of sample/Skins/Sample/ next to
this script. Standard library only; the output is byte-for-byte the same on
every run. --preview also writes enlarged PNG copies into DIR.
"""
import math
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_resources import Canvas, bmp24, png_preview  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
SKINS = os.path.join(HERE, 'sample', 'Skins')
NAME = 'Sample'

# --- palette (r, g, b) ---------------------------------------------------------
BG_TOP, BG_BOTTOM = (46, 50, 55), (33, 36, 40)
PANEL_A, PANEL_B = (21, 25, 28), (26, 30, 34)      # display scanlines
FIELD = (23, 26, 30)
COMBO = (58, 63, 69)
TEAL = (52, 196, 186)
TEAL_HI = (130, 236, 226)
TEAL_DEEP = (18, 92, 96)
CORAL = (236, 104, 84)
DIGIT = (214, 248, 242)
BLACK, WHITE = (0, 0, 0), (255, 255, 255)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def solid(w, h, fn):
    """Opaque rows from a colour function of (x, y)."""
    return [[fn(x, y) + (255,) for x in range(w)] for y in range(h)]


def bg_colour(y):
    return mix(BG_TOP, BG_BOTTOM, y / 579.0)


def grain(x, y, seed):
    # Fixed hash, so the faint texture is the same on every run.
    v = (x * 73856093 ^ y * 19349663 ^ seed * 83492791) & 0xFFFFFFFF
    v = (v * 2654435761) & 0xFFFFFFFF
    return (v >> 13) % 3 - 1


def shade(col, d):
    return tuple(max(1, min(255, c + d)) for c in col)


# --- flat pictures ---------------------------------------------------------------

def background():
    # 580 rows so the preview's caption backings, sampled at (13, 58) and
    # (13, 540), come from the bitmap itself; the grain stays within one
    # level, so those flat boxes do not show against it.
    return solid(64, 580, lambda x, y: shade(bg_colour(y), grain(x, y, 1)))


def foreground():
    return solid(8, 8, lambda x, y: shade(FIELD, grain(x, y, 2)))


def controlback():
    # No pure black anywhere: the preview recolours black panel pixels.
    return solid(8, 8, lambda x, y: PANEL_A if y % 2 == 0 else PANEL_B)


def comboback():
    return solid(8, 8, lambda x, y: shade(COMBO, grain(x, y, 3)))


def combofore():
    return solid(8, 8, lambda x, y: shade(FIELD, grain(x, y, 4)))


def progressfore():
    def px(x, y):
        if x == 0 or y == 0:
            return TEAL_HI
        if x == 5 or y == 5:
            return TEAL_DEEP
        return TEAL
    return solid(6, 6, px)


def menubar():
    top, bottom = (62, 68, 74), (32, 35, 39)

    def px(x, y):
        if y == 0:
            return (86, 94, 101)
        if y == 20:
            return TEAL_DEEP
        return mix(top, bottom, (y - 1) / 18.0)
    return solid(514, 21, px)


def menufore():
    body, gutter = (44, 48, 53), (36, 39, 43)

    def px(x, y):
        if x == 0 or y == 0:
            return (92, 100, 107)
        if x == 112 or y == 94:
            return (14, 16, 18)
        if x < 20:
            return gutter
        if x == 20:
            return (54, 59, 64)
        return body
    return solid(113, 95, px)


def menuback():
    return solid(8, 18, lambda x, y: mix((28, 124, 124), TEAL_DEEP, y / 17.0)
                 if y else (60, 160, 156))


# --- drawn pictures ----------------------------------------------------------------

def rr_inside(x0, y0, x1, y1, r):
    def inside(x, y):
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return x0 <= x < x1 and y0 <= y < y1 and dx * dx + dy * dy <= r * r
    return inside


def round_rect(c, x0, y0, x1, y1, r, col):
    c.cover((x0, y0, x1, y1), rr_inside(x0, y0, x1, y1, r), col)


def v_gradient(c, x0, y0, x1, y1, r, top, bottom):
    inside = rr_inside(x0, y0, x1, y1, r)
    for y in range(int(y0), int(math.ceil(y1))):
        t = (y + 0.5 - y0) / (y1 - y0)
        c.cover((x0, y, x1, y + 1), lambda x, v, y=y: y <= v < y + 1 and inside(x, v),
                mix(top, bottom, max(0.0, min(1.0, t))))


def arc_pts(cx, cy, r, a0, a1, n=14):
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * t / n)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * t / n))) for t in range(n + 1)]


def icon_shapes(kind):
    """Glyphs centred near (17, 14.5): ('poly', pts), ('cap', x0, y0, x1, y1, w),
    ('ell', cx, cy, rx, ry), ('cut-...') for holes, ('hot', ...) in the warm accent."""
    if kind == 'previous':
        return [('poly', [(10, 9), (12.4, 9), (12.4, 20), (10, 20)]),
                ('poly', [(18.6, 9), (12.8, 14.5), (18.6, 20)]),
                ('poly', [(24.6, 9), (18.8, 14.5), (24.6, 20)])]
    if kind == 'play':
        return [('poly', [(13, 8.5), (23.5, 14.5), (13, 20.5)])]
    if kind == 'fast':
        return [('poly', [(11, 9), (19.6, 14.5), (11, 20)]),
                ('poly', [(21.2, 9), (23.6, 9), (23.6, 20), (21.2, 20)])]
    if kind == 'next':
        return [('poly', [(9.4, 9), (15.2, 14.5), (9.4, 20)]),
                ('poly', [(15.4, 9), (21.2, 14.5), (15.4, 20)]),
                ('poly', [(21.6, 9), (24, 9), (24, 20), (21.6, 20)])]
    if kind == 'jump':
        pts = arc_pts(17, 17.5, 6.5, 180, 345)
        shapes = [('cap', *pts[i], *pts[i + 1], 2.2) for i in range(len(pts) - 1)]
        return shapes + [('poly', [(19.4, 14.2), (26.6, 14.2), (23.4, 20.5)]),
                         ('ell', 10.5, 20.2, 1.6, 1.6)]
    if kind == 'dvdroot':
        return [('ell', 17, 14.5, 7, 7), ('cut-ell', 17, 14.5, 2.0, 2.0),
                ('cut-cap', 12.6, 11.2, 14.4, 9.8, 0.9)]
    if kind == 'ifo':
        return [('poly', [(11.5, 7.5), (19.5, 7.5), (23, 11), (23, 21.5), (11.5, 21.5)]),
                ('cut-poly', [(19, 7.5), (23, 11.5), (19, 11.5)]),
                ('cut-cap', 14, 14, 20.5, 14, 1.1), ('cut-cap', 14, 16.6, 20.5, 16.6, 1.1),
                ('cut-cap', 14, 19.2, 18.5, 19.2, 1.1)]
    if kind == 'ompeg':
        shapes = [('poly', [(9.5, 8.5), (24.5, 8.5), (24.5, 20.5), (9.5, 20.5)]),
                  ('cut-poly', [(12.8, 10.5), (21.2, 10.5), (21.2, 18.5), (12.8, 18.5)])]
        for y in (9.6, 13.6, 17.6):
            shapes.append(('cut-poly', [(10.5, y), (11.8, y), (11.8, y + 1.6), (10.5, y + 1.6)]))
            shapes.append(('cut-poly', [(22.2, y), (23.5, y), (23.5, y + 1.6), (22.2, y + 1.6)]))
        return shapes
    if kind in ('inset', 'outset'):
        tray = [('cap', 10, 16.5, 10, 21, 2), ('cap', 10, 21, 24, 21, 2),
                ('cap', 24, 21, 24, 16.5, 2)]
        if kind == 'inset':
            return tray + [('cap', 17, 7.5, 17, 13, 2.4),
                           ('poly', [(12.6, 12), (21.4, 12), (17, 17.6)])]
        return tray + [('cap', 17, 18.5, 17, 12.5, 2.4),
                       ('poly', [(12.6, 13), (21.4, 13), (17, 7.4)])]
    if kind == 'file':
        return [('poly', [(10, 8), (21.5, 8), (24, 10.5), (24, 21), (10, 21)]),
                ('cut-poly', [(13, 8), (20, 8), (20, 12.4), (13, 12.4)]),
                ('poly', [(17.6, 9), (19, 9), (19, 11.4), (17.6, 11.4)]),
                ('cut-poly', [(12.6, 15), (21.4, 15), (21.4, 19.4), (12.6, 19.4)])]
    if kind == 'encode':
        return [('ring', 17, 14.5, 7.2, 1.3), ('hot', 17, 14.5, 4.2, 4.2)]
    if kind == 'stop':
        return [('rr', 11.5, 9, 22.5, 20, 1.5)]
    raise ValueError(kind)


def draw_icon(c, kind, dx, dy, col, hot):
    for sh in icon_shapes(kind):
        op, args = sh[0], list(sh[1:])
        cut = op.startswith('cut-')
        paint = None if cut else col
        op = op[4:] if cut else op

        def mv(x, y):
            return x + dx, y + dy
        if op == 'poly':
            c.poly([mv(*p) for p in args[0]], paint)
        elif op == 'cap':
            c.line(*mv(*args[0:2]), *mv(*args[2:4]), paint, args[4])
        elif op == 'ell':
            c.ellipse(*mv(*args[0:2]), args[2], args[3], paint)
        elif op == 'hot':
            c.ellipse(*mv(*args[0:2]), args[2], args[3], hot)
        elif op == 'rr':
            round_rect(c, *mv(*args[0:2]), *mv(*args[2:4]), args[4], col)
        elif op == 'ring':
            cx, cy = mv(*args[0:2])
            r, w = args[2], args[3]
            c.cover((cx - r, cy - r, cx + r, cy + r),
                    lambda x, y: r - w <= math.hypot(x - cx, y - cy) <= r, col)


def button_state(kind, pressed):
    """One 34 x 30 state: the key cap over a transparent surround."""
    c = Canvas(34, 30, ss=4)
    round_rect(c, 1, 0.5, 33, 28.5, 5, (12, 14, 16))
    if pressed:
        v_gradient(c, 2, 1.5, 32, 27.5, 4, (30, 33, 37), (46, 50, 55))
    else:
        v_gradient(c, 2, 1.5, 32, 27.5, 4, (80, 87, 94), (50, 55, 60))
        c.fill_rect(5, 2, 29, 3, (112, 121, 128, 0.8))
    off = 1 if pressed else 0
    icon = Canvas(34, 30, ss=4)
    draw_icon(icon, kind, off, off + 0.9, (10, 12, 14, 0.55), (10, 12, 14, 0.55))
    c.over(icon)
    icon = Canvas(34, 30, ss=4)
    draw_icon(icon, kind, off, off, TEAL_HI if pressed else TEAL,
              (255, 140, 118) if pressed else CORAL)
    c.over(icon)
    return c.pixels()


def button_rows(kind):
    """Up look in rows 0-29, pressed look in rows 30-59; black where the
    mock-up is to show through, as the XOR step of the preview needs."""
    rows = []
    for pressed in (False, True):
        for y, row in enumerate(button_state(kind, pressed)):
            back = bg_colour(482 + y)
            out = []
            for r, g, b, a in row:
                if a < 128:
                    out.append(BLACK + (255,))
                else:
                    t = a / 255.0
                    out.append(mix(back, (r, g, b), t) + (255,))
            rows.append(out)
    return rows


def button_alpha():
    # AND mask: black where the cap is opaque, white around it.
    return [[(BLACK if a >= 128 else WHITE) + (255,) for r, g, b, a in row]
            for row in button_state('play', False)]


DIGIT_W, DIGIT_H = 12, 20
GLYPHS = '0123456789:'
SEGMENTS = {'0': 'abcdef', '1': 'bc', '2': 'abged', '3': 'abgcd', '4': 'fgbc',
            '5': 'afgcd', '6': 'afgedc', '7': 'abc', '8': 'abcdefg', '9': 'abcdfg'}


def numbers_canvas():
    c = Canvas(DIGIT_W * len(GLYPHS), DIGIT_H, ss=4)
    for n, ch in enumerate(GLYPHS):
        ox = n * DIGIT_W

        def pt(x, y):
            return ox + x + (10 - y) * 0.12, y   # a slight forward lean
        if ch == ':':
            for y in (7, 13.5):
                c.circle(*pt(6, y), 1.25, DIGIT)
            continue
        ends = {'a': ((3.6, 3), (8.4, 3)), 'g': ((3.6, 10), (8.4, 10)),
                'd': ((3.6, 17), (8.4, 17)), 'f': ((2.6, 4), (2.6, 9)),
                'b': ((9.4, 4), (9.4, 9)), 'e': ((2.6, 11), (2.6, 16)),
                'c': ((9.4, 11), (9.4, 16))}
        for s in SEGMENTS[ch]:
            (x0, y0), (x1, y1) = ends[s]
            c.line(*pt(x0, y0), *pt(x1, y1), DIGIT, 1.9)
    return c.pixels()


def numbers():
    return [[((r, g, b) if a >= 128 else BLACK) + (255,) for r, g, b, a in row]
            for row in numbers_canvas()]


def numbers_alpha():
    rows = [[(BLACK if a >= 128 else WHITE) + (255,) for r, g, b, a in row]
            for row in numbers_canvas()]
    # The preview takes its digit colour from pixel (2, 1).
    assert rows[1][2][:3] == WHITE
    return rows


# --- skin file ----------------------------------------------------------------------

BITMAPS = [  # (INI key, file name, drawing)
    ('background', 'background.bmp', background),
    ('foreground', 'foreground.bmp', foreground),
    ('controlback', 'controlback.bmp', controlback),
    ('progressfore', 'progressfore.bmp', progressfore),
    ('menuBar', 'menubar.bmp', menubar),
    ('menufore', 'menufore.bmp', menufore),
    ('menuback', 'menuback.bmp', menuback),
    ('comboback', 'comboback.bmp', comboback),
    ('combofore', 'combofore.bmp', combofore),
    ('numbers', 'numbers.bmp', numbers),
    ('numbersalpha', 'numbersalpha.bmp', numbers_alpha),
    ('btn_alpha', 'btn_alpha.bmp', button_alpha),
] + [('btn_' + k, 'btn_%s.bmp' % k, (lambda k=k: button_rows(k)))
     for k in ('previous', 'play', 'fast', 'next', 'jump', 'dvdroot', 'ifo', 'ompeg',
               'inset', 'outset', 'file', 'encode', 'stop')]

FRAME_LIGHT, FRAME_DARK = (92, 100, 107), (12, 14, 16)
TEXT, TEXT_DIM = (206, 212, 216), (176, 184, 190)

COLOURS = [
    ('Button_LightColor', (100, 108, 115)), ('Button_DarkColor', FRAME_DARK),
    ('Button_TextLightColor', TEAL_HI), ('Button_TextDarkColor', TEXT),
    ('ComboBox_LightColor', (138, 148, 155)), ('ComboBox_DarkColor', FRAME_DARK),
    ('ComboBox_TextLightColor', (30, 96, 94)), ('ComboBox_TextDarkColor', (222, 228, 231)),
    ('Edit_LightColor', FRAME_LIGHT), ('Edit_DarkColor', FRAME_DARK),
    ('Edit_TextLightColor', TEAL_HI), ('Edit_TextDarkColor', TEXT),
    ('GroupBox_LightColor', (64, 132, 128)), ('GroupBox_DarkColor', (18, 20, 23)),
    ('GroupBox_TextLightColor', TEAL_HI), ('GroupBox_TextDarkColor', (104, 208, 200)),
    ('Static_LightColor', FRAME_LIGHT), ('Static_DarkColor', FRAME_DARK),
    ('Static_TextLightColor', (232, 236, 238)), ('Static_TextDarkColor', TEXT),
    ('TimerCtrl_LightColor', FRAME_LIGHT), ('TimerCtrl_DarkColor', FRAME_DARK),
    ('TimerCtrl_TextLightColor', DIGIT), ('TimerCtrl_TextDarkColor', TEAL_DEEP),
    ('SliderCtrl_LightColor', FRAME_LIGHT), ('SliderCtrl_DarkColor', (24, 112, 110)),
    ('SliderCtrl_TextLightColor', (232, 236, 238)), ('SliderCtrl_TextDarkColor', (150, 160, 166)),
    ('CheckBox_TextLightColor', (232, 236, 238)), ('CheckBox_TextDarkColor', TEXT),
    ('ProgressCtrl_LightColor', TEAL), ('ProgressCtrl_DarkColor', TEAL_DEEP),
    ('MenuBar_LightColor', (168, 178, 184)), ('MenuBar_DarkColor', (10, 12, 14)),
    ('MenuBar_BarLightColor', TEAL), ('MenuBar_BarDarkColor', TEAL_DEEP),
    ('MenuBar_TextLightColor', (240, 244, 246)), ('MenuBar_TextDarkColor', TEXT_DIM),
]


def hex_colour(rgb):
    return '0x%02X%02X%02X' % (rgb[2], rgb[1], rgb[0])


def skin_ini():
    # Key order and layout as the designer's own writer leaves a new file.
    lines = ['[Vexo]', 'name=' + NAME, 'version=1.2', 'directory=Skins\\' + NAME,
             'Author=Vexo skin designer team', 'E-Mail=', 'Web Site=www.example.org']
    lines += ['%s=%s' % (key, fname) for key, fname, _ in BITMAPS]
    lines += ['%s=%s' % (key, hex_colour(rgb)) for key, rgb in COLOURS]
    lines += ['MenuBar_font_name=Tahoma', 'MenuBar_font_width=7',
              'MenuBar_font_height=14', 'MenuBar_font_weight=400']
    assert len(lines) == 1 + 73 and len(BITMAPS) == 25 and len(COLOURS) == 38
    return ('\r\n'.join(lines) + '\r\n').encode('ascii')


def main():
    preview = sys.argv[sys.argv.index('--preview') + 1] if '--preview' in sys.argv else None
    folder = os.path.join(SKINS, NAME)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(SKINS, NAME + '.ini'), 'wb') as f:
        f.write(skin_ini())
    for key, fname, draw in BITMAPS:
        rows = draw()
        with open(os.path.join(folder, fname), 'wb') as f:
            f.write(bmp24(rows))
        if preview:
            scale = max(1, min(8, 480 // max(len(rows), len(rows[0]))))
            png_preview(os.path.join(preview, fname[:-4] + '.png'), rows, scale)


if __name__ == '__main__':
    main()
