#!/usr/bin/env python3
"""Draws the shipped skins and lays out their files.

usage: make_skins.py SOURCE_FOLDER APPLICATION_FOLDER WORK_FOLDER
       make_skins.py --write-ini SOURCE_FOLDER    (rewrites the description files from the layouts)
       make_skins.py --libraries                  (lists the resource libraries to build)

Every skin is a layout (where each control of the control panel and of the colour panel stands,
and how big it is) and a look (colours, key shapes). The description files in the source folder
say the same positions; a description that no longer matches its layout stops the build.

Each skin is installed in the application folder (the built-in skin) or in Skins/<name> (the
listed ones): its Skin.ini and ColorSkin.ini, and the bitmap files they name when they load from
files. The work folder gets one folder per resource library: its script library.rc and the
pictures it holds. Pictures carry the panel's background behind
each control, so a control's window is rectangular while the panel's outline is cut to shape.
"""
import os
import sys
import tempfile

from paint import (BLACK, GREEN, WHITE, Canvas, arc, capsule, circle, clamp, hgrad, hue, mix, polygon,
                   round_rect, text, text_width, vgrad)
from glyphs import glyph
import make_pictures

PANEL_DIALOG = 102
COLOUR_DIALOG = 230

# The control panel's controls: section name, control id, kind, pictogram. Mute and favourites
# are two-state buttons.
PANEL_CONTROLS = [
    ('NextSkin', 1202, 'button', 'skin'),
    ('About', 1103, 'button', 'about'),
    ('Settings', 1006, 'button', 'settings'),
    ('Hide', 1101, 'button', 'hide'),
    ('Exit', 1105, 'button', 'exit'),
    ('ChannelUp', 1000, 'button', 'up'),
    ('ChannelDown', 1001, 'button', 'down'),
    ('LastChannel', 1008, 'button', 'last'),
    ('Record', 1003, 'button', 'record'),
    ('Pause', 1163, 'button', 'pause'),
    ('Snapshot', 1002, 'button', 'snapshot'),
    ('Mute', 1084, 'toggle', 'mute'),
    ('TimeShift', 44150, 'button', 'timeshift'),
    ('TimeShiftPause', 44151, 'button', 'pause'),
    ('TimeShiftStop', 44152, 'button', 'stop'),
    ('PreviewWall', 1004, 'button', 'wall'),
    ('ChannelScan', 1005, 'button', 'scan'),
    ('NextInput', 1007, 'button', 'input'),
    ('Favourites', 1016, 'toggle', 'favourite'),
    ('VideoAdjust', 1117, 'button', 'adjust'),
    ('OsdMenu', 1166, 'button', 'osd'),
    ('Schedule', 1164, 'button', 'schedule'),
    ('ToolMenu', 1104, 'button', 'tools'),
    ('MoviePlayer', 1099, 'button', 'movie'),
    ('PictureBrowser', 1100, 'button', 'pictures'),
    ('Volume', 1081, 'vslider', None),
    ('Position', 1205, 'multislider', None),
    ('Channel', 1082, 'static', 'channel'),
    ('Clock', 1119, 'static', 'clock'),
]

COLOUR_CONTROLS = [
    ('Reset', 1166, 'button', 'reset'),
    ('Close', 1167, 'button', 'close'),
    ('Brightness', 1168, 'hslider', 'brightness'),
    ('Contrast', 1169, 'hslider', 'contrast'),
    ('Hue', 1170, 'hslider', 'hue'),
    ('Saturation', 1171, 'hslider', 'saturation'),
    ('Sharpness', 1172, 'hslider', 'sharpness'),
]

# The track bar puts its thumb 2 pixels in from the side, 11 pixels long, and lets it travel
# between 8 pixels from either end: the pictures follow that.
THUMB_INSET = 2
THUMB_LENGTH = 11
CHANNEL_MARGIN = 8


# --- looks ----------------------------------------------------------------------------------
class Look:
    def __init__(self, **kw):
        self.__dict__.update(kw)


GRAPHITE = Look(
    body=((74, 79, 89), (34, 36, 42)), rim=(10, 11, 14), rim_light=(122, 128, 142),
    plate=((40, 43, 50), (52, 56, 64)),
    key=((84, 90, 102), (50, 54, 62)), key_hover=((104, 112, 128), (62, 67, 78)),
    key_pressed=((34, 36, 42), (48, 51, 58)), key_border=(18, 19, 23), key_light=(150, 156, 170),
    ink=(226, 229, 235), ink_hover=(255, 190, 96), ink_pressed=(255, 160, 50), ink_disabled=(104, 108, 118),
    accent=(236, 128, 40), label=(150, 156, 168), name=(228, 232, 238),
    lcd=((14, 30, 34), (6, 14, 18)), lcd_text=(255, 178, 72), lcd_dim=(70, 96, 96),
    groove=(12, 13, 16), groove_light=(96, 102, 114), thumb=((236, 238, 242), (150, 154, 164)),
    key_radius=4, shape='key')

