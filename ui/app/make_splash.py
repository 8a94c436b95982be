#!/usr/bin/env python3
"""Draws Splash.bmp, the start-up picture shown while the application opens the card.

usage: make_splash.py OUTPUT_FILE
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'resources', 'OndrixRsc'))
from make_pictures import Canvas  # noqa: E402

NAVY = (20, 34, 72)
BLUE = (48, 96, 176)
SKY = (120, 170, 230)
SILVER = (200, 206, 214)
DARK = (24, 24, 28)
ORANGE = (240, 150, 40)


def splash():
    c = Canvas(400, 240)
    c.vgradient(0, 0, 400, 240, NAVY, BLUE)
    c.frame(0, 0, 400, 240, SKY, NAVY)
    # A television: cabinet, screen with test bars, antenna and stand.
    c.rect(120, 50, 280, 170, SILVER)
    c.frame(120, 50, 280, 170, (240, 240, 244), (110, 116, 126))
    c.rect(132, 60, 268, 156, DARK)
    bars = [(192, 192, 192), (192, 192, 0), (0, 192, 192), (0, 192, 0), (192, 0, 192), (192, 0, 0), (0, 0, 192)]
    for i, colour in enumerate(bars):
        c.rect(136 + i * 18, 64, 136 + (i + 1) * 18, 130, colour)
    c.hgradient(136, 132, 262, 152, (0, 0, 0), (255, 255, 255))
    c.line(200, 50, 170, 20, SILVER, 3)
    c.line(200, 50, 232, 18, SILVER, 3)
    c.disc(200, 50, 5, ORANGE)
    c.rect(180, 170, 220, 182, SILVER)
    c.rect(150, 182, 250, 188, SILVER)
    # A progress strip under the set.
    c.rect(100, 210, 300, 216, NAVY)
    c.hgradient(100, 210, 300, 216, ORANGE, (255, 220, 120))
    return c


def main():
    out = sys.argv[1]
    os.makedirs(os.path.dirname(out) or '.', exist_ok=True)
    with open(out, 'wb') as f:
        f.write(splash().bmp())


if __name__ == '__main__':
    main()
