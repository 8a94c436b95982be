"""Anti-aliased painting for the skin pictures: shapes given by signed distance (negative inside),
colours blended by how much of each pixel a shape covers, and a stroke font for the few words the
skins carry. Pictures are written through the resource library's bitmap writer."""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'OndrixRsc'))
import make_pictures  # noqa: E402  (the BMP and cursor writers)

GREEN = (0, 255, 0)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


# --- shapes ---------------------------------------------------------------------------------
class Shape:
    """A distance function with a bounding box (x0, y0, x1, y1) outside of which it covers nothing."""

    def __init__(self, dist, box):
        self.dist = dist
        self.box = box

    def __or__(self, other):
        a, b = self.dist, other.dist
        return Shape(lambda x, y: min(a(x, y), b(x, y)), union_box(self.box, other.box))

    def __and__(self, other):
        a, b = self.dist, other.dist
        box = (max(self.box[0], other.box[0]), max(self.box[1], other.box[1]), min(self.box[2], other.box[2]),
               min(self.box[3], other.box[3]))
        return self._keep_skip(Shape(lambda x, y: max(a(x, y), b(x, y)), box))

    def __sub__(self, other):
        a, b = self.dist, other.dist
        return self._keep_skip(Shape(lambda x, y: max(a(x, y), -b(x, y)), self.box))

    def _keep_skip(self, shape):
        # Where this shape covers nothing, neither does a part of it.
        if getattr(self, 'skip', None):
            shape.skip = self.skip
        return shape

    def stroke(self, width):
        d = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: abs(d(x, y)) - width / 2, (x0 - width, y0 - width, x1 + width, y1 + width))

    def grow(self, amount):
        d = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: d(x, y) - amount, (x0 - amount, y0 - amount, x1 + amount, y1 + amount))

    def moved(self, dx, dy):
        d = self.dist
        x0, y0, x1, y1 = self.box
        return Shape(lambda x, y: d(x - dx, y - dy), (x0 + dx, y0 + dy, x1 + dx, y1 + dy))


def union_box(a, b):
    return (min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3]))


def union(shapes):
    shapes = list(shapes)
    result = shapes[0]
    for s in shapes[1:]:
        result = result | s
    return result


class RoundRect(Shape):
    """A rectangle with rounded corners; it knows which part of each row it covers whole."""

    def __init__(self, x0, y0, x1, y1, r):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
        hw, hh = (x1 - x0) / 2, (y1 - y0) / 2
        r = max(0.0, min(r, hw, hh))
        self.r = r
        ix, iy = hw - r, hh - r
        hypot = math.hypot

        def d(x, y):
            qx = x - cx
            qx = (qx if qx > 0 else -qx) - ix
            qy = y - cy
            qy = (qy if qy > 0 else -qy) - iy
            if qx > 0:
                return (hypot(qx, qy) if qy > 0 else qx) - r
            if qy > 0:
                return qy - r
            return (qx if qx > qy else qy) - r
        Shape.__init__(self, d, (x0, y0, x1, y1))

    def inside(self, y):
        """The pixel columns of row y (centre y + 0.5) that the shape covers whole, or None."""
        cy = y + 0.5
        if cy - 0.5 < self.y0 or cy + 0.5 > self.y1:
            return None
        r = self.r
        inset = 0.0
        if cy < self.y0 + r:
            dy = self.y0 + r - (cy - 0.5)
            inset = r - math.sqrt(max(0.0, r * r - dy * dy))
        elif cy > self.y1 - r:
            dy = (cy + 0.5) - (self.y1 - r)
            inset = r - math.sqrt(max(0.0, r * r - dy * dy))
        first = int(math.ceil(self.x0 + inset))
        last = int(math.floor(self.x1 - inset)) - 1
        return (first, last) if first <= last else None

    def grow(self, amount):
        return RoundRect(self.x0 - amount, self.y0 - amount, self.x1 + amount, self.y1 + amount, self.r + amount)

    def moved(self, dx, dy):
        return RoundRect(self.x0 + dx, self.y0 + dy, self.x1 + dx, self.y1 + dy, self.r)

    def stroke(self, width):
        ring = Shape.stroke(self, width)
        hollow = self.grow(-width / 2 - 1)
        ring.skip = hollow.inside
        return ring