ALUMINIUM = Look(
    body=((226, 229, 234), (168, 174, 184)), rim=(82, 88, 98), rim_light=(252, 252, 253),
    plate=((186, 191, 200), (206, 210, 217)),
    key=((246, 247, 249), (200, 205, 213)), key_hover=((255, 255, 255), (214, 226, 242)),
    key_pressed=((164, 170, 180), (196, 201, 209)), key_border=(112, 118, 130), key_light=(255, 255, 255),
    ink=(54, 60, 72), ink_hover=(28, 104, 210), ink_pressed=(20, 86, 180), ink_disabled=(160, 164, 172),
    accent=(36, 118, 220), label=(92, 98, 110), name=(52, 58, 70),
    lcd=((178, 200, 168), (150, 174, 140)), lcd_text=(24, 40, 28), lcd_dim=(120, 142, 112),
    groove=(108, 114, 124), groove_light=(250, 250, 252), thumb=((255, 255, 255), (176, 182, 192)),
    key_radius=5, shape='key')

NAVY = Look(
    body=((38, 62, 112), (10, 18, 42)), rim=(4, 8, 20), rim_light=(96, 140, 210),
    plate=((8, 14, 34), (20, 34, 66)),
    key=((54, 90, 156), (20, 38, 84)), key_hover=((74, 124, 204), (28, 58, 120)),
    key_pressed=((14, 26, 60), (30, 52, 104)), key_border=(6, 12, 30), key_light=(150, 196, 255),
    ink=(222, 238, 255), ink_hover=(110, 222, 255), ink_pressed=(80, 200, 255), ink_disabled=(84, 104, 140),
    accent=(80, 200, 255), label=(130, 170, 220), name=(214, 232, 255),
    lcd=((6, 18, 40), (2, 8, 20)), lcd_text=(120, 226, 255), lcd_dim=(40, 80, 120),
    groove=(2, 6, 16), groove_light=(70, 110, 180), thumb=((220, 240, 255), (100, 150, 220)),
    key_radius=10, shape='pill')

PIANO = Look(
    body=((40, 40, 44), (10, 10, 12)), rim=(0, 0, 0), rim_light=(92, 92, 98),
    plate=((6, 6, 8), (18, 18, 20)),
    key=((44, 44, 48), (22, 22, 25)), key_hover=((70, 66, 68), (34, 30, 32)),
    key_pressed=((12, 12, 14), (26, 24, 26)), key_border=(0, 0, 0), key_light=(104, 104, 110),
    ink=(214, 214, 218), ink_hover=(255, 92, 80), ink_pressed=(236, 56, 46), ink_disabled=(84, 84, 90),
    accent=(228, 44, 40), label=(150, 150, 156), name=(232, 232, 236),
    lcd=((28, 6, 6), (28, 6, 6)), lcd_text=(255, 96, 80), lcd_dim=(90, 30, 28),
    groove=(0, 0, 0), groove_light=(70, 70, 76), thumb=((250, 250, 252), (150, 150, 156)),
    key_radius=11, shape='round')


# --- layouts --------------------------------------------------------------------------------
def row(names, x, y, w, h, gap):
    return {n: (x + i * (w + gap), y, w, h) for i, n in enumerate(names)}


WINDOW_BUTTONS = ['NextSkin', 'About', 'Settings', 'Hide', 'Exit']
TIME_SHIFT = ['TimeShift', 'TimeShiftPause', 'TimeShiftStop']
FUNCTIONS = ['PreviewWall', 'ChannelScan', 'NextInput', 'Favourites', 'VideoAdjust', 'OsdMenu', 'Schedule',
             'ToolMenu', 'MoviePlayer', 'PictureBrowser']


def window_buttons(right, y, w, h):
    """The five window buttons ending at `right`, the last two set a little apart."""
    xs = [right - w, right - 2 * w - 2]
    xs += [xs[-1] - 6 - w - i * (w + 2) for i in range(3)]
    return {n: (x, y, w, h) for n, x in zip(reversed(WINDOW_BUTTONS), xs)}


def layout_wide():
    """The wide panel of the built-in skin and of "One"."""
    p = {'size': (476, 150), 'radius': 14}
    p.update(window_buttons(462, 8, 22, 18))
    p['lcd'] = (14, 34, 272, 50)
    p['Channel'] = (24, 40, 190, 24)
    p['Clock'] = (214, 62, 64, 16)
    p['Position'] = (14, 92, 272, 16)
    p.update(row(TIME_SHIFT, 14, 116, 26, 24, 2))
    p.update(row(FUNCTIONS, 106, 116, 26, 24, 2))
    p['ChannelUp'] = (298, 34, 42, 26)
    p['ChannelDown'] = (298, 60, 42, 26)
    p['LastChannel'] = (298, 90, 42, 18)
    p['Record'] = (350, 34, 60, 26)
    p['Pause'] = (350, 64, 29, 22)
    p['Snapshot'] = (381, 64, 29, 22)
    p['Mute'] = (350, 90, 60, 18)
    p['Volume'] = (434, 32, 28, 100)
    p['plates'] = [(10, 112, 90, 32), (102, 112, 286, 32)]
    p['labels'] = [('VOL', 434, 136, 28)]
    p['ramp'] = (420, 42, 428, 122)
    p['rocker'] = True
    p['logo'] = (14, 9)
    return p


