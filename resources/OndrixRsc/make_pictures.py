#!/usr/bin/env python3
"""Draws the pictures of the resource library and writes Pictures.rc naming them.

usage: make_pictures.py OUTPUT_FOLDER

Every picture is made here from code, so the library's look is reviewed as source. Bitmaps are
24-bit BMP files; the icon is a 32 x 32 and 16 x 16 ICO, the cursor a monochrome CUR.
"""
import os
import struct
import sys

MAGENTA = (255, 0, 255)   # transparent colour of the on-screen text box
GREEN = (0, 255, 0)       # transparent colour of skinned shapes
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
# The 16 colours of button pictures; black, the two greys and white stand for the system's button
# text, shadow, face and highlight colours when the picture is loaded, so silver is transparent.
BUTTON_PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
                  (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
                  (255, 0, 255), (0, 255, 255), (255, 255, 255)]


class Canvas:
    def __init__(self, width, height, colour=BLACK):
        self.w, self.h = width, height
        self.px = [[colour] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = c

    def frame(self, x0, y0, x1, y1, light, dark):
        for x in range(x0, x1):
            self.put(x, y0, light)
            self.put(x, y1 - 1, dark)
        for y in range(y0, y1):
            self.put(x0, y, light)
            self.put(x1 - 1, y, dark)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        span = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            t = (y - y0) / span
            c = tuple(int(top[i] + (bottom[i] - top[i]) * t) for i in range(3))
            self.rect(x0, y, x1, y + 1, c)

    def hgradient(self, x0, y0, x1, y1, left, right):
        span = max(1, x1 - x0 - 1)
        for x in range(x0, x1):
            t = (x - x0) / span
            c = tuple(int(left[i] + (right[i] - left[i]) * t) for i in range(3))
            self.rect(x, y0, x + 1, y1, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            for dx in range(width):
                for dy in range(width):
                    self.put(int(round(x)) + dx, int(round(y)) + dy, c)

    def disc(self, cx, cy, r, c):
        for y in range(int(cy - r), int(cy + r) + 1):
            for x in range(int(cx - r), int(cx + r) + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def triangle(self, pts, c):
        (ax, ay), (bx, by), (cx, cy) = pts
        for y in range(min(ay, by, cy), max(ay, by, cy) + 1):
            for x in range(min(ax, bx, cx), max(ax, bx, cx) + 1):
                d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by)
                d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy)
                d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay)
                neg = d1 < 0 or d2 < 0 or d3 < 0
                pos = d1 > 0 or d2 > 0 or d3 > 0
                if not (neg and pos):
                    self.put(x, y, c)

    def paste(self, other, x0, y0):
        for y in range(other.h):
            for x in range(other.w):
                self.put(x0 + x, y0 + y, other.px[y][x])

    def bmp(self):
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for r, g, b in self.px[y]:
                line += bytes((b, g, r))
            line += b'\0' * (row - len(line))
            data += line
        header = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 54) + header + data

    def bmp16(self):
        """A 16-colour BMP in the standard button palette (every pixel must be one of its colours)."""
        row = ((self.w + 1) // 2 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for x in range(0, self.w, 2):
                hi = BUTTON_PALETTE.index(self.px[y][x])
                lo = BUTTON_PALETTE.index(self.px[y][x + 1]) if x + 1 < self.w else 0
                line.append(hi << 4 | lo)
            line += b'\0' * (row - len(line))
            data += line
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in BUTTON_PALETTE)
        offset = 14 + 40 + len(palette)
        header = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 4, 0, len(data), 2835, 2835, 16, 0)
        return struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset) + header + palette + data


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


# --- the video window's frame -------------------------------------------------------------
CAPTION_TOP, CAPTION_BOTTOM = (58, 78, 110), (24, 32, 52)
BORDER = (30, 40, 62)
CAPTION_H, BORDER_W, BOTTOM_H = 30, 6, 6


def caption_piece(width, logo=False):
    c = Canvas(width, CAPTION_H)
    c.vgradient(0, 0, width, CAPTION_H, CAPTION_TOP, CAPTION_BOTTOM)
    c.rect(0, 0, width, 1, (96, 120, 160))
    if logo:
        c.disc(15, 15, 8, (230, 120, 40))
        c.disc(15, 15, 4, (250, 220, 160))
    return c