def round_rect(x0, y0, x1, y1, r):
    return RoundRect(x0, y0, x1, y1, r)


def circle(cx, cy, r):
    return Shape(lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def capsule(ax, ay, bx, by, r):
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey or 1e-9

    def d(x, y):
        t = clamp(((x - ax) * ex + (y - ay) * ey) / ll)
        return math.hypot(x - ax - ex * t, y - ay - ey * t) - r
    return Shape(d, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r))


def polyline(points, r):
    return union(capsule(a[0], a[1], b[0], b[1], r) for a, b in zip(points, points[1:]))


def polygon(points):
    n = len(points)

    def d(x, y):
        best = (x - points[0][0]) ** 2 + (y - points[0][1]) ** 2
        sign = 1.0
        j = n - 1
        for i in range(n):
            vi, vj = points[i], points[j]
            ex, ey = vj[0] - vi[0], vj[1] - vi[1]
            wx, wy = x - vi[0], y - vi[1]
            t = clamp((wx * ex + wy * ey) / (ex * ex + ey * ey or 1e-9))
            bx, by = wx - ex * t, wy - ey * t
            best = min(best, bx * bx + by * by)
            c1, c2, c3 = y >= vi[1], y < vj[1], ex * wy > ey * wx
            if (c1 and c2 and c3) or not (c1 or c2 or c3):
                sign = -sign
            j = i
        return sign * math.sqrt(best)
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return Shape(d, (min(xs), min(ys), max(xs), max(ys)))


def half_plane(nx, ny, offset):
    """Inside where nx*x + ny*y < offset (n a unit vector)."""
    return Shape(lambda x, y: nx * x + ny * y - offset, (-1e4, -1e4, 1e4, 1e4))


def arc(cx, cy, r, width, start, end):
    """A ring piece from angle start to end (degrees, 0 = right, clockwise on screen)."""
    ring = circle(cx, cy, r).stroke(width)
    a0, a1 = math.radians(start), math.radians(end)
    mid = (a0 + a1) / 2
    half = (a1 - a0) / 2
    ux, uy = math.cos(mid), math.sin(mid)

    def d(x, y):
        ang = math.atan2(y - cy, x - cx)
        diff = abs((ang - mid + math.pi) % (2 * math.pi) - math.pi)
        return max(ring.dist(x, y), (diff - half) * r)
    return Shape(d, ring.box)


def star(cx, cy, outer, inner, points=5, turn=-90):
    pts = []
    for i in range(points * 2):
        a = math.radians(turn + i * 180 / points)
        rr = outer if i % 2 == 0 else inner
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    return polygon(pts)


# --- paints ---------------------------------------------------------------------------------
def vgrad(y0, y1, top, bottom):
    span = max(1e-6, y1 - y0)

    def paint(x, y):
        return mix(top, bottom, clamp((y - y0) / span))
    paint.by_row = True
    return paint


def hgrad(x0, x1, left, right):
    span = max(1e-6, x1 - x0)
    return lambda x, y: mix(left, right, clamp((x - x0) / span))


def hue(h):
    """A fully saturated colour at hue h in [0, 1)."""
    h = (h % 1.0) * 6
    i = int(h)
    f = h - i
    return [(255, 255 * f, 0), (255 * (1 - f), 255, 0), (0, 255, 255 * f), (0, 255 * (1 - f), 255),
            (255 * f, 0, 255), (255, 0, 255 * (1 - f))][i % 6]