def colour_wide(height):
    c = {'size': (206, height), 'radius': 14}
    c['Reset'] = (146, 8, 22, 18)
    c['Close'] = (170, 8, 22, 18)
    for i, name in enumerate(['Brightness', 'Contrast', 'Hue', 'Saturation', 'Sharpness']):
        c[name] = (40, 36 + i * 21, 152, 18)
    c['title'] = (16, 13)
    return c


def layout_drawer():
    """"Two": the colour panel slides into a bay at (7, 13) on the panel's left."""
    p = {'size': (470, 176), 'radius': 16}
    p['bay'] = (7, 13, 190, 150)
    p.update(window_buttons(456, 12, 22, 18))
    p['lcd'] = (210, 38, 206, 46)
    p['Channel'] = (220, 44, 146, 22)
    p['Clock'] = (348, 66, 62, 16)
    p['Position'] = (210, 92, 206, 16)
    p['Volume'] = (426, 38, 30, 70)
    p.update(row(TIME_SHIFT + ['ChannelUp', 'ChannelDown', 'LastChannel', 'Record', 'Pause', 'Snapshot', 'Mute'],
                 210, 116, 22, 22, 2))
    p.update(row(FUNCTIONS, 210, 142, 22, 22, 2))
    p['plates'] = [(206, 112, 248, 56)]
    p['labels'] = []
    p['logo'] = (210, 13)
    return p


def colour_drawer():
    c = {'size': (190, 150), 'radius': 10}
    c['Reset'] = (138, 8, 20, 18)
    c['Close'] = (162, 8, 20, 18)
    for i, name in enumerate(['Brightness', 'Contrast', 'Hue', 'Saturation', 'Sharpness']):
        c[name] = (34, 34 + i * 22, 148, 18)
    c['title'] = (12, 13)
    return c


def layout_orb():
    """"Three": a panel ending in an orb, over which the colour panel's wing opens."""
    p = {'size': (470, 140), 'radius': 14}
    p['orb'] = (432, 70, 30)
    p.update(window_buttons(374, 10, 20, 20))
    p['lcd'] = (14, 36, 230, 44)
    p['Channel'] = (24, 42, 150, 22)
    p['Clock'] = (174, 62, 64, 14)
    p['Position'] = (14, 86, 230, 16)
    p['ChannelUp'] = (254, 36, 36, 22)
    p['ChannelDown'] = (254, 58, 36, 22)
    p['LastChannel'] = (254, 84, 36, 18)
    p['Record'] = (298, 36, 44, 22)
    p['Pause'] = (298, 62, 21, 20)
    p['Snapshot'] = (321, 62, 21, 20)
    p['Mute'] = (298, 84, 44, 18)
    p['Volume'] = (352, 34, 28, 72)
    p.update(row(TIME_SHIFT, 14, 110, 22, 22, 2))
    p.update(row(FUNCTIONS, 92, 110, 22, 22, 2))
    p['plates'] = [(10, 106, 74, 30), (88, 106, 246, 30)]
    p['labels'] = [('VOL', 352, 114, 28)]
    p['logo'] = (14, 12)
    p['rocker'] = True
    return p


def colour_wing():
    c = {'size': (235, 140), 'radius': 14}
    c['orb'] = (37, 70, 30)
    c['Reset'] = (180, 9, 20, 20)
    c['Close'] = (204, 9, 20, 20)
    for i, name in enumerate(['Brightness', 'Contrast', 'Hue', 'Saturation', 'Sharpness']):
        c[name] = (100, 34 + i * 20, 126, 18)
    c['title'] = (84, 14)
    c['icon_x'] = 88
    return c


class Skin:
    def __init__(self, name, folder, look, panel, colour, library=None, colour_library=None, flat_lcd=False):
        self.name = name
        self.folder = folder              # where the skin is installed, relative to the application folder
        self.look = look
        self.panel = panel
        self.colour = colour
        self.library = library            # the panel's pictures come from this library, else from files
        self.colour_library = colour_library
        self.flat_lcd = flat_lcd          # the display is one colour: its labels fill with it