def border_piece(width, height):
    c = Canvas(width, height, BORDER)
    if width < height or width == BORDER_W:
        c.rect(width // 2, 0, width // 2 + 1, height, (50, 64, 96))
    return c


def caption_button(glyph, state):
    face = {0: (70, 92, 128), 1: (96, 126, 176), 2: (36, 48, 74)}[state]
    if glyph == 'close' and state == 1:
        face = (196, 64, 56)
    c = Canvas(22, 21, face)
    c.frame(0, 0, 22, 21, mix(face, WHITE, 0.4), mix(face, BLACK, 0.5))
    ink = WHITE
    o = 1 if state == 2 else 0
    if glyph == 'min':
        c.rect(6 + o, 13 + o, 16 + o, 15 + o, ink)
    elif glyph == 'max':
        c.frame(6 + o, 5 + o, 16 + o, 15 + o, ink, ink)
        c.rect(6 + o, 5 + o, 16 + o, 7 + o, ink)
    else:
        c.line(6 + o, 5 + o, 15 + o, 14 + o, ink, 2)
        c.line(15 + o, 5 + o, 6 + o, 14 + o, ink, 2)
    return c


# --- the screen tool ----------------------------------------------------------------------
TOOL_H = 26
TOOL_FACE_TOP, TOOL_FACE_BOTTOM = (40, 44, 52), (16, 18, 24)


def tool_left():
    c = Canvas(600, TOOL_H)
    c.vgradient(0, 0, 600, TOOL_H, TOOL_FACE_TOP, TOOL_FACE_BOTTOM)
    # The volume slider's channel lies at 435..538.
    c.rect(440, 11, 534, 14, (90, 96, 110))
    c.rect(440, 11, 534, 12, (20, 22, 28))
    return c


def tool_tile():
    c = Canvas(8, TOOL_H)
    c.vgradient(0, 0, 8, TOOL_H, TOOL_FACE_TOP, TOOL_FACE_BOTTOM)
    return c


def tool_button(glyph, state, width=20, height=15):
    # state: 0 pressed, 1 hover, 2 normal, 3 disabled (the order of the ids)
    face = {0: (24, 28, 36), 1: (72, 84, 104), 2: (44, 50, 62), 3: (44, 50, 62)}[state]
    ink = {0: (255, 200, 80), 1: WHITE, 2: (210, 214, 222), 3: (100, 104, 112)}[state]
    c = Canvas(width, height, face)
    c.frame(0, 0, width, height, mix(face, WHITE, 0.3), mix(face, BLACK, 0.5))
    cx, cy = width // 2, height // 2
    if glyph == 'mute':
        c.rect(cx - 6, cy - 2, cx - 3, cy + 2, ink)
        c.triangle([(cx - 3, cy), (cx + 1, cy - 5), (cx + 1, cy + 5)], ink)
        c.line(cx + 3, cy - 3, cx + 7, cy + 3, (230, 60, 50))
    elif glyph == 'pin':
        c.disc(cx, cy - 2, 3, ink)
        c.line(cx, cy, cx, cy + 6, ink)
    elif glyph == 'snapshot':
        c.frame(cx - 6, cy - 4, cx + 7, cy + 5, ink, ink)
        c.disc(cx, cy, 2, ink)
    elif glyph == 'record':
        c.disc(cx, cy, 4, (230, 50, 40) if state != 3 else ink)
    elif glyph == 'hide':
        c.line(cx - 5, cy - 2, cx, cy + 3, ink, 2)
        c.line(cx, cy + 3, cx + 5, cy - 2, ink, 2)
    elif glyph == 'wall':
        for dx in (-6, 1):
            for dy in (-5, 1):
                c.rect(cx + dx, cy + dy, cx + dx + 5, cy + dy + 4, ink)
    elif glyph == 'next':
        c.triangle([(cx - 4, cy - 5), (cx + 3, cy), (cx - 4, cy + 5)], ink)
    elif glyph == 'prev':
        c.triangle([(cx + 4, cy - 5), (cx - 3, cy), (cx + 4, cy + 5)], ink)
    return c


def tool_thumb():
    # Picture in the left half; the mask in the right half is black wherever the picture shows.
    c = Canvas(20, 15, BLACK)
    c.rect(0, 0, 10, 15, (150, 156, 170))
    c.frame(0, 0, 10, 15, (220, 224, 232), (90, 94, 104))
    return c


# --- on-screen display --------------------------------------------------------------------
OSD_W = 600


def osd_row(selected):
    c = Canvas(OSD_W, 45)
    top, bottom = ((40, 90, 170), (20, 50, 110)) if selected else ((30, 36, 48), (18, 22, 30))
    c.vgradient(0, 0, OSD_W, 45, top, bottom)
    c.rect(0, 44, OSD_W, 45, (60, 70, 90))
    return c


def osd_band(height, title):
    c = Canvas(OSD_W, height)
    c.vgradient(0, 0, OSD_W, height, (50, 60, 84) if title else (24, 28, 38), (20, 24, 34))
    c.rect(0, height - 2 if title else 0, OSD_W, height - 1 if title else 1, (230, 120, 40))
    return c


# Capital letters of 5 x 7 dots for the words drawn into pictures.
DOT_FONT = {
    'A': ['.XXX.', 'X...X', 'X...X', 'XXXXX', 'X...X', 'X...X', 'X...X'],
    'E': ['XXXXX', 'X....', 'X....', 'XXXX.', 'X....', 'X....', 'XXXXX'],
    'I': ['XXX', '.X.', '.X.', '.X.', '.X.', '.X.', 'XXX'],
    'L': ['X....', 'X....', 'X....', 'X....', 'X....', 'X....', 'XXXXX'],
    'M': ['X...X', 'XX.XX', 'X.X.X', 'X.X.X', 'X...X', 'X...X', 'X...X'],
    'N': ['X...X', 'XX..X', 'X.X.X', 'X..XX', 'X...X', 'X...X', 'X...X'],
    'R': ['XXXX.', 'X...X', 'X...X', 'XXXX.', 'X.X..', 'X..X.', 'X...X'],
    'T': ['XXXXX', '..X..', '..X..', '..X..', '..X..', '..X..', '..X..'],
    'V': ['X...X', 'X...X', 'X...X', 'X...X', 'X...X', '.X.X.', '..X..'],
    ' ': ['...', '...', '...', '...', '...', '...', '...'],
}


def dot_text(c, x, y, text, scale, top, bottom, shadow=None):
    """Draws the words with square dots of scale pixels, shaded from top to bottom; returns the end x."""
    for ch in text:
        rows = DOT_FONT[ch]
        for j, row in enumerate(rows):
            ink = mix(top, bottom, j / (len(rows) - 1))
            for i, dot in enumerate(row):
                if dot == 'X':
                    if shadow:
                        c.rect(x + i * scale + 1, y + j * scale + 1, x + (i + 1) * scale + 1, y + (j + 1) * scale + 1,
                               shadow)
                    c.rect(x + i * scale, y + j * scale, x + (i + 1) * scale, y + (j + 1) * scale, ink)
        x += (len(rows[0]) + 1) * scale
    return x


def osd_header():
    # The menu's head: a television with its aerial, the product's name, and a signal meter.
    height = 60
    c = osd_band(height, True)
    c.rect(0, 0, OSD_W, 1, (96, 116, 156))
    # The television: a rounded dark cabinet, a lit screen with a sun on it, the aerial above.
    c.line(34, 10, 28, 3, (200, 206, 220), 2)
    c.line(38, 10, 46, 3, (200, 206, 220), 2)
    c.rect(19, 11, 59, 45, (26, 32, 46))
    for (x, y) in ((21, 13), (56, 13), (21, 42), (56, 42)):
        c.disc(x, y, 2, (26, 32, 46))
    c.frame(19, 11, 59, 45, (120, 136, 170), (10, 12, 18))
    c.vgradient(23, 15, 55, 41, (90, 170, 240), (30, 80, 170))
    c.disc(39, 28, 6, (240, 140, 40))
    c.disc(39, 28, 3, (250, 220, 160))
    c.rect(33, 45, 45, 48, (120, 136, 170))
    # The name, in light letters with a dark shadow, and the model beside it in the accent colour.
    end = dot_text(c, 76, 15, 'VELTRANE', 3, WHITE, (180, 196, 226), shadow=(8, 10, 16))
    dot_text(c, end + 9, 22, 'MIREVAL IV', 2, (250, 180, 90), (230, 120, 40), shadow=(8, 10, 16))
    # The signal meter: five bars rising to the right.
    for i in range(5):
        x = OSD_W - 70 + i * 10
        top = 42 - (i + 1) * 5
        c.rect(x, top, x + 6, 42, mix((60, 180, 90), (160, 230, 120), i / 4))
    c.rect(OSD_W - 72, 43, OSD_W - 20, 44, (70, 80, 104))
    return c


def osd_arrow(left, selected):
    c = Canvas(16, 33, BLACK)
    ink = (255, 200, 80) if selected else (180, 186, 200)
    if left:
        c.triangle([(12, 8), (3, 16), (12, 24)], ink)
    else:
        c.triangle([(3, 8), (12, 16), (3, 24)], ink)
    return c


def osd_bar(fill):
    c = Canvas(290, 25, (20, 24, 32))
    if fill:
        c.hgradient(0, 4, 290, 21, (40, 120, 220), (120, 200, 255))
    else:
        c.frame(0, 4, 290, 21, (70, 78, 96), (70, 78, 96))
    return c


def osd_slider_track():
    c = Canvas(340, 35, BLACK)
    c.rect(0, 15, 340, 20, (90, 96, 110))
    return c


def osd_slider_knob():
    c = Canvas(14, 35, BLACK)
    c.rect(2, 6, 12, 29, (220, 224, 232))
    c.frame(2, 6, 12, 29, WHITE, (120, 124, 132))
    return c


def osd_text_background():
    c = Canvas(320, 160, MAGENTA)
    c.rect(8, 0, 312, 160, (16, 24, 40))
    c.rect(0, 8, 320, 152, (16, 24, 40))
    for (x, y) in ((8, 8), (311, 8), (8, 151), (311, 151)):
        c.disc(x, y, 8, (16, 24, 40))
    c.rect(8, 2, 312, 4, (230, 120, 40))
    return c


def osd_text_bar():
    c = Canvas(300, 8)
    c.hgradient(0, 0, 300, 8, (40, 160, 80), (160, 230, 120))
    return c


# --- lists, the wall and the menu pictures ------------------------------------------------
def channel_images():
    c = Canvas(72, 16, WHITE)
    # Image 1 (x 36..71): the favourite star.
    cx, cy = 54, 8
    c.triangle([(cx, 1), (cx - 6, 13), (cx + 6, 13)], (230, 170, 20))
    c.triangle([(cx - 7, 5), (cx + 7, 5), (cx, 15)], (230, 170, 20))
    return c


def wall_background():
    c = Canvas(320, 240)
    c.vgradient(0, 0, 320, 240, (20, 28, 44), (6, 8, 14))
    for x in range(0, 320, 40):
        c.rect(x, 0, x + 1, 240, (30, 40, 60))
    for y in range(0, 240, 30):
        c.rect(0, y, 320, y + 1, (30, 40, 60))
    return c


def toolbar_strip():
    glyphs = ['next', 'prev', 'record', 'pause', 'snapshot', 'mute', 'full', 'wall', 'settings', 'exit']
    navy, blue, red, maroon, teal, grey = (0, 0, 128), (0, 0, 255), (255, 0, 0), (128, 0, 0), (0, 128, 128), (128, 128, 128)
    face = (192, 192, 192)
    c = Canvas(16 * len(glyphs), 15, face)
    for i, g in enumerate(glyphs):
        x = 16 * i
        if g == 'next':
            c.triangle([(x + 4, 3), (x + 10, 7), (x + 4, 11)], navy)
            c.rect(x + 11, 3, x + 13, 12, navy)
        elif g == 'prev':
            c.triangle([(x + 12, 3), (x + 6, 7), (x + 12, 11)], navy)
            c.rect(x + 3, 3, x + 5, 12, navy)
        elif g == 'record':
            c.disc(x + 8, 7, 5, maroon)
            c.disc(x + 8, 7, 4, red)
        elif g == 'pause':
            c.rect(x + 4, 3, x + 7, 12, navy)
            c.rect(x + 9, 3, x + 12, 12, navy)
        elif g == 'snapshot':
            c.rect(x + 1, 4, x + 15, 13, grey)
            c.rect(x + 5, 2, x + 10, 4, grey)
            c.disc(x + 8, 8, 3, BLACK)
            c.disc(x + 8, 8, 2, blue)
            c.put(x + 12, 6, WHITE)
        elif g == 'mute':
            c.rect(x + 2, 5, x + 5, 10, BLACK)
            c.triangle([(x + 5, 7), (x + 9, 2), (x + 9, 12)], BLACK)
            c.line(x + 10, 5, x + 14, 9, red)
            c.line(x + 14, 5, x + 10, 9, red)
        elif g == 'full':
            c.frame(x + 1, 2, x + 15, 13, navy, navy)
            c.rect(x + 2, 3, x + 14, 12, teal)
            c.triangle([(x + 3, 4), (x + 6, 4), (x + 3, 7)], WHITE)
            c.triangle([(x + 12, 10), (x + 9, 10), (x + 12, 7)], WHITE)
        elif g == 'wall':
            for dx in (1, 8):
                for dy in (1, 8):
                    c.rect(x + dx, dy, x + dx + 6, dy + 5, teal)
                    c.rect(x + dx + 1, dy + 1, x + dx + 5, dy + 4, (0, 255, 255))
        elif g == 'settings':
            for dx, dy in ((0, -6), (0, 6), (-6, 0), (6, 0), (-4, -4), (4, -4), (-4, 4), (4, 4)):
                c.disc(x + 8 + dx, 7 + dy, 1.2, BLACK)
            c.disc(x + 8, 7, 5, BLACK)
            c.disc(x + 8, 7, 4, grey)
            c.disc(x + 8, 7, 2, BLACK)
            c.disc(x + 8, 7, 1, face)
        elif g == 'exit':
            c.line(x + 3, 2, x + 11, 10, red, 2)
            c.line(x + 11, 2, x + 3, 10, red, 2)
    return c


# --- icon and cursor ----------------------------------------------------------------------
def app_icon_image(size):
    c = Canvas(size, size, (0, 0, 0))
    s = size / 32
    c.rect(int(2 * s), int(5 * s), int(30 * s), int(25 * s), (40, 52, 80))
    c.rect(int(4 * s), int(7 * s), int(28 * s), int(23 * s), (60, 140, 220))
    c.disc(16 * s, 15 * s, 5 * s, (240, 140, 40))
    c.rect(int(12 * s), int(26 * s), int(20 * s), int(28 * s), (40, 52, 80))
    return c


def ico(images):
    entries = b''
    blobs = b''
    offset = 6 + 16 * len(images)
    for img in images:
        xor_row = (img.w * 3 + 3) & ~3
        and_row = ((img.w + 31) // 32) * 4
        xor = bytearray()
        mask = bytearray()
        for y in range(img.h - 1, -1, -1):
            line = bytearray()
            bits = 0
            mline = bytearray()
            for x, (r, g, b) in enumerate(img.px[y]):
                line += bytes((b, g, r))
                transparent = (r, g, b) == (0, 0, 0)
                bits = (bits << 1) | (1 if transparent else 0)
                if x % 8 == 7:
                    mline.append(bits)
                    bits = 0
            line += b'\0' * (xor_row - len(line))
            mline += b'\0' * (and_row - len(mline))
            xor += line
            mask += mline
        header = struct.pack('<IiiHHIIiiII', 40, img.w, img.h * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = header + xor + mask
        entries += struct.pack('<BBBBHHII', img.w, img.h, 0, 0, 1, 24, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return struct.pack('<HHH', 0, 1, len(images)) + entries + blobs


def monochrome_cursor(shape, hotspot):
    """A 32 x 32 CUR file from rows of characters: 'X' black, '.' white, anything else the screen."""
    size = 32
    rows = [(row + ' ' * size)[:size] for row in shape] + [' ' * size] * (size - len(shape))
    # XOR bits: 1 = white; AND bits: 1 = screen shows through.
    xor = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        xb = ab = 0
        xline = bytearray()
        aline = bytearray()
        for x in range(size):
            ch = rows[y][x]
            xb = (xb << 1) | (1 if ch == '.' else 0)
            ab = (ab << 1) | (1 if ch not in 'X.' else 0)
            if x % 8 == 7:
                xline.append(xb)
                aline.append(ab)
                xb = ab = 0
        xor += xline
        mask += aline
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    blob = header + palette + xor + mask
    entry = struct.pack('<BBBBHHII', size, size, 2, 0, hotspot[0], hotspot[1], len(blob), 6 + 16)
    return struct.pack('<HHH', 0, 2, 1) + entry + blob


def drag_cursor():
    # A monochrome arrow with a small box beside it (the dragged row); hot spot at the tip.
    shape = [list(row.ljust(32)) for row in [
        "X", "XX", "X.X", "X..X", "X...X", "X....X", "X.....X", "X......X", "X.......X",
        "X........X", "X.....XXXXX", "X..X..X", "X.X X..X", "XX  X..X", "X    X..X", "     X..X", "      XX",
    ]] + [[' '] * 32 for _ in range(15)]
    for y in range(18, 26):
        for x in range(12, 24):
            shape[y][x] = 'X' if y in (18, 25) or x in (12, 23) else '.'
    return monochrome_cursor([''.join(row) for row in shape], (0, 0))


# --- the table of pictures ----------------------------------------------------------------
def pictures():
    yield 'IDB_CHANNEL_IMAGES', channel_images()
    yield 'IDB_WALL_BACKGROUND', wall_background()
    yield 'IDB_TOOL_LEFT', tool_left()
    for name, glyph, size in (('MUTE', 'mute', (20, 15)), ('PIN', 'pin', (20, 15)), ('SNAPSHOT', 'snapshot', (20, 15)),
                              ('RECORD', 'record', (20, 15)), ('HIDE', 'hide', (30, 20)), ('WALL', 'wall', (20, 15)),
                              ('NEXT', 'next', (20, 15)), ('PREV', 'prev', (20, 15))):
        for state, suffix in enumerate(('PRESSED', 'HOVER', 'NORMAL', 'DISABLED')):
            yield 'IDB_TOOL_%s_%s' % (name, suffix), tool_button(glyph, state, *size)
    yield 'IDB_TOOL_THUMB', tool_thumb()
    yield 'IDB_TOOL_TILE', tool_tile()
    yield 'IDB_CAPTION_LEFT', caption_piece(40, logo=True)
    yield 'IDB_CAPTION_MIDDLE', caption_piece(8)
    yield 'IDB_CAPTION_RIGHT', caption_piece(100)
    for glyph, name in (('close', 'CLOSE'), ('max', 'MAX'), ('min', 'MIN')):
        yield 'IDB_%s_NORMAL' % name, caption_button(glyph, 0)
        yield 'IDB_%s_HOVER' % name, caption_button(glyph, 1)
        yield 'IDB_%s_PRESSED' % name, caption_button(glyph, 2)
    yield 'IDB_BORDER_LEFT', border_piece(BORDER_W, 8)
    yield 'IDB_BORDER_RIGHT', border_piece(BORDER_W, 8)
    yield 'IDB_BORDER_BOTTOM', border_piece(8, BOTTOM_H)
    yield 'IDB_OSD_HEADER', osd_header()
    yield 'IDB_OSD_FOOTER', osd_band(30, False)
    yield 'IDB_OSD_ROW', osd_row(False)
    yield 'IDB_OSD_ROW_SELECTED', osd_row(True)
    yield 'IDB_OSD_CHOICE_LEFT', osd_arrow(True, False)
    yield 'IDB_OSD_CHOICE_LEFT_SELECTED', osd_arrow(True, True)
    yield 'IDB_OSD_CHOICE_RIGHT', osd_arrow(False, False)
    yield 'IDB_OSD_CHOICE_RIGHT_SELECTED', osd_arrow(False, True)
    yield 'IDB_OSD_SLIDER_TRACK', osd_slider_track()
    yield 'IDB_OSD_SLIDER_KNOB', osd_slider_knob()
    yield 'IDB_OSD_BAR_TRACK', osd_bar(False)
    yield 'IDB_OSD_BAR_FILL', osd_bar(True)
    yield 'IDB_OSD_TEXT_BACKGROUND', osd_text_background()
    yield 'IDB_OSD_TEXT_BAR', osd_text_bar()
    yield 'IDTB_MENU_ICONS', toolbar_strip()


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    lines = ['// Written by make_pictures.py.']
    for name, canvas in pictures():
        file_name = name.lower() + '.bmp'
        with open(os.path.join(out, file_name), 'wb') as f:
            # Toolbar pictures are button pictures: 16 colours, mapped to the system's when loaded.
            f.write(canvas.bmp16() if name.startswith('IDTB_') else canvas.bmp())
        lines.append('%s BITMAP "%s"' % (name, file_name))
    with open(os.path.join(out, 'app.ico'), 'wb') as f:
        f.write(ico([app_icon_image(32), app_icon_image(16)]))
    lines.append('IDI_APP ICON "app.ico"')
    with open(os.path.join(out, 'drag.cur'), 'wb') as f:
        f.write(drag_cursor())
    lines.append('IDCUR_DRAG CURSOR "drag.cur"')
    with open(os.path.join(out, 'Pictures.rc'), 'w') as f:
        f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