# --- canvas ---------------------------------------------------------------------------------
class Canvas:
    def __init__(self, width, height, colour=BLACK):
        self.w, self.h = width, height
        self.px = [[tuple(map(float, colour)) for _ in range(width)] for _ in range(height)]

    def fill(self, shape, paint, alpha=1.0):
        x0, y0, x1, y1 = shape.box
        dist = shape.dist
        solid = not callable(paint)
        by_row = getattr(paint, 'by_row', False)
        inside = getattr(shape, 'inside', None)
        skip = getattr(shape, 'skip', None)
        lo = max(0, int(math.floor(x0 - 1)))
        hi = min(self.w, int(math.ceil(x1 + 1)))
        for y in range(max(0, int(math.floor(y0 - 1))), min(self.h, int(math.ceil(y1 + 1)))):
            row = self.px[y]
            cy = y + 0.5
            c = paint if solid else (paint(0, cy) if by_row else None)
            whole = inside(y) if inside else None
            empty = skip(y) if skip else None
            for x in range(lo, hi):
                if empty and empty[0] <= x <= empty[1]:
                    continue
                if whole and whole[0] <= x <= whole[1]:
                    cover = alpha
                else:
                    cover = 0.5 - dist(x + 0.5, cy)
                    if cover <= 0:
                        continue
                    cover = (1.0 if cover > 1 else cover) * alpha
                pc = c if c is not None else paint(x + 0.5, cy)
                if cover >= 1:
                    row[x] = pc
                    continue
                old = row[x]
                row[x] = (old[0] + (pc[0] - old[0]) * cover, old[1] + (pc[1] - old[1]) * cover,
                          old[2] + (pc[2] - old[2]) * cover)

    def coverage(self, shape):
        """How much of each pixel the shape covers."""
        cover = [[0.0] * self.w for _ in range(self.h)]
        x0, y0, x1, y1 = shape.box
        inside = getattr(shape, 'inside', None)
        for y in range(max(0, int(y0 - 1)), min(self.h, int(math.ceil(y1 + 1)))):
            whole = inside(y) if inside else None
            for x in range(max(0, int(x0 - 1)), min(self.w, int(math.ceil(x1 + 1)))):
                if whole and whole[0] <= x <= whole[1]:
                    cover[y][x] = 1.0
                else:
                    cover[y][x] = clamp(0.5 - shape.dist(x + 0.5, y + 0.5))
        return cover

    def cut_outside(self, shape, colour=GREEN, threshold=0.35):
        """Pixels the shape barely covers become the transparent colour, exactly."""
        cover = self.coverage(shape)
        for y in range(self.h):
            for x in range(self.w):
                if cover[y][x] < threshold:
                    self.px[y][x] = colour

    def crop(self, x, y, w, h):
        c = Canvas(w, h)
        c.px = [list(self.px[y + j][x:x + w]) for j in range(h)]
        return c

    def copy(self):
        return self.crop(0, 0, self.w, self.h)

    def paste(self, other, x0, y0):
        for j in range(other.h):
            if 0 <= y0 + j < self.h:
                row = self.px[y0 + j]
                for i in range(other.w):
                    if 0 <= x0 + i < self.w:
                        row[x0 + i] = other.px[j][i]

    def bmp(self):
        out = make_pictures.Canvas(self.w, self.h)
        out.px = [[(int(r + 0.5), int(g + 0.5), int(b + 0.5)) for r, g, b in row] for row in self.px]
        return out.bmp()