SKINS = [
    Skin('BaseSkin', '', GRAPHITE, layout_wide(), colour_wide(150), library='Drusk', colour_library='Velmora'),
    Skin('One', 'Skins/One', ALUMINIUM, layout_wide(), colour_wide(150)),
    Skin('Two', 'Skins/Two', NAVY, layout_drawer(), colour_drawer(), library='Two', colour_library='Velmora'),
    Skin('Three', 'Skins/Three', PIANO, layout_orb(), colour_wing(), flat_lcd=True),
]


# --- drawing --------------------------------------------------------------------------------
def noise(x, y):
    """A steady pseudo-random value in [0, 1) per pixel."""
    n = (x * 374761393 + y * 668265263) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return (n & 0xFFFF) / 65536.0


def body(look, w, h, radius, extra=None):
    """The panel's plate on the transparent colour: a soft dark edge, a light rim at the top."""
    c = Canvas(w, h, (24, 26, 30))
    outline = round_rect(0.5, 0.5, w - 0.5, h - 0.5, radius)
    if extra:
        outline = outline | extra
    c.fill(outline, look.rim)
    face = outline.grow(-1.5)
    top, bottom = look.body
    c.fill(face, vgrad(0, h, top, bottom))
    if look is ALUMINIUM:
        # Brushed metal: faint horizontal streaks.
        streak = lambda x, y: (lambda v: (v, v, v))(236 if noise(int(x) // 7, int(y)) > 0.5 else 150)
        c.fill(face, streak, 0.06)
    c.fill(face.stroke(1.0) & round_rect(0, 0, w, h * 0.45, 0), look.rim_light, 0.55)
    c.cut_outside(outline)
    return c


def recess(c, look, rect, radius, fill):
    """A hollow in the panel: a dark line on top, a light one below."""
    x, y, w, h = rect
    c.fill(round_rect(x - 1, y - 1, x + w + 1, y + h + 1.5, radius + 1), look.rim_light, 0.45)
    c.fill(round_rect(x - 1, y - 1.5, x + w + 1, y + h + 1, radius + 1), look.rim)
    c.fill(round_rect(x, y, x + w, y + h, radius), fill)


def lcd(c, look, rect, flat):
    x, y, w, h = rect
    top, bottom = look.lcd
    recess(c, look, rect, 4, vgrad(y, y + h, top, bottom) if not flat else top)
    if not flat:
        # A faint glass sheen over the upper half, and scan lines.
        c.fill(polygon([(x + 2, y + 2), (x + w * 0.55, y + 2), (x + w * 0.35, y + h * 0.55), (x + 2, y + h * 0.55)]),
               WHITE, 0.04)
        for yy in range(int(y) + 2, int(y + h) - 1, 2):
            c.fill(round_rect(x + 2, yy, x + w - 2, yy + 1, 0), BLACK, 0.12)


def key_face(c, look, w, h, state, corners):
    """The key of a button in one of its states, drawn over the panel picture c (w x h)."""
    r = look.key_radius
    top_extra = -r * 2 if corners == 'bottom' else 0
    bottom_extra = r * 2 if corners == 'top' else 0
    if look.shape == 'round' and abs(w - h) <= 2:
        shape = circle(w / 2, h / 2, min(w, h) / 2 - 1)
    else:
        rr = min(r, h / 2 - 1) if look.shape == 'pill' else r
        shape = round_rect(1, 1 + top_extra, w - 1, h - 1 + bottom_extra, rr)
    grad = {0: look.key_hover, 1: look.key, 2: look.key_pressed, 3: look.key}[state]
    alpha = 0.55 if state == 3 else 1.0
    c.fill(shape.moved(0, 1).grow(0.5), BLACK, 0.25 * alpha)
    c.fill(shape.grow(0.5), look.key_border, alpha)
    c.fill(shape.grow(-0.5), vgrad(0, h, grad[0], grad[1]), alpha)
    if state != 2:
        c.fill(shape.grow(-0.5).stroke(1.0) & round_rect(0, 0, w, h * 0.5, 0), look.key_light, 0.45 * alpha)
    else:
        c.fill(shape.grow(-0.5).stroke(1.0) & round_rect(0, 0, w, h * 0.4, 0), BLACK, 0.35)
    if look.shape == 'pill' and state != 2:
        c.fill(shape.grow(-1.5) & round_rect(0, 0, w, h * 0.48, 0), WHITE, 0.10 * alpha)
    if corners == 'top':
        c.fill(round_rect(2, h - 1, w - 2, h, 0), look.key_border)
    return shape


def button_picture(background, look, glyph_name, state, checked, corners='all'):
    """state: 0 hover, 1 normal, 2 pressed, 3 disabled; checked: the pressed picture of a two-state
    button, which is also what it rests on while on."""
    c = background.copy()
    w, h = c.w, c.h
    key_face(c, look, w, h, state, corners)
    ink = {0: look.ink_hover, 1: look.ink, 2: look.ink_pressed, 3: look.ink_disabled}[state]
    shift = 1 if state == 2 else 0
    size = min(h - 8, 14) if h < 24 else 14
    accent = look.accent if glyph_name != 'record' else (228, 44, 40)
    if state == 3:
        accent = mix(accent, look.ink_disabled, 0.7)
    if glyph_name == 'record' and w > 1.8 * h:
        label_h = min(8, h - 12)
        total = size + 4 + text_width('REC', label_h)
        x0 = (w - total) / 2 + shift
        glyph(c, 'record', x0 + size / 2, h / 2 + shift, size, ink, accent)
        text(c, 'REC', x0 + size + 4, (h - label_h) / 2 + shift, label_h, ink)
    else:
        glyph(c, glyph_name, w / 2 + shift, h / 2 + shift, size, ink, accent,
              'checked' if checked and state == 2 else None)
    return c


def slider_track(background, look, vertical, kind):
    """The groove the thumb runs along, between the track bar's end margins."""
    c = background.copy()
    w, h = c.w, c.h
    if vertical:
        cx = THUMB_INSET + (w - 2 * THUMB_INSET) / 2
        groove = round_rect(cx - 2.5, CHANNEL_MARGIN - 2, cx + 2.5, h - CHANNEL_MARGIN + 2, 2.5)
        for i in range(11):
            y = CHANNEL_MARGIN + THUMB_LENGTH / 2 + i * (h - 2 * CHANNEL_MARGIN - THUMB_LENGTH) / 10
            c.fill(round_rect(cx + 6, y - 0.5, cx + (9 if i % 5 == 0 else 7.5), y + 0.5, 0), look.label, 0.7)
            c.fill(round_rect(cx - (9 if i % 5 == 0 else 7.5), y - 0.5, cx - 6, y + 0.5, 0), look.label, 0.7)
    else:
        cy = THUMB_INSET + (h - 2 * THUMB_INSET) / 2
        groove = round_rect(CHANNEL_MARGIN - 2, cy - 2.5, w - CHANNEL_MARGIN + 2, cy + 2.5, 2.5)
    c.fill(groove.moved(0, 1), look.groove_light, 0.5)
    if kind in ('brightness', 'contrast', 'hue', 'saturation'):
        ramp = {
            'brightness': hgrad(CHANNEL_MARGIN, w - CHANNEL_MARGIN, (8, 8, 8), (250, 250, 250)),
            'contrast': hgrad(CHANNEL_MARGIN, w - CHANNEL_MARGIN, (120, 120, 120), (250, 250, 250)),
            'saturation': hgrad(CHANNEL_MARGIN, w - CHANNEL_MARGIN, (140, 140, 140), (230, 40, 40)),
            'hue': lambda x, y: hue(clamp((x - CHANNEL_MARGIN) / (w - 2 * CHANNEL_MARGIN)) * 0.999),
        }[kind]
        c.fill(groove, look.groove)
        c.fill(groove.grow(-1), ramp)
    else:
        c.fill(groove, look.groove)
    return c


def thumb_picture(look, w, h, vertical):
    """A thumb on the transparent colour: its window shape is cut from it."""
    c = Canvas(w, h, (30, 30, 34))
    shape = round_rect(0.5, 0.5, w - 0.5, h - 0.5, 2.5)
    c.fill(shape, look.key_border)
    c.fill(shape.grow(-1), vgrad(0, h, *look.thumb))
    if vertical:
        for dy in (-2, 0, 2):
            c.fill(round_rect(4, h / 2 + dy - 0.5, w - 4, h / 2 + dy + 0.5, 0), look.key_border, 0.5)
    else:
        c.fill(round_rect(w / 2 - 0.5, 3, w / 2 + 0.5, h - 3, 0), look.accent)
    c.cut_outside(shape)
    return c


def position_track(background, look, start, end, middle, band):
    c = background.copy()
    w, h = c.w, c.h
    groove = round_rect(start - 3, middle - band / 2 - 2, end + 3, middle + band / 2 + 2, band / 2 + 2)
    c.fill(groove.moved(0, 1), look.groove_light, 0.5)
    c.fill(groove, look.groove)
    for i in range(11):
        x = start + i * (end - start) / 10
        tall = 3 if i % 5 == 0 else 1.5
        c.fill(round_rect(x - 0.5, middle + band / 2 + 3, x + 0.5, middle + band / 2 + 3 + tall, 0), look.label, 0.8)
    return c


def position_thumb(look, w, h):
    c = Canvas(w, h, (30, 30, 34))
    shape = polygon([(w / 2, h - 0.5), (0.5, h - 6), (0.5, 0.5), (w - 0.5, 0.5), (w - 0.5, h - 6)])
    c.fill(shape, look.key_border)
    c.fill(shape.grow(-1), vgrad(0, h, *look.thumb))
    c.fill(round_rect(w / 2 - 0.5, 3, w / 2 + 0.5, h - 6, 0), look.accent)
    c.cut_outside(shape)
    return c


def logo(c, look, x, y, word=True):
    c.fill(circle(x + 8, y + 8, 7.5), look.rim)
    c.fill(circle(x + 8, y + 8, 6.5), vgrad(y, y + 16, mix(look.accent, WHITE, 0.35), mix(look.accent, BLACK, 0.3)))
    c.fill(polygon([(x + 6, y + 4.5), (x + 12, y + 8), (x + 6, y + 11.5)]), WHITE, 0.9)
    if word:
        text(c, 'MIREVAL IV', x + 22, y + 4, 8, look.name)


def panel_background(skin):
    look, p = skin.look, skin.panel
    w, h = p['size']
    extra = circle(*p['orb'][:2], p['orb'][2] + 10) if 'orb' in p else None
    c = body(look, w, h, p['radius'], extra)
    if 'bay' in p:
        x, y, bw, bh = p['bay']
        recess(c, look, p['bay'], 10, vgrad(y, y + bh, *look.plate))
        text(c, 'PICTURE', x + (bw - text_width('PICTURE', 9)) / 2, y + bh / 2 - 4.5, 9, look.label, alpha=0.35)
    if 'orb' in p:
        ox, oy, r = p['orb']
        c.fill(circle(ox, oy, r + 1.5), look.rim)
        c.fill(circle(ox, oy, r), vgrad(oy - r, oy + r, *look.plate))
        c.fill(arc(ox, oy, r - 5, 2, -150, -30), look.accent, 0.9)
        logo(c, look, ox - 8, oy - 8, word=False)
    for plate in p['plates']:
        recess(c, look, plate, 6, vgrad(plate[1], plate[1] + plate[3], *look.plate))
    lcd(c, look, p['lcd'], skin.flat_lcd)
    logo(c, look, *p['logo'])
    for label, x, y, width in p['labels']:
        tw = text_width(label, 6)
        text(c, label, x + (width - tw) / 2 if width else x, y, 6, look.label)
    if 'ramp' in p:
        x0, y0, x1, y1 = p['ramp']
        c.fill(polygon([(x0, y1), (x1, y1), (x1, y0)]), look.label, 0.35)
    return c


def colour_background(skin):
    look, k = skin.look, skin.colour
    w, h = k['size']
    c = body(look, w, h, k['radius'])
    if 'orb' in k:
        ox, oy, r = k['orb']
        c.fill(circle(ox, oy, r + 1.5), look.rim)
        c.fill(circle(ox, oy, r), vgrad(oy - r, oy + r, *look.plate))
        c.fill(arc(ox, oy, r - 5, 2, -150, -30), look.accent, 0.9)
        logo(c, look, ox - 8, oy - 8, word=False)
    text(c, 'PICTURE', k['title'][0], k['title'][1], 7, look.name)
    icon_x = k.get('icon_x')
    for name in ['Brightness', 'Contrast', 'Hue', 'Saturation', 'Sharpness']:
        x, y, sw, sh = k[name]
        glyph(c, name.lower(), (icon_x if icon_x else x - 14), y + sh / 2, 13, look.label)
    return c


# --- files ----------------------------------------------------------------------------------
class Output:
    """The pictures of one description: bitmap files named after their sections, or resources of
    a library numbered from 100."""

    def __init__(self, folder, library):
        self.folder = folder
        self.library = library
        self.next_id = 100
        self.rc = ['// Written by make_skins.py.']
        os.makedirs(folder, exist_ok=True)

    def add(self, name, canvas):
        """Writes a picture; gives what the description names it by."""
        if self.library:
            ident = self.next_id
            self.next_id += 1
            file_name = '%s_%d.bmp' % (self.library.lower(), ident)
            self.rc.append('%d BITMAP "%s"' % (ident, file_name))
        else:
            ident = name
            file_name = name + '.bmp'
        with open(os.path.join(self.folder, file_name), 'wb') as f:
            f.write(canvas.bmp())
        return ident

    def reserve(self, count):
        """Makes the next resource numbers start on a fresh block of ten (a button's four)."""
        if self.library:
            self.next_id = (self.next_id + 9) // 10 * 10


def seek_cursor():
    # A hand-free seek cursor: a vertical bar with arrows either side; hot spot on the bar.
    rows = [''] * 6 + [
        '          X   X   X',
        '         XX  X.X  XX',
        '        X.X  X.X  X.X',
        '       X..XXXX.XXXX..X',
        '      X...............X',
        '       X..XXXX.XXXX..X',
        '        X.X  X.X  X.X',
        '         XX  X.X  XX',
        '          X   X   X',
    ]
    return make_pictures.monochrome_cursor(rows, (14, 10))


CURSOR_ID = 90


def describe_panel(skin, out):
    """Draws the panel's pictures; gives the description's sections in order."""
    look, p = skin.look, skin.panel
    bg = panel_background(skin)
    sections = []
    loadfrom = [] if skin.library else [('LOADFROM', '1')]
    sections.append(('Panel', [('TYPE', 'Dialog'), ('ID', str(PANEL_DIALOG)), ('STYLE', '2'), ('TRANSPARENT', '1')] +
                     loadfrom + [('BACKBMP', str(out.add('Panel', bg)))]))
    for name, ident, kind, glyph_name in PANEL_CONTROLS:
        x, y, w, h = p[name]
        under = bg.crop(x, y, w, h)
        if kind in ('button', 'toggle'):
            corners = {'ChannelUp': 'top', 'ChannelDown': 'bottom'}.get(name, 'all') if p.get('rocker') else 'all'
            out.reserve(4)
            pictures = [button_picture(under, look, glyph_name, state, kind == 'toggle', corners)
                        for state in range(4)]
            if skin.library:
                first = out.add(name, pictures[0])
                for picture in pictures[1:]:
                    out.add(name, picture)
                bmp = str(first)
            else:
                for picture, suffix in zip(pictures, 'HUDX'):
                    out.add(name + suffix, picture)
                bmp = name
            keys = [('TYPE', 'BUTTON'), ('ID', str(ident))]
            if kind == 'toggle':
                keys.append(('STYLE', '1'))
            keys += [('POSITION', '%d,%d' % (x, y))] + loadfrom + [('BMPNAME', bmp)]
        elif kind == 'vslider':
            track = out.add(name + 'Track', slider_track(under, look, True, None))
            thumb = out.add(name + 'Thumb', thumb_picture(look, w - 2 * THUMB_INSET, THUMB_LENGTH, True))
            keys = [('TYPE', 'SLIDER'), ('ID', str(ident)), ('POSITION', '%d,%d' % (x, y)), ('TRANSPARENT', '1'),
                    ('HORIZONTAL', '0')] + loadfrom + [('SLIDERBMP', str(track)), ('THUMBBMP', str(thumb))]
        elif kind == 'multislider':
            start, end, middle, band = 8, w - 8, h // 2 - 1, 4
            track = out.add(name + 'Track', position_track(under, look, start, end, middle, band))
            # The thumb's centre stands on the middle line.
            thumb = out.add(name + 'Thumb', position_thumb(look, 11, 2 * middle + 1))
            keys = [('TYPE', 'MULTISLIDER'), ('ID', str(ident)), ('POSITION', '%d,%d' % (x, y)),
                    ('TRANSPARENT', '1')] + loadfrom + [
                ('SLIDERBMP', str(track)), ('THUMBBMP', str(thumb)), ('STARTEDGE', str(start)),
                ('ENDEDGE', str(end)), ('MIDDLELINE', str(middle)), ('MIDDLEHEI', str(band)),
                ('CURSOR', str(CURSOR_ID))]
        else:
            big = glyph_name == 'channel'
            keys = [('TYPE', 'STATIC'), ('ID', str(ident))]
            if skin.flat_lcd:
                keys += [('STYTLE', '1'), ('POSITION', '%d,%d' % (x, y)), ('SIZE', '%d,%d' % (w, h)),
                         ('BACKCOLOR', str(colorref(look.lcd[0])))]
            else:
                keys += [('STYTLE', '2'), ('POSITION', '%d,%d' % (x, y)), ('SIZE', '%d,%d' % (w, h))] + loadfrom + [
                    ('BACKBMP', str(out.add(name + 'Back', under)))]
            keys += [('TEXTCOLOR', '%d,%d,%d' % look.lcd_text), ('FONTCHARSET', '134'), ('FONTFACENAME', 'Tahoma'),
                     ('FONTSIZE', '0,%d' % (-17 if big else -12))]
        sections.append((name, keys))
    return sections


def describe_colour(skin, out):
    look, k = skin.look, skin.colour
    bg = colour_background(skin)
    loadfrom = [] if skin.colour_library else [('LOADFROM', '1')]
    sections = [('Panel', [('TYPE', 'Dialog'), ('ID', str(COLOUR_DIALOG)), ('STYLE', '2'), ('TRANSPARENT', '1')] +
                 loadfrom + [('BACKBMP', str(out.add('ColorPanel', bg)))])]
    for name, ident, kind, glyph_name in COLOUR_CONTROLS:
        x, y, w, h = k[name]
        under = bg.crop(x, y, w, h)
        if kind == 'button':
            out.reserve(4)
            pictures = [button_picture(under, look, glyph_name, state, False) for state in range(4)]
            if skin.colour_library:
                bmp = str(out.add(name, pictures[0]))
                for picture in pictures[1:]:
                    out.add(name, picture)
            else:
                for picture, suffix in zip(pictures, 'HUDX'):
                    out.add(name + suffix, picture)
                bmp = name
            keys = [('TYPE', 'BUTTON'), ('ID', str(ident)), ('POSITION', '%d,%d' % (x, y))] + loadfrom + [
                ('BMPNAME', bmp)]
        else:
            track = out.add(name + 'Track', slider_track(under, look, False, glyph_name))
            thumb = out.add(name + 'Thumb', thumb_picture(look, THUMB_LENGTH, h - 2 * THUMB_INSET, False))
            keys = [('TYPE', 'SLIDER'), ('ID', str(ident)), ('POSITION', '%d,%d' % (x, y)), ('TRANSPARENT', '1')] + \
                loadfrom + [('SLIDERBMP', str(track)), ('THUMBBMP', str(thumb))]
        sections.append((name, keys))
    return sections


def colorref(rgb):
    r, g, b = rgb
    return r | (g << 8) | (b << 16)


def ini_text(sections):
    lines = []
    for name, keys in sections:
        lines.append('[%s]' % name)
        lines += ['%s=%s' % kv for kv in keys]
        lines.append('')
    return '\r\n'.join(lines)


def skin_set_text():
    listed = [s for s in SKINS if s.folder]
    sections = [('General', [('Total', str(len(listed)))] + [('Skin-%d' % i, s.name) for i, s in enumerate(listed)])]
    for s in listed:
        folder = s.folder.replace('/', '\\')
        library = s.library or s.name
        sections.append((s.name, [('Ini', folder + '\\Skin.ini'), ('Dll', folder + '\\' + library + '.dll')]))
    return ini_text(sections)


def library_targets(skin):
    """The build targets of a skin's two libraries: the panel's and the colour panel's."""
    panel = skin.library or skin.name
    colour = 'Velmora' if not skin.folder else skin.name + '_Velmora'
    return panel, colour


def build(source, install, work, write_ini):
    """install: the application folder; work: one folder per resource library, holding its
    pictures and its script library.rc."""
    texts = {'SkinSet.ini': ('', skin_set_text())}
    for skin in SKINS:
        panel_target, colour_target = library_targets(skin)
        folder = os.path.join(install, skin.folder)
        panel_work = os.path.join(work, panel_target)
        colour_work = os.path.join(work, colour_target)
        panel_out = Output(panel_work if skin.library else folder, skin.library)
        colour_out = Output(colour_work if skin.colour_library else folder, skin.colour_library)
        texts[os.path.join(skin.name, 'Skin.ini')] = (skin.folder, ini_text(describe_panel(skin, panel_out)))
        texts[os.path.join(skin.name, 'ColorSkin.ini')] = (skin.folder, ini_text(describe_colour(skin, colour_out)))
        # Every panel library carries the position slider's cursor: a skin drawn from files still
        # has a library of its own for it. A colour panel drawn from files has an empty one.
        os.makedirs(panel_work, exist_ok=True)
        os.makedirs(colour_work, exist_ok=True)
        with open(os.path.join(panel_work, 'seek.cur'), 'wb') as f:
            f.write(seek_cursor())
        # Each library also names its skin (and so is never empty).
        name = ['STRINGTABLE', 'BEGIN', '  1 "%s"' % skin.name, 'END']
        rc = panel_out.rc if skin.library else ['// Written by make_skins.py.']
        write_rc(panel_work, rc + ['%d CURSOR "seek.cur"' % CURSOR_ID] + name)
        write_rc(colour_work, (colour_out.rc if skin.colour_library else ['// Written by make_skins.py.']) + name)

    for relative, (folder, content) in texts.items():
        committed = os.path.join(source, relative)
        if write_ini:
            with open(committed, 'w', newline='') as f:
                f.write(content)
            continue
        with open(committed, newline='') as f:
            if f.read() != content:
                sys.exit('make_skins.py: %s does not match its layout (run with --write-ini)' % committed)
        installed = os.path.join(install, folder, os.path.basename(relative))
        os.makedirs(os.path.dirname(installed), exist_ok=True)
        with open(installed, 'w', newline='') as f:
            f.write(content)


def write_rc(folder, lines):
    with open(os.path.join(folder, 'library.rc'), 'w') as f:
        f.write('\n'.join(lines) + '\n')


def main():
    if sys.argv[1] == '--write-ini':
        with tempfile.TemporaryDirectory() as scratch:
            build(sys.argv[2], os.path.join(scratch, 'bin'), os.path.join(scratch, 'work'), True)
    elif sys.argv[1] == '--libraries':
        # The library targets, for the build files: target name and its folder in the application.
        for skin in SKINS:
            for target, name in zip(library_targets(skin), (skin.library or skin.name, 'Velmora')):
                print('%s,%s,%s' % (target, name, skin.folder))
    else:
        build(sys.argv[1], sys.argv[2], sys.argv[3], False)


if __name__ == '__main__':
    main()
