"""The pictograms on the skins' buttons and panels, drawn into a box of size s centred on (cx, cy)."""
import math

from paint import arc, capsule, circle, polygon, polyline, round_rect, star, union, hue

RED = (228, 52, 44)


def _arrow_head(x, y, angle, size):
    a = math.radians(angle)
    tip = (x + math.cos(a) * size * 0.6, y + math.sin(a) * size * 0.6)
    left = (x + math.cos(a + 2.3) * size * 0.55, y + math.sin(a + 2.3) * size * 0.55)
    right = (x + math.cos(a - 2.3) * size * 0.55, y + math.sin(a - 2.3) * size * 0.55)
    return polygon([tip, left, right])


def glyph(canvas, name, cx, cy, s, ink, accent=RED, state=None):
    """ink: the pictogram's colour; accent: the colour of its signal part (the record dot, the mute
    cross); state: 'checked' for a two-state button that is on."""
    u = s / 12.0  # one unit of a 12-unit box
    w = max(0.75, 0.85 * u)  # half the stroke width

    def P(x, y):
        return (cx + x * u, cy + y * u)

    def line(*pts):
        return polyline([P(x, y) for x, y in pts], w)

    fill = canvas.fill
    if name == 'exit':
        fill(arc(cx, cy + 0.4 * u, 4.6 * u, 2 * w, -50, 230), ink)
        fill(line((0, -6), (0, -0.5)), ink)
    elif name == 'hide':
        fill(line((-4.5, 3.5), (4.5, 3.5)), ink)
    elif name == 'settings':
        teeth = union(capsule(*P(math.cos(a) * 3.2, math.sin(a) * 3.2), *P(math.cos(a) * 5.2, math.sin(a) * 5.2),
                              1.25 * u) for a in [i * math.pi / 4 for i in range(8)])
        fill((circle(cx, cy, 4.1 * u) | teeth) - circle(cx, cy, 1.7 * u), ink)
    elif name == 'about':
        fill(circle(*P(0, -4.2), 1.15 * u), ink)
        fill(line((-1.2, -1.2), (0, -1.2), (0, 4.6)), ink)
        fill(line((-1.6, 4.6), (1.8, 4.6)), ink)
    elif name == 'skin':
        body = circle(cx, cy, 5.4 * u) - circle(*P(2.6, 2.6), 1.8 * u)
        fill(body.stroke(2 * w), ink)
        for (x, y), c in (((-2.4, -1.8), (236, 96, 80)), ((0.6, -3.0), (250, 200, 70)), ((-2.6, 1.6), (90, 170, 240))):
            fill(circle(*P(x, y), 1.15 * u), c)
    elif name in ('up', 'down'):
        d = -1 if name == 'up' else 1
        fill(polygon([P(-4.6, 2.4 * -d), P(4.6, 2.4 * -d), P(0, 3.0 * d)]).grow(0.6 * u), ink)
    elif name == 'last':
        fill(arc(*P(1, 0.5), 3.8 * u, 2 * w, -90, 90), ink)
        fill(line((1, -3.3), (-3.2, -3.3)), ink)
        fill(line((1, 4.3), (-2, 4.3)), ink)
        fill(_arrow_head(*P(-4.2, -3.3), 180, 5.5 * u), ink)
    elif name == 'record':
        fill(circle(cx, cy, 4.4 * u), accent)
        fill(circle(*P(-1.3, -1.4), 1.3 * u), (255, 255, 255), 0.35)
    elif name == 'pause':
        fill(round_rect(*P(-3.6, -4.4), *P(-1.0, 4.4), 0.6 * u), ink)
        fill(round_rect(*P(1.0, -4.4), *P(3.6, 4.4), 0.6 * u), ink)
    elif name == 'stop':
        fill(round_rect(*P(-3.8, -3.8), *P(3.8, 3.8), 0.9 * u), ink)
    elif name == 'snapshot':
        body = round_rect(*P(-5.6, -2.8), *P(5.6, 4.6), 1.6 * u) | round_rect(*P(-2.2, -4.6), *P(2.2, -1.5), 0.8 * u)
        fill(body - circle(*P(0, 0.9), 2.9 * u), ink)
        fill(circle(*P(0, 0.9), 1.6 * u), ink)
    elif name == 'mute':
        fill(polygon([P(-5.6, -1.8), P(-3.0, -1.8), P(0.2, -4.8), P(0.2, 4.8), P(-3.0, 1.8), P(-5.6, 1.8)]), ink)
        if state == 'checked':
            fill(line((2.2, -2.2), (5.8, 2.2)), accent)
            fill(line((5.8, -2.2), (2.2, 2.2)), accent)
        else:
            fill(arc(*P(0.2, 0), 3.0 * u, 1.6 * w, -45, 45), ink)
            fill(arc(*P(0.2, 0), 5.6 * u, 1.6 * w, -45, 45), ink)
    elif name == 'adjust':
        fill(circle(cx, cy, 5.0 * u).stroke(1.6 * w), ink)
        fill(circle(cx, cy, 5.0 * u) & polygon([P(0, -6), P(6, -6), P(6, 6), P(0, 6)]), ink)
    elif name == 'input':
        fill(line((-5, -2.3), (4, -2.3)), ink)
        fill(_arrow_head(*P(4.6, -2.3), 0, 5 * u), ink)
        fill(line((5, 2.3), (-4, 2.3)), ink)
        fill(_arrow_head(*P(-4.6, 2.3), 180, 5 * u), ink)
    elif name == 'wall':
        for i in (-1, 0, 1):
            for j in (-1, 0, 1):
                fill(round_rect(*P(i * 3.8 - 1.5, j * 3.6 - 1.4), *P(i * 3.8 + 1.5, j * 3.6 + 1.4), 0.5 * u), ink)
    elif name == 'scan':
        fill(circle(*P(-1, -1), 3.8 * u).stroke(1.8 * w), ink)
        fill(capsule(*P(1.8, 1.8), *P(5, 5), 1.2 * w), ink)
    elif name == 'favourite':
        shape = star(cx, cy + 0.4 * u, 5.8 * u, 2.5 * u)
        if state == 'checked':
            fill(shape, (250, 196, 60))
        else:
            fill(shape.stroke(1.5 * w), ink)
    elif name == 'osd':
        fill(round_rect(*P(-5.6, -4.4), *P(5.6, 4.4), 1.2 * u).stroke(1.5 * w), ink)
        for y in (-1.6, 0.8, 3.2):
            fill(line((-3, y - 0.6), (3, y - 0.6)), ink)
    elif name == 'schedule':
        fill(circle(cx, cy, 5.0 * u).stroke(1.6 * w), ink)
        fill(line((0, -3), (0, 0), (2.4, 1.4)), ink)
    elif name == 'tools':
        for i in (-1, 0, 1):
            fill(circle(*P(i * 3.8, 0), 1.35 * u), ink)
    elif name == 'movie':
        fill(round_rect(*P(-5.8, -4.2), *P(5.8, 4.2), 1.0 * u).stroke(1.5 * w), ink)
        fill(polygon([P(-1.6, -2.4), P(2.6, 0), P(-1.6, 2.4)]).grow(0.3 * u), ink)
    elif name == 'pictures':
        fill(round_rect(*P(-5.8, -4.4), *P(5.8, 4.4), 1.0 * u).stroke(1.5 * w), ink)
        fill(polygon([P(-4.4, 3.2), P(-1.2, -0.6), P(1.0, 1.6), P(2.4, 0.4), P(4.4, 3.2)]), ink)
        fill(circle(*P(2.4, -2.0), 1.1 * u), ink)
    elif name == 'timeshift':
        fill(arc(cx, cy, 4.6 * u, 1.6 * w, -30, 250), ink)
        fill(_arrow_head(*P(3.9, -2.5), 100, 5 * u), ink)
        fill(line((0, -2.2), (0, 0.4), (1.8, 1.6)), ink)
    elif name == 'reset':
        fill(arc(cx, cy, 4.4 * u, 1.7 * w, -200, 60), ink)
        fill(_arrow_head(*P(-4.3, -1.6), 250, 5.2 * u), ink)
    elif name == 'close':
        fill(line((-3.6, -3.6), (3.6, 3.6)), ink)
        fill(line((3.6, -3.6), (-3.6, 3.6)), ink)
    elif name == 'brightness':
        fill(circle(cx, cy, 2.5 * u), ink)
        for i in range(8):
            a = i * math.pi / 4
            fill(capsule(*P(math.cos(a) * 4.0, math.sin(a) * 4.0), *P(math.cos(a) * 5.4, math.sin(a) * 5.4), w), ink)
    elif name == 'contrast':
        fill(circle(cx, cy, 5.0 * u).stroke(1.5 * w), ink)
        fill(circle(cx, cy, 5.0 * u) & polygon([P(-6, -6), P(0, -6), P(0, 6), P(-6, 6)]), ink)
    elif name == 'hue':
        steps = 12
        for i in range(steps):
            fill(arc(cx, cy, 4.2 * u, 2.4 * u, i * 360 / steps - 1, (i + 1) * 360 / steps + 1), hue(i / steps))
    elif name == 'saturation':
        drop = polygon([P(0, -5.6), P(3.2, -0.6), P(-3.2, -0.6)]) | circle(*P(0, 1.6), 3.6 * u)
        fill(drop, ink)
        fill(circle(*P(-1.3, 1.8), 1.2 * u), (255, 255, 255), 0.35)
    elif name == 'sharpness':
        fill(polygon([P(0, -5.4), P(5.2, 4.4), P(-5.2, 4.4)]).stroke(1.5 * w), ink)
        fill(polygon([P(0, -5.4), P(5.2, 4.4), P(0, 4.4)]), ink)
    else:
        raise KeyError(name)