# --- the stroke font ------------------------------------------------------------------------
# Capitals and digits on a grid 4 wide and 6 high; each glyph is a list of polylines.
_O = [[(1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6), (0, 5), (0, 1), (1, 0)]]
_P = [[(0, 6), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3)]]
FONT = {
    'A': [[(0, 6), (0, 2), (2, 0), (4, 2), (4, 6)], [(0, 3.7), (4, 3.7)]],
    'B': [[(0, 3), (0, 0), (3, 0), (4, 1), (4, 2), (3, 3), (0, 3), (0, 6), (3, 6), (4, 5), (4, 4), (3, 3)]],
    'C': [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 5), (1, 6), (3, 6), (4, 5)]],
    'D': [[(0, 0), (0, 6), (2.5, 6), (4, 4.5), (4, 1.5), (2.5, 0), (0, 0)]],
    'E': [[(4, 0), (0, 0), (0, 6), (4, 6)], [(0, 3), (3, 3)]],
    'F': [[(4, 0), (0, 0), (0, 6)], [(0, 3), (3, 3)]],
    'G': [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 5), (1, 6), (3, 6), (4, 5), (4, 3.5), (2.5, 3.5)]],
    'H': [[(0, 0), (0, 6)], [(4, 0), (4, 6)], [(0, 3), (4, 3)]],
    'I': [[(2, 0), (2, 6)]],
    'K': [[(0, 0), (0, 6)], [(4, 0), (0, 3.5)], [(1.4, 2.6), (4, 6)]],
    'L': [[(0, 0), (0, 6), (4, 6)]],
    'M': [[(0, 6), (0, 0), (2, 3.5), (4, 0), (4, 6)]],
    'N': [[(0, 6), (0, 0), (4, 6), (4, 0)]],
    'O': _O,
    'P': _P,
    'R': _P + [[(2, 3), (4, 6)]],
    'S': [[(4, 1), (3, 0), (1, 0), (0, 1), (0, 2), (1, 3), (3, 3), (4, 4), (4, 5), (3, 6), (1, 6), (0, 5)]],
    'T': [[(0, 0), (4, 0)], [(2, 0), (2, 6)]],
    'U': [[(0, 0), (0, 5), (1, 6), (3, 6), (4, 5), (4, 0)]],
    'V': [[(0, 0), (2, 6), (4, 0)]],
    'W': [[(0, 0), (1, 6), (2, 2.5), (3, 6), (4, 0)]],
    'X': [[(0, 0), (4, 6)], [(4, 0), (0, 6)]],
    'Y': [[(0, 0), (2, 3), (4, 0)], [(2, 3), (2, 6)]],
    'Z': [[(0, 0), (4, 0), (0, 6), (4, 6)]],
    '0': _O,
    '1': [[(1, 1), (2, 0), (2, 6)]],
    '2': [[(0, 1), (1, 0), (3, 0), (4, 1), (4, 2), (0, 6), (4, 6)]],
    '3': [[(0, 0), (4, 0), (2, 2.5), (3, 2.5), (4, 3.5), (4, 5), (3, 6), (1, 6), (0, 5)]],
    '4': [[(3, 6), (3, 0), (0, 4), (4, 4)]],
    '5': [[(4, 0), (0, 0), (0, 3), (3, 3), (4, 4), (4, 5), (3, 6), (0, 6)]],
    '6': [[(3, 0), (1, 0), (0, 1), (0, 5), (1, 6), (3, 6), (4, 5), (4, 4), (3, 3), (0, 3)]],
    '7': [[(0, 0), (4, 0), (1.5, 6)]],
    '8': [[(1, 3), (0, 2), (0, 1), (1, 0), (3, 0), (4, 1), (4, 2), (3, 3), (1, 3), (0, 4), (0, 5), (1, 6), (3, 6),
           (4, 5), (4, 4), (3, 3)]],
    '9': [[(4, 3), (1, 3), (0, 2), (0, 1), (1, 0), (3, 0), (4, 1), (4, 5), (3, 6), (1, 6)]],
    '-': [[(1, 3), (3, 3)]],
}
NARROW = {'I': 0.0, '1': 2.5}


def text_width(text, height, spacing=1.7):
    unit = height / 6
    width = 0.0
    for ch in text:
        width += (NARROW.get(ch, 4) if ch != ' ' else 2.2) * unit + spacing * unit
    return width - spacing * unit


def text(canvas, s, x, y, height, colour, weight=None, spacing=1.7, alpha=1.0):
    """Draws capitals with their top-left corner at (x, y); height is the capital height in pixels."""
    unit = height / 6
    r = (weight if weight is not None else max(0.55, height * 0.085))
    shapes = []
    for ch in s:
        if ch == ' ':
            x += 2.2 * unit + spacing * unit
            continue
        shift = -2 * unit if ch == 'I' else (-1 * unit if ch == '1' else 0)
        for line in FONT[ch]:
            shapes.append(polyline([(x + shift + px * unit, y + py * unit) for px, py in line], r))
        x += NARROW.get(ch, 4) * unit + spacing * unit
    if shapes:
        canvas.fill(union(shapes), colour, alpha)
