#!/usr/bin/env python3
"""Generates every file of the sample game "tsukiyo": pictures, music and scripts.

    generate-assets.py            write all files next to this script
    generate-assets.py --verify   re-read the written files and check them

Python 3 standard library only; ImageMagick's convert-im6.q16 turns the BMPs of the
JPEG backgrounds into baseline JPEGs. The outputs are committed, so a build never
runs this script. Everything is deterministic: a second run writes the same bytes.
"""

import argparse
import math
import random
import struct
import subprocess
import sys
import tempfile
from fractions import Fraction
from pathlib import Path

HERE = Path(__file__).resolve().parent
CONVERT = "convert-im6.q16"


# ---------------------------------------------------------------------------
# Raster: a float RGB canvas with anti-aliased shapes, optionally with coverage
# (alpha) so that a character can later be cut out against a key colour.
# ---------------------------------------------------------------------------

def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0), with_alpha=False):
        self.w, self.h = width, height
        n = width * height
        self.r = [float(colour[0])] * n
        self.g = [float(colour[1])] * n
        self.b = [float(colour[2])] * n
        self.a = [0.0] * n if with_alpha else None

    # -- painting primitives ------------------------------------------------

    def blend(self, i, colour, c):
        """Paints colour over pixel i with coverage c (0..1)."""
        self.r[i] += (colour[0] - self.r[i]) * c
        self.g[i] += (colour[1] - self.g[i]) * c
        self.b[i] += (colour[2] - self.b[i]) * c
        if self.a is not None:
            self.a[i] += (1.0 - self.a[i]) * c

    def add_light(self, i, colour, f):
        self.r[i] += colour[0] * f
        self.g[i] += colour[1] * f
        self.b[i] += colour[2] * f

    def vertical_gradient(self, stops, y0=0, y1=None):
        """stops: [(fraction, colour), ...] from the top row y0 to the bottom row y1."""
        y1 = self.h if y1 is None else y1
        for y in range(max(0, y0), min(self.h, y1)):
            t = (y - y0) / max(1, y1 - y0 - 1)
            for (ta, ca), (tb, cb) in zip(stops, stops[1:]):
                if ta <= t <= tb:
                    col = mix(ca, cb, (t - ta) / (tb - ta) if tb > ta else 0.0)
                    break
            else:
                col = stops[-1][1]
            base = y * self.w
            for x in range(self.w):
                self.blend(base + x, col, 1.0)

    def polygon(self, points, colour, opacity=1.0, samples=4):
        """Fills a polygon (even-odd rule) with anti-aliased edges."""
        ys = [p[1] for p in points]
        top = max(0, int(math.floor(min(ys))))
        bottom = min(self.h - 1, int(math.ceil(max(ys))))
        edges = []
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if ay != by:
                edges.append((ax, ay, bx, by))
        weight = 1.0 / samples
        for y in range(top, bottom + 1):
            partial = {}
            diff = {}
            for s in range(samples):
                sy = y + (s + 0.5) / samples
                xs = sorted(ax + (sy - ay) * (bx - ax) / (by - ay)
                            for ax, ay, bx, by in edges
                            if (ay <= sy < by) or (by <= sy < ay))
                for xa, xb in zip(xs[0::2], xs[1::2]):
                    xa, xb = max(0.0, xa), min(float(self.w), xb)
                    if xb <= xa:
                        continue
                    fa, fb = int(xa), int(xb)
                    if fa == fb:
                        partial[fa] = partial.get(fa, 0.0) + (xb - xa) * weight
                        continue
                    partial[fa] = partial.get(fa, 0.0) + (fa + 1 - xa) * weight
                    if fb < self.w:
                        partial[fb] = partial.get(fb, 0.0) + (xb - fb) * weight
                    if fb > fa + 1:
                        diff[fa + 1] = diff.get(fa + 1, 0.0) + weight
                        diff[fb] = diff.get(fb, 0.0) - weight
            if not partial and not diff:
                continue
            keys = sorted(set(partial) | set(diff))
            run = 0.0
            base = y * self.w
            for k, nxt in zip(keys, keys[1:] + [None]):
                run += diff.get(k, 0.0)
                c = run + partial.get(k, 0.0)
                if c > 1e-6 and 0 <= k < self.w:
                    self.blend(base + k, colour, min(1.0, c) * opacity)
                if nxt is not None and run > 1e-6 and nxt > k + 1:
                    c = min(1.0, run) * opacity
                    for x in range(k + 1, min(nxt, self.w)):
                        self.blend(base + x, colour, c)

    def ellipse(self, cx, cy, rx, ry, colour, opacity=1.0, angle=0.0, steps=96):
        self.polygon(ellipse_points(cx, cy, rx, ry, angle, steps), colour, opacity)

    def rect(self, x0, y0, x1, y1, colour, opacity=1.0):
        self.polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], colour, opacity)

    def stroke(self, points, width0, width1, colour, opacity=1.0):
        """A tapering band along a polyline (blades of grass, hair strands, arcs)."""
        self.polygon(band_points(points, width0, width1), colour, opacity)

    def glow(self, cx, cy, radius, colour, strength=1.0, power=2.0):
        """Adds light that falls off from the centre (lamps, moon halo)."""
        x0, x1 = max(0, int(cx - radius)), min(self.w, int(cx + radius) + 1)
        y0, y1 = max(0, int(cy - radius)), min(self.h, int(cy + radius) + 1)
        for y in range(y0, y1):
            for x in range(x0, x1):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / radius
                if d < 1.0:
                    self.add_light(y * self.w + x, colour, strength * (1.0 - d) ** power)

    def below_curve(self, height_of, colour, opacity=1.0):
        """Fills everything below y = height_of(x), anti-aliased along the curve."""
        for x in range(self.w):
            edge = height_of(x + 0.5)
            first = max(0, int(edge))
            if first >= self.h:
                continue
            self.blend(first * self.w + x, colour, (1.0 - (edge - first)) * opacity)
            for y in range(first + 1, self.h):
                self.blend(y * self.w + x, colour, opacity)

    def dither(self, seed, amount=1.5):
        rnd = random.Random(seed)
        for i in range(self.w * self.h):
            n = (rnd.random() - 0.5) * amount
            self.r[i] += n
            self.g[i] += n
            self.b[i] += n

    # -- output -------------------------------------------------------------

    def rows_bgr(self, key=None):
        """Bottom-up rows of 24-bit BGR pixels. With a key colour, every pixel that is
        less than half covered becomes the key, and no covered pixel may equal it."""
        out = []
        for y in range(self.h - 1, -1, -1):
            row = bytearray()
            for x in range(self.w):
                i = y * self.w + x
                if key is not None and self.a[i] < 0.5:
                    r, g, b = key
                else:
                    r = int(round(min(255.0, max(0.0, self.r[i]))))
                    g = int(round(min(255.0, max(0.0, self.g[i]))))
                    b = int(round(min(255.0, max(0.0, self.b[i]))))
                    if key is not None and (r, g, b) == tuple(key):
                        g = g + 1 if g < 255 else g - 1
                row += bytes((b, g, r))
            out.append(bytes(row))
        return out


def ellipse_points(cx, cy, rx, ry, angle=0.0, steps=96):
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    pts = []
    for k in range(steps):
        t = 2 * math.pi * k / steps
        x, y = rx * math.cos(t), ry * math.sin(t)
        pts.append((cx + x * ca - y * sa, cy + x * sa + y * ca))
    return pts


def band_points(points, width0, width1):
    left, right = [], []
    n = len(points)
    for k, (x, y) in enumerate(points):
        ax, ay = points[max(0, k - 1)]
        bx, by = points[min(n - 1, k + 1)]
        dx, dy = bx - ax, by - ay
        length = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / length, dx / length
        half = (width0 + (width1 - width0) * k / max(1, n - 1)) / 2
        left.append((x + nx * half, y + ny * half))
        right.append((x - nx * half, y - ny * half))
    return left + right[::-1]


def quad_curve(p0, p1, p2, steps=16):
    """Points of a quadratic Bezier curve from p0 over the control point p1 to p2."""
    pts = []
    for k in range(steps + 1):
        t = k / steps
        u = 1 - t
        pts.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                    u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return pts


def hill(base, waves):
    """A silhouette height function: base plus a sum of (amplitude, period, phase)."""
    def height_of(x):
        return base + sum(a * math.sin(2 * math.pi * x / p + ph) for a, p, ph in waves)
    return height_of


# ---------------------------------------------------------------------------
# Backgrounds
# ---------------------------------------------------------------------------

def stars(cv, seed, count, avoid=None, max_y=None):
    rnd = random.Random(seed)
    max_y = cv.h if max_y is None else max_y
    for _ in range(count):
        x, y = rnd.uniform(0, cv.w), rnd.uniform(0, max_y) ** 1.15 / max_y ** 0.15
        if avoid and math.hypot(x - avoid[0], y - avoid[1]) < avoid[2]:
            continue
        tint = rnd.choice([(255, 250, 235), (220, 230, 255), (255, 235, 210)])
        bright = rnd.uniform(0.25, 1.0) * (1.0 - 0.6 * y / max_y)
        if rnd.random() < 0.06:
            cv.glow(x, y, 7, tint, 0.55 * bright, 2.5)
            cv.ellipse(x, y, 1.3, 1.3, tint, bright)
        else:
            cv.ellipse(x, y, 0.7, 0.7, tint, bright)


def susuki(cv, x, ground, height, lean, colour, plume, seed):
    """A clump of pampas grass: curved blades and a few feathery plumes."""
    rnd = random.Random(seed)
    for _ in range(9):
        tip = (x + lean * height * rnd.uniform(0.3, 1.1) + rnd.uniform(-25, 25),
               ground - height * rnd.uniform(0.45, 0.8))
        mid = (x + rnd.uniform(-8, 8), ground - height * 0.5)
        cv.stroke(quad_curve((x + rnd.uniform(-6, 6), ground + 4), mid, tip), 4.0, 0.6, colour)
    for _ in range(4):
        top = (x + lean * height * rnd.uniform(0.5, 1.0), ground - height * rnd.uniform(0.85, 1.05))
        stem = quad_curve((x, ground + 4), (x + lean * 10, ground - height * 0.6), top, 20)
        cv.stroke(stem, 2.2, 1.2, colour)
        for k in range(7):
            px, py = stem[-1 - k]
            side = 1 if k % 2 else -1
            cv.ellipse(px + side * 5 + lean * 6, py + 4, 9, 2.2, plume, 0.85,
                       angle=side * 35 + lean * 20)


def scene_yoru():
    """A full moon over layered hills, pampas grass in front: a moon-viewing night."""
    cv = Canvas(640, 480)
    cv.vertical_gradient([(0.0, (6, 8, 30)), (0.45, (20, 28, 72)),
                          (0.8, (46, 58, 112)), (1.0, (60, 70, 120))], 0, 420)
    moon = (452, 130, 56)
    stars(cv, 11, 420, avoid=(moon[0], moon[1], 95), max_y=380)
    cv.glow(moon[0], moon[1], 260, (70, 80, 120), 0.55, 2.2)
    cv.glow(moon[0], moon[1], 110, (150, 150, 140), 0.45, 1.8)
    cv.ellipse(moon[0], moon[1], moon[2], moon[2], (252, 246, 218))
    # the rabbit of the moon, in the dark seas
    for dx, dy, rx, ry, ang in [(-6, 10, 17, 12, 20), (-20, -12, 5, 16, -25),
                                (-10, -16, 4, 15, -8), (14, 16, 9, 6, 0),
                                (24, 2, 6, 14, 15), (-26, 20, 8, 5, 0)]:
        cv.ellipse(moon[0] + dx, moon[1] + dy, rx, ry, (222, 212, 182), 0.8, angle=ang)
    for cx, cy, rx, ry, op in [(430, 190, 120, 9, 0.35), (500, 176, 90, 6, 0.3),
                               (150, 90, 140, 10, 0.18), (250, 250, 180, 8, 0.15)]:
        cv.ellipse(cx, cy, rx, ry, (120, 125, 165), op)
    cv.below_curve(hill(330, [(18, 420, 0.4), (9, 170, 1.3)]), (38, 44, 84))
    cv.below_curve(hill(372, [(22, 520, 2.1), (7, 130, 0.2)]), (22, 26, 54))
    cv.below_curve(hill(420, [(14, 640, 4.0), (5, 90, 1.0)]), (10, 11, 26))
    susuki(cv, 70, 480, 210, 0.35, (8, 8, 20), (150, 140, 120), 3)
    susuki(cv, 150, 480, 150, 0.5, (8, 8, 20), (135, 128, 112), 4)
    susuki(cv, 600, 480, 190, -0.4, (8, 8, 20), (150, 140, 120), 5)
    cv.dither(12)
    return cv


def torii(cv, cx, top, bottom, span, colour, dark):
    u = span / 300.0
    pillar = span * 0.09
    for side in (-1, 1):
        x = cx + side * span * 0.36
        cv.polygon([(x - pillar / 2 - 2 * u, top + 20 * u), (x + pillar / 2 + 2 * u, top + 20 * u),
                    (x + pillar / 2 + 5 * u, bottom), (x - pillar / 2 - 5 * u, bottom)], colour)
        cv.rect(x - pillar / 2 - 7 * u, bottom - 22 * u, x + pillar / 2 + 7 * u, bottom, dark)
    nuki_y = top + span * 0.24
    cv.rect(cx - span * 0.47, nuki_y, cx + span * 0.47, nuki_y + span * 0.05, colour)
    cv.rect(cx - span * 0.03, top + 18 * u, cx + span * 0.03, nuki_y, colour)
    # the upper beams sweep upwards at both ends
    lower = quad_curve((cx - span * 0.55, top + 4 * u), (cx, top + 26 * u),
                       (cx + span * 0.55, top + 4 * u), 24)
    upper = quad_curve((cx - span * 0.62, top - 16 * u), (cx, top + 12 * u),
                       (cx + span * 0.62, top - 16 * u), 24)
    cv.polygon(lower + upper[::-1], colour)
    top_edge = quad_curve((cx - span * 0.64, top - 28 * u), (cx, top + 2 * u),
                          (cx + span * 0.64, top - 28 * u), 24)
    cv.polygon(upper + top_edge[::-1], dark)


def lantern_string(cv, x0, x1, y, sag, count, seed):
    rnd = random.Random(seed)
    rope = quad_curve((x0, y), ((x0 + x1) / 2, y + sag * 2), (x1, y), 40)
    cv.stroke(rope, 1.5, 1.5, (30, 20, 30))
    for k in range(count):
        px, py = rope[int((k + 0.5) * len(rope) / count)]
        red = rnd.random() < 0.7
        body = (235, 70, 50) if red else (250, 235, 200)
        cv.glow(px, py + 14, 34, (255, 150, 60), 0.55, 2.0)
        cv.rect(px - 1, py, px + 1, py + 4, (30, 20, 30))
        cv.rect(px - 7, py + 3, px + 7, py + 6, (40, 25, 30))
        cv.ellipse(px, py + 14, 9, 10, body)
        cv.ellipse(px - 3, py + 11, 3, 5, (255, 220, 170), 0.7)
        cv.rect(px - 7, py + 22, px + 7, py + 25, (40, 25, 30))


def stone_lantern(cv, x, ground, colour, light):
    cv.rect(x - 16, ground - 8, x + 16, ground, colour)
    cv.rect(x - 5, ground - 52, x + 5, ground - 8, colour)
    cv.rect(x - 14, ground - 60, x + 14, ground - 52, colour)
    cv.rect(x - 11, ground - 84, x + 11, ground - 60, colour)
    cv.glow(x, ground - 72, 40, (255, 170, 80), 0.5, 2.0)
    cv.rect(x - 6, ground - 80, x + 6, ground - 64, light)
    cv.polygon([(x - 24, ground - 84), (x + 24, ground - 84), (x + 8, ground - 100),
                (x - 8, ground - 100)], colour)
    cv.ellipse(x, ground - 103, 5, 5, colour)


def tree_clump(cv, x, y, size, colour, seed):
    rnd = random.Random(seed)
    for _ in range(14):
        cv.ellipse(x + rnd.uniform(-size, size), y + rnd.uniform(-size, size * 0.7),
                   size * rnd.uniform(0.35, 0.6), size * rnd.uniform(0.3, 0.5), colour)


def scene_jinja():
    """A vermilion torii at dusk, lanterns lit for the festival."""
    cv = Canvas(640, 480)
    cv.vertical_gradient([(0.0, (52, 44, 104)), (0.35, (138, 80, 132)),
                          (0.7, (236, 132, 108)), (1.0, (252, 188, 110))], 0, 360)
    cv.glow(320, 350, 330, (255, 150, 70), 0.45, 2.0)
    cv.ellipse(320, 345, 38, 38, (255, 222, 150), 0.9)
    for cx, cy, rx, ry, col, op in [(130, 210, 150, 7, (250, 170, 140), 0.5),
                                    (470, 240, 170, 6, (255, 190, 150), 0.5),
                                    (300, 120, 200, 10, (170, 110, 160), 0.4),
                                    (520, 80, 120, 8, (120, 90, 150), 0.4)]:
        cv.ellipse(cx, cy, rx, ry, col, op)
    cv.below_curve(hill(318, [(20, 380, 1.0), (10, 150, 0.3)]), (112, 72, 112))
    cv.below_curve(hill(345, [(12, 260, 2.0)]), (74, 48, 82))
    for x, y, s, seed in [(40, 200, 70, 1), (110, 250, 60, 2), (20, 320, 80, 3),
                          (600, 210, 72, 4), (540, 260, 55, 5), (630, 330, 80, 6)]:
        tree_clump(cv, x, y, s, (38, 24, 48), seed)
    cv.rect(0, 360, 640, 480, (48, 32, 52))
    cv.polygon([(288, 360), (352, 360), (470, 480), (170, 480)], (92, 72, 92))
    for k in range(7):
        y = 372 + k * k * 2.2 + k * 4
        half = 34 + (y - 360) * 1.25
        cv.rect(320 - half, y, 320 + half, y + 2, (64, 48, 70))
    stone_lantern(cv, 150, 430, (70, 60, 72), (255, 214, 140))
    stone_lantern(cv, 490, 430, (70, 60, 72), (255, 214, 140))
    torii(cv, 320, 128, 392, 300, (214, 62, 40), (34, 20, 26))
    lantern_string(cv, 0, 250, 40, 18, 6, 7)
    lantern_string(cv, 390, 640, 40, 18, 6, 8)
    cv.dither(21)
    return cv


def machiya(cv, x0, x1, eave, ground, wall, roof, window, seed):
    rnd = random.Random(seed)
    cv.rect(x0, eave, x1, ground, wall)
    cv.polygon([(x0 - 6, eave + 4), (x1 + 6, eave + 4), (x1 - 4, eave - 14), (x0 + 4, eave - 14)], roof)
    for k in range(int((x1 - x0) // 26)):
        if rnd.random() < 0.6:
            wx = x0 + 8 + k * 26
            wy = eave + 14 + rnd.choice((0, 24))
            cv.glow(wx + 7, wy + 8, 22, (255, 170, 80), 0.35, 2.0)
            cv.rect(wx, wy, wx + 14, wy + 16, window)
            cv.rect(wx + 6.5, wy, wx + 7.5, wy + 16, wall)
            cv.rect(wx, wy + 7.5, wx + 14, wy + 8.5, wall)


def scene_roji():
    """A narrow lane at night under a street lamp (small picture, shown stretched)."""
    cv = Canvas(320, 240)
    cv.vertical_gradient([(0.0, (10, 12, 34)), (1.0, (44, 44, 78))], 0, 160)
    stars(cv, 31, 60, max_y=110)
    cv.glow(250, 36, 40, (90, 90, 120), 0.5)
    cv.ellipse(250, 36, 12, 12, (250, 244, 220))
    cv.rect(0, 160, 320, 240, (38, 34, 48))
    cv.polygon([(140, 160), (180, 160), (300, 240), (20, 240)], (70, 64, 78))
    for k in range(6):
        y = 164 + k * k * 2.4 + k * 3
        half = 22 + (y - 160) * 1.6
        cv.rect(160 - half, y, 160 + half, y + 1, (56, 50, 64))
    for k in range(-3, 4):
        cv.stroke([(160 + k * 7, 160), (160 + k * 45, 240)], 0.8, 1.2, (56, 50, 64))
    machiya(cv, -10, 70, 78, 176, (30, 26, 40), (18, 16, 26), (255, 206, 130), 1)
    machiya(cv, 70, 130, 110, 164, (36, 30, 44), (20, 18, 28), (255, 196, 120), 2)
    machiya(cv, 190, 250, 108, 164, (36, 30, 44), (20, 18, 28), (255, 196, 120), 3)
    machiya(cv, 250, 330, 74, 178, (30, 26, 40), (18, 16, 26), (255, 206, 130), 4)
    # the street lamp and its pool of light
    cv.glow(236, 206, 70, (255, 190, 110), 0.45, 1.6)
    cv.rect(232, 76, 236, 214, (24, 22, 30))
    cv.rect(228, 210, 240, 216, (24, 22, 30))
    cv.stroke(quad_curve((234, 80), (236, 64), (218, 66)), 3, 2, (24, 22, 30))
    cv.glow(214, 80, 60, (255, 200, 120), 0.8, 2.0)
    cv.polygon([(206, 68), (222, 68), (226, 76), (202, 76)], (30, 26, 34))
    cv.ellipse(214, 81, 8, 6, (255, 236, 180))
    cv.dither(32)
    return cv


def scene_akatsuki():
    """Dawn over the hills: the sun rises, the pale moon sets, a small torii on the hill."""
    cv = Canvas(640, 480)
    cv.vertical_gradient([(0.0, (46, 66, 128)), (0.35, (128, 124, 176)),
                          (0.7, (242, 172, 156)), (1.0, (255, 214, 150))], 0, 360)
    cv.glow(400, 330, 340, (255, 190, 120), 0.45, 2.0)
    cv.glow(400, 330, 90, (255, 230, 180), 0.6, 1.5)
    cv.ellipse(400, 330, 34, 34, (255, 246, 214))
    cv.ellipse(118, 92, 24, 24, (236, 236, 246), 0.55)
    for cx, cy, rx, ry, col, op in [(200, 150, 160, 12, (255, 196, 190), 0.45),
                                    (480, 120, 140, 9, (240, 180, 200), 0.4),
                                    (560, 230, 120, 7, (255, 220, 170), 0.5),
                                    (120, 250, 150, 8, (255, 200, 170), 0.45)]:
        cv.ellipse(cx, cy, rx, ry, col, op)
        cv.ellipse(cx + rx * 0.2, cy - ry * 0.6, rx * 0.6, ry * 0.6, (255, 236, 220), op * 0.6)
    for bx, by in [(250, 170), (268, 182), (236, 186), (290, 164)]:
        cv.stroke([(bx - 6, by - 3), (bx, by), (bx + 6, by - 3)], 1.6, 1.0, (60, 50, 80))
    cv.below_curve(hill(336, [(16, 460, 0.6), (8, 170, 2.2)]), (120, 96, 140))
    near = hill(372, [(26, 560, 3.4), (6, 140, 0.7)])
    cv.below_curve(near, (62, 56, 96))
    torii(cv, 150, near(150) - 50, near(150) + 4, 64, (52, 44, 76), (40, 34, 64))
    cv.rect(516, near(520) - 40, 524, near(520) + 6, (46, 40, 74))
    tree_clump(cv, 520, near(520) - 62, 34, (58, 52, 90), 9)
    cv.below_curve(hill(430, [(8, 300, 1.0)]), (34, 32, 60))
    rnd = random.Random(41)
    x = -20
    while x < 640:
        w = rnd.uniform(40, 80)
        top = 420 - rnd.uniform(0, 24)
        peak = rnd.uniform(10, 18)
        cv.rect(x + 4, top, x + w - 4, 480, (30, 28, 54))
        cv.polygon([(x - 6, top + 4), (x + w * 0.3, top - peak), (x + w * 0.7, top - peak),
                    (x + w + 6, top + 4)], (24, 22, 46))
        if rnd.random() < 0.5:
            cv.rect(x + w * 0.4, top + 14, x + w * 0.4 + 10, top + 26, (255, 214, 150), 0.8)
        x += w + rnd.uniform(2, 14)
    cv.dither(42)
    return cv



# ---------------------------------------------------------------------------
# Characters: full 640x480 layers, the figure on one side, everything else the key
# colour. Edges are cut at half coverage, so no pixel blends into the key colour.
# ---------------------------------------------------------------------------

OUTLINE = (44, 30, 52)
SKIN = (250, 226, 208)
SKIN_SHADE = (234, 196, 182)


def face_points(cx, cy, rx, ry):
    """An oval that narrows into a soft chin."""
    pts = []
    for x, y in ellipse_points(cx, cy, rx, ry, 0, 96):
        if y > cy:
            t = (y - cy) / ry
            x = cx + (x - cx) * (1.0 - 0.28 * t * t)
            y += 6 * t * t
        pts.append((x, y))
    return pts


def eye(cv, x, y, iris, lash):
    cv.ellipse(x, y + 1, 10, 12.5, (255, 252, 250))
    cv.ellipse(x, y + 2, 8.5, 11.5, iris)
    cv.ellipse(x, y + 6, 6.5, 6.5, mix(iris, (255, 255, 255), 0.35))
    cv.ellipse(x, y + 2.5, 4, 5.5, mix(iris, (0, 0, 0), 0.55))
    cv.ellipse(x - 3.5, y - 3, 3, 3.4, (255, 255, 255))
    cv.ellipse(x + 3.5, y + 7, 1.5, 1.5, (255, 255, 255), 0.9)
    cv.stroke(quad_curve((x - 12, y - 5), (x, y - 15), (x + 12, y - 6), 12), 3.6, 2.4, lash)


def head(cv, cx, cy, hair, hair_light, iris, bangs_seed):
    cv.rect(cx - 12, cy + 40, cx + 12, cy + 100, SKIN)
    cv.ellipse(cx, cy + 64, 13, 8, SKIN_SHADE)
    cv.polygon(face_points(cx, cy, 54, 60), SKIN)
    for side in (-1, 1):
        eye(cv, cx + side * 22, cy + 10, iris, OUTLINE)
        cv.stroke(quad_curve((cx + side * 30, cy - 14), (cx + side * 22, cy - 19),
                             (cx + side * 12, cy - 15), 8), 2.2, 1.2, mix(hair, OUTLINE, 0.3))
        cv.ellipse(cx + side * 30, cy + 30, 10, 5, (246, 150, 160), 0.45)
    cv.stroke([(cx + 1, cy + 24), (cx - 1, cy + 27)], 1.6, 1.6, (226, 170, 160))
    cv.stroke(quad_curve((cx - 8, cy + 37), (cx, cy + 43), (cx + 8, cy + 37), 10), 2.2, 2.2,
              (196, 92, 104))
    # fringe: the top of the head with a jagged lower edge over the forehead
    rnd = random.Random(bangs_seed)
    arc = [(cx + 66 * math.cos(math.radians(a)), cy - 6 + 70 * math.sin(math.radians(a)))
           for a in range(185, 356, 5)]
    fringe = []
    for k in range(9):
        x0 = cx + 58 - k * 14.5
        fringe.append((x0, cy - 24 + rnd.uniform(-3, 3)))
        fringe.append((x0 - 7, cy - 6 + rnd.uniform(-4, 6)))
    cv.polygon(arc + [(cx + 60, cy + 20)] + fringe + [(cx - 60, cy + 20)], hair)
    for side in (-1, 1):
        cv.stroke(quad_curve((cx + side * 52, cy - 30), (cx + side * 66, cy + 30),
                             (cx + side * 50, cy + 84), 14), 16, 3, hair)
    cv.stroke(quad_curve((cx - 40, cy - 50), (cx, cy - 70), (cx + 36, cy - 54), 14), 5, 2,
              hair_light, 0.8)


def kimono(cv, cx, cloth, sleeve, collar, obi, cord, motif, motif_seed):
    top = 276
    cv.polygon([(cx - 56, top + 28), (cx - 98, top + 58), (cx - 112, 470), (cx - 62, 480),
                (cx - 40, top + 40)], sleeve)
    cv.polygon([(cx + 56, top + 28), (cx + 98, top + 58), (cx + 112, 470), (cx + 62, 480),
                (cx + 40, top + 40)], sleeve)
    body = quad_curve((cx - 16, top - 2), (cx - 60, top + 2), (cx - 74, top + 40), 10) + \
        [(cx - 86, 480), (cx + 86, 480)] + \
        quad_curve((cx + 74, top + 40), (cx + 60, top + 2), (cx + 16, top - 2), 10)
    cv.polygon(body, cloth)
    rnd = random.Random(motif_seed)
    for _ in range(26):
        x, y = rnd.uniform(cx - 70, cx + 70), rnd.uniform(top + 40, 478)
        if abs(y - 392) > 28 and abs(x - cx) < 62 + (y - top) * 0.12:
            motif(cv, x, y, rnd)
    for side in (-1, 1):
        for _ in range(5):
            x, y = cx + side * rnd.uniform(72, 100), rnd.uniform(top + 80, 460)
            motif(cv, x, y, rnd)
    # the collars cross left over right, showing the under-collar in a V
    cv.polygon([(cx - 20, top - 4), (cx + 20, top - 4), (cx + 4, top + 60), (cx - 4, top + 60)], SKIN)
    cv.polygon([(cx - 22, top - 6), (cx - 12, top - 6), (cx + 6, top + 62), (cx - 2, top + 70)], collar)
    cv.polygon([(cx + 22, top - 6), (cx + 12, top - 6), (cx - 6, top + 62), (cx + 2, top + 70)], collar)
    cv.polygon([(cx - 34, top - 4), (cx - 22, top - 6), (cx + 2, top + 70), (cx - 4, top + 96)], cloth)
    cv.polygon([(cx + 34, top - 4), (cx + 22, top - 6), (cx - 2, top + 70), (cx + 26, top + 96)],
               mix(cloth, OUTLINE, 0.15))
    cv.polygon([(cx - 80, 366), (cx + 80, 366), (cx + 82, 418), (cx - 82, 418)], obi)
    cv.rect(cx - 81, 389, cx + 81, 394, cord)
    cv.ellipse(cx + 24, 391, 6, 6, cord)


def asagao(cv, x, y, rnd):
    petal = rnd.choice([(236, 232, 246), (244, 168, 196)])
    for k in range(5):
        a = math.radians(72 * k + rnd.uniform(0, 20))
        cv.ellipse(x + 5 * math.cos(a), y + 5 * math.sin(a), 4.2, 4.2, petal)
    cv.ellipse(x, y, 2.4, 2.4, (250, 226, 150))


def moon_and_star(cv, x, y, rnd):
    if rnd.random() < 0.5:
        cv.polygon(ellipse_points(x, y, 6, 6)[24:73] +
                   ellipse_points(x + 2.5, y - 1, 4.5, 4.5)[72:23:-1], (246, 214, 130))
    else:
        cv.polygon([(x + 5 * math.cos(math.radians(a)) * (1 if k % 2 == 0 else 0.45),
                     y + 5 * math.sin(math.radians(a)) * (1 if k % 2 == 0 else 0.45))
                    for k, a in enumerate(range(-90, 270, 36))], (250, 236, 180))


def kanzashi(cv, x, y):
    for k in range(5):
        a = math.radians(72 * k - 90)
        cv.ellipse(x + 8 * math.cos(a), y + 8 * math.sin(a), 7, 7, (242, 124, 156))
    cv.ellipse(x, y, 4, 4, (252, 222, 120))
    for k, dx in enumerate((-4, 3)):
        cv.stroke([(x + dx, y + 8), (x + dx * 1.6, y + 34 + k * 8)], 1.4, 1.4, (214, 174, 90))
        cv.ellipse(x + dx * 1.6, y + 37 + k * 8, 3.2, 3.2, (232, 96, 120))


def chara_sayo():
    """Sayo: a girl in an indigo yukata with a red obi, standing on the right."""
    cv = Canvas(640, 480, OUTLINE, with_alpha=True)
    cx = 468
    hair, hair_light = (40, 30, 48), (96, 84, 124)
    crown = ellipse_points(cx, 178, 80, 92)[48:]
    cv.polygon(crown + [(cx + 80, 178), (cx + 80, 246)] +
               quad_curve((cx + 80, 246), (cx + 80, 268), (cx + 56, 266), 8) +
               quad_curve((cx - 56, 266), (cx - 80, 268), (cx - 80, 246), 8), hair)
    kimono(cv, cx, (50, 66, 142), (44, 58, 128), (246, 242, 236), (212, 64, 76),
           (248, 196, 92), asagao, 5)
    head(cv, cx, 178, hair, hair_light, (112, 62, 58), 6)
    kanzashi(cv, cx + 46, 128)
    return cv


def chara_usagi():
    """The moon rabbit: long ears, silver hair, a pale kimono with moons; on the left."""
    cv = Canvas(640, 480, OUTLINE, with_alpha=True)
    cx = 172
    hair, hair_light = (214, 218, 238), (248, 248, 255)
    for ex, ey, ang in ((cx - 34, 70, -14), (cx + 32, 64, 12)):
        cv.ellipse(ex, ey, 18, 66, (244, 244, 252), angle=ang)
        cv.ellipse(ex, ey + 6, 8, 48, (250, 190, 206), angle=ang)
    crown = ellipse_points(cx, 178, 80, 92)[48:]
    cv.polygon(crown + [(cx + 80, 178), (cx + 86, 300), (cx + 100, 440)] +
               quad_curve((cx + 100, 440), (cx, 470), (cx - 100, 440), 12) +
               [(cx - 86, 300)], hair)
    kimono(cv, cx, (200, 190, 236), (184, 172, 228), (255, 255, 255), (104, 68, 150),
           (238, 204, 112), moon_and_star, 8)
    head(cv, cx, 178, hair, hair_light, (200, 48, 80), 9)
    cv.polygon(ellipse_points(cx - 48, 126, 11, 11)[24:73] +
               ellipse_points(cx - 44, 122, 8.5, 8.5)[72:23:-1], (248, 212, 110))
    return cv


# ---------------------------------------------------------------------------
# BMP and JPEG files
# ---------------------------------------------------------------------------

def bmp_bytes(canvas, key=None):
    """A 24-bit uncompressed BMP (BITMAPINFOHEADER, bottom-up rows)."""
    rows = canvas.rows_bgr(key)
    stride = (canvas.w * 3 + 3) & ~3
    pixels = b"".join(row + b"\0" * (stride - len(row)) for row in rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    return header + info + pixels


def read_bmp_info(data):
    """(width, height, bits per pixel, compression) of a BMP, checking its sizes."""
    if len(data) < 54 or data[:2] != b"BM":
        raise ValueError("not a BMP file")
    size, offset = struct.unpack_from("<I4xI", data, 2)
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if size != len(data) or header_size != 40 or planes != 1:
        raise ValueError("inconsistent BMP header")
    stride = (width * bits // 8 + 3) & ~3
    if offset + stride * abs(height) != len(data):
        raise ValueError("BMP pixel data does not match its size")
    return width, height, bits, compression


def bmp_pixel(data, x, y):
    """(red, green, blue) of the pixel at x, y (top-left origin) of a bottom-up 24-bit BMP."""
    width, height = struct.unpack_from("<ii", data, 18)
    stride = (width * 3 + 3) & ~3
    i = 54 + (height - 1 - y) * stride + x * 3
    return data[i + 2], data[i + 1], data[i]


def write_jpeg(canvas, path):
    with tempfile.TemporaryDirectory() as tmp:
        source = Path(tmp) / "picture.bmp"
        source.write_bytes(bmp_bytes(canvas))
        subprocess.run([CONVERT, str(source), "-strip", "-interlace", "none",
                        "-sampling-factor", "2x2,1x1,1x1", "-quality", "88", str(path)],
                       check=True)


def jpeg_is_baseline(data):
    """True for a JPEG whose frame is baseline sequential (SOF0) and that ends properly."""
    if data[:2] != b"\xff\xd8" or data[-2:] != b"\xff\xd9":
        return False
    i = 2
    while i + 4 <= len(data):
        if data[i] != 0xFF:
            return False
        marker = data[i + 1]
        if marker == 0xC0:
            return True
        if marker in (0xC1, 0xC2, 0xC3, 0xC5, 0xC6, 0xC7, 0xC9, 0xCA, 0xCB, 0xCD, 0xCE, 0xCF):
            return False
        i += 2 + struct.unpack_from(">H", data, i + 2)[0]
    return False


# ---------------------------------------------------------------------------
# Standard MIDI Files
# ---------------------------------------------------------------------------

DIVISION = 480  # ticks per quarter note
NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def key_number(name):
    """"A4" is 69, "C4" is 60; "r" is a rest (None)."""
    if name == "r":
        return None
    pitch = NOTE_NAMES[name[0]]
    rest = name[1:]
    if rest.startswith("b"):
        pitch, rest = pitch - 1, rest[1:]
    return 12 * (int(rest) + 1) + pitch


def phrase(text, beats_per_bar):
    """Parses "A4:1.5 B4:.5 | ..." into [(key or None, beats)], checking every bar's length."""
    notes = []
    for number, bar in enumerate(text.split("|"), 1):
        items = [item.split(":") for item in bar.split()]
        if sum(Fraction(b) for _, b in items) != beats_per_bar:
            raise ValueError(f"bar {number} does not hold {beats_per_bar} beats: {bar}")
        notes += [(key_number(n), Fraction(b)) for n, b in items]
    return notes


def vlq(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Track:
    def __init__(self, name):
        self.events = []  # (tick, order, sequence, bytes): note-offs sort before note-ons
        self.meta(0, 0x03, name.encode("ascii"))

    def add(self, tick, data, order=1):
        self.events.append((int(tick), order, len(self.events), bytes(data)))

    def meta(self, tick, kind, data):
        self.add(tick, bytes((0xFF, kind)) + vlq(len(data)) + data, order=0)

    def tempo(self, tick, microseconds_per_quarter):
        self.meta(tick, 0x51, microseconds_per_quarter.to_bytes(3, "big"))

    def setup(self, channel, program, volume, pan, reverb):
        self.add(0, (0xC0 | channel, program))
        for controller, value in ((7, volume), (10, pan), (91, reverb)):
            self.add(0, (0xB0 | channel, controller, value))

    def note(self, tick, length, channel, key, velocity):
        self.add(tick, (0x90 | channel, key, velocity), order=2)
        self.add(tick + length, (0x80 | channel, key, 64), order=1)

    def line(self, start_tick, notes, channel, velocity, legato=0.92):
        tick = Fraction(start_tick)
        for key, beats in notes:
            length = beats * DIVISION
            if key is not None:
                self.note(tick, max(1, int(length * legato)), channel, key, velocity)
            tick += length
        return int(tick)

    def chunk(self, end_tick, running_status=False):
        body = bytearray()
        last_tick, status = 0, None
        for tick, _, _, data in sorted(self.events):
            if tick > end_tick:
                raise ValueError("event after the end of its track")
            body += vlq(tick - last_tick)
            last_tick = tick
            if running_status and data[0] < 0xF0 and data[0] == status:
                body += data[1:]
            else:
                body += data
                status = data[0] if data[0] < 0xF0 else None
        body += vlq(end_tick - last_tick) + b"\xff\x2f\x00"
        return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def midi_file(tracks, end_tick, running_status=False):
    header = b"MThd" + struct.pack(">IHHH", 6, 0 if len(tracks) == 1 else 1, len(tracks), DIVISION)
    return header + b"".join(t.chunk(end_tick, running_status) for t in tracks)


def arpeggio(track, start_tick, roots, shape, pattern, beats_per_bar, channel, velocity):
    """Per bar one root; pattern walks the chord shape (semitone offsets) in eighth notes."""
    eighth = DIVISION // 2
    tick = start_tick
    for root in roots:
        chord = [key_number(root) + step for step in shape[root[0]]]
        for k in range(beats_per_bar * 2):
            accent = 12 if k == 0 else 0
            length = eighth if k == beats_per_bar * 2 - 1 else eighth * 2
            track.note(tick + k * eighth, length, channel, chord[pattern[k % len(pattern)]],
                       velocity + accent)
        tick += beats_per_bar * DIVISION
    return tick


def pad(track, start_tick, roots, beats_per_bar, channel, velocity):
    bar = beats_per_bar * DIVISION
    for k, root in enumerate(roots):
        key = key_number(root)
        for step in (0, 7):
            track.note(start_tick + k * bar, bar, channel, key + step, velocity)
    return start_tick + len(roots) * bar


def song_tsukiyo():
    """Moonlit night: shakuhachi over koto, D yo scale, slowing for the last two bars."""
    bar = 4 * DIVISION
    conductor = Track("Tsukiyo")
    conductor.meta(0, 0x58, bytes((4, 2, 24, 8)))
    conductor.tempo(0, 800000)           # 75 beats a minute
    conductor.tempo(8 * bar, 1000000)    # 60 beats a minute for the close
    melody = Track("Shakuhachi")
    melody.setup(0, 77, 100, 64, 70)
    melody.line(0, phrase(
        "A4:1.5 B4:.5 A4:1 G4:1 | E4:1 G4:1 A4:2 | D5:1.5 B4:.5 A4:1 G4:1 | A4:3 r:1 |"
        "B4:1 D5:1 E5:1.5 D5:.5 | B4:1 A4:1 G4:2 | E4:1 G4:1 A4:1 B4:.5 A4:.5 | G4:2 E4:2 |"
        "B4:1 A4:1 G4:1 E4:1 | D4:4", 4), 0, 84, legato=1.0)
    koto = Track("Koto")
    koto.setup(1, 107, 92, 44, 60)
    shapes = {"D": (0, 7, 12, 14), "E": (0, 7, 12, 15), "G": (0, 7, 12, 14), "A": (0, 7, 12, 14)}
    tick = arpeggio(koto, 0, ["D3", "E3", "G3", "A3", "G3", "E3", "A3", "D3", "G3"], shapes,
                    (0, 1, 2, 3, 2, 1, 2, 1), 4, 1, 58)
    for k, key in enumerate(("D3", "A3", "D4", "A4")):
        koto.note(tick + k * 60, bar - k * 60, 1, key_number(key), 64)
    strings = Track("Strings")
    strings.setup(2, 48, 70, 84, 80)
    pad(strings, 0, ["D2", "E2", "G2", "A2", "G2", "E2", "A2", "D2", "G2", "D2"], 4, 2, 40)
    end = 10 * bar
    return midi_file([conductor, melody, koto, strings], end)


def song_matsuri():
    """Festival at the shrine: flute, shamisen, taiko and wood blocks in one track
    (format 0, running status), D min'yo scale, quicker for the last four bars."""
    bar = 4 * DIVISION
    t = Track("Matsuri")
    t.meta(0, 0x58, bytes((4, 2, 24, 8)))
    t.tempo(0, 600000)           # 100 beats a minute
    t.tempo(8 * bar, 500000)     # 120 beats a minute
    t.setup(0, 73, 100, 72, 50)
    t.setup(1, 106, 90, 40, 40)
    t.setup(2, 116, 110, 64, 40)
    t.add(0, (0xB9, 7, 90))
    t.line(0, phrase(
        "D5:.5 C5:.5 A4:1 G4:.5 A4:.5 C5:1 | D5:1 F5:.5 D5:.5 C5:2 |"
        "A4:.5 C5:.5 D5:1 C5:.5 A4:.5 G4:1 | A4:3 r:1 |"
        "D5:.5 F5:.5 G5:1 F5:.5 D5:.5 C5:1 | D5:1 C5:.5 A4:.5 G4:2 |"
        "A4:.5 C5:.5 A4:.5 G4:.5 F4:1 G4:1 | D4:3 r:1 |"
        "D5:.5 F5:.5 G5:1 F5:.5 D5:.5 C5:1 | D5:1 F5:.5 D5:.5 C5:2 |"
        "A4:.5 C5:.5 A4:.5 G4:.5 F4:1 G4:1 | A4:1 C5:1 D5:2", 4), 0, 92, legato=0.85)
    eighth = DIVISION // 2
    roots = ["D3", "C3", "G3", "A3", "D3", "C3", "F3", "D3", "D3", "C3", "F3", "D3"]
    for b, root in enumerate(roots):
        key = key_number(root)
        for k, step in enumerate((0, 12, 7, 12, 0, 12, 7, 12)):
            t.note(b * bar + k * eighth, 90, 1, key + step, 70 + (14 if k % 2 else 0))
        last = b == len(roots) - 1
        for beat in ((0, 2) if last else (0, 2, 2.5)):
            t.note(b * bar + int(beat * DIVISION), 200, 2, 45, 110 if beat == 0 else 90)
        for beat in ((1.5, 3.5) if not last else (1.5,)):
            t.note(b * bar + int(beat * DIVISION), 120, 9, 76 if beat < 3 else 77, 80)
    t.note(11 * bar + 2 * DIVISION, 2 * DIVISION, 2, 43, 120)
    return midi_file([t], 12 * bar, running_status=True)


def song_yoake():
    """Dawn: flute, harp and a warm pad in three-four time, C yo scale, steady tempo."""
    bar = 3 * DIVISION
    conductor = Track("Yoake")
    conductor.meta(0, 0x58, bytes((3, 2, 24, 8)))
    conductor.tempo(0, 750000)           # 80 beats a minute
    melody = Track("Flute")
    melody.setup(0, 73, 96, 64, 70)
    melody.line(0, phrase(
        "G4:1 A4:1 C5:1 | D5:2 C5:1 | A4:1 G4:1 A4:1 | G4:3 |"
        "C5:1 D5:1 F5:1 | G5:2 F5:1 | D5:1 C5:1 D5:1 | A4:3 |"
        "G4:1 A4:1 C5:1 | D5:1.5 F5:.5 D5:1 | C5:1 A4:1 G4:1 | C5:3", 3), 0, 82, legato=1.0)
    harp = Track("Harp")
    harp.setup(1, 46, 88, 40, 70)
    shapes = {"C": (0, 7, 12, 14), "F": (0, 7, 12, 14), "G": (0, 7, 12, 14), "D": (0, 7, 12, 15)}
    tick = arpeggio(harp, 0, ["C3", "F3", "D3", "G3", "F3", "C3", "D3", "G3", "C3", "F3", "G3"],
                    shapes, (0, 1, 2, 3, 2, 1), 3, 1, 56)
    for k, key in enumerate(("C3", "G3", "C4", "D4", "G4")):
        harp.note(tick + k * 48, bar - k * 48, 1, key_number(key), 60)
    warm = Track("Warm pad")
    warm.setup(2, 89, 72, 88, 90)
    pad(warm, 0, ["C2", "F2", "D2", "G2", "F2", "C2", "D2", "G2", "C2", "F2", "G2", "C2"], 3, 2, 44)
    return midi_file([conductor, melody, harp, warm], 12 * bar)


class MidiSummary:
    def __init__(self, fmt, tracks, division, length_ms, tempo_changes, notes, ends_together):
        self.format, self.tracks, self.division = fmt, tracks, division
        self.length_ms, self.tempo_changes, self.notes = length_ms, tempo_changes, notes
        self.ends_together = ends_together  # every track and the last note end at one tick


def read_midi(data):
    """Parses a Standard MIDI File strictly and computes its length from the tempo map:
    the time of the latest End of Track, in milliseconds (as a Fraction)."""
    if data[:4] != b"MThd":
        raise ValueError("no MThd chunk")
    size, fmt, ntracks, division = struct.unpack_from(">IHHH", data, 4)
    if size != 6 or fmt not in (0, 1) or division & 0x8000 or division == 0:
        raise ValueError("unsupported header")
    pos, tempos, end_ticks, notes, last_note_end = 8 + size, [], [], 0, 0
    for _ in range(ntracks):
        if data[pos:pos + 4] != b"MTrk":
            raise ValueError("missing MTrk chunk")
        (length,) = struct.unpack_from(">I", data, pos + 4)
        body, pos = data[pos + 8:pos + 8 + length], pos + 8 + length
        if len(body) != length:
            raise ValueError("track runs past the end of the file")
        i, tick, status, sounding, ended = 0, 0, None, set(), False

        def number():
            nonlocal i
            value = 0
            for _ in range(4):
                byte = body[i]
                i += 1
                value = (value << 7) | (byte & 0x7F)
                if not byte & 0x80:
                    return value
            raise ValueError("variable-length number too long")

        while i < len(body):
            if ended:
                raise ValueError("data after End of Track")
            tick += number()
            if body[i] & 0x80:
                status, i = body[i], i + 1
            elif status is None:
                raise ValueError("running status without a status byte")
            if status == 0xFF:
                kind = body[i]
                i += 1
                size_ = number()
                payload = body[i:i + size_]
                i += size_
                if kind == 0x51:
                    tempos.append((tick, int.from_bytes(payload, "big")))
                elif kind == 0x2F:
                    ended = True
                    end_ticks.append(tick)
                status = None
            elif status in (0xF0, 0xF7):
                i += number()
                status = None
            else:
                kind, channel = status & 0xF0, status & 0x0F
                width = 1 if kind in (0xC0, 0xD0) else 2
                args = body[i:i + width]
                i += width
                if kind == 0x90 and args[1] > 0:
                    if (channel, args[0]) in sounding:
                        raise ValueError("note started twice")
                    sounding.add((channel, args[0]))
                    notes += 1
                elif kind == 0x80 or (kind == 0x90 and args[1] == 0):
                    sounding.discard((channel, args[0]))
                    last_note_end = max(last_note_end, tick)
        if not ended or sounding:
            raise ValueError("track without End of Track, or with notes left sounding")
    if pos != len(data):
        raise ValueError("trailing bytes after the last track")
    tempos.sort(key=lambda tempo: tempo[0])
    end = max(end_ticks)
    micros, last_tick, current = Fraction(0), 0, 500000
    for tick, tempo in tempos:
        if tick >= end:
            break
        micros += Fraction(tick - last_tick) * current / division
        last_tick, current = tick, tempo
    micros += Fraction(end - last_tick) * current / division
    ends_together = min(end_ticks) == end == last_note_end
    return MidiSummary(fmt, ntracks, division, micros / 1000, len(tempos) - 1, notes, ends_together)


# ---------------------------------------------------------------------------
# Scripts, laid out as the editor's script generator writes them (Shift-JIS, CR LF,
# no line break after the last line).
# ---------------------------------------------------------------------------

DEFINITIONS = r"""@VERSION,1,5
@DEF,CG,月見の丘,cg\yoru.BMP
@DEF,CG,灯りの路地,cg\roji.BMP
@DEF,CG,神社,cg\jinja.JPG
@DEF,CG,夜明け,cg\akatsuki.JPG
@DEF,CHR,小夜,chr\sayo.BMP
@DEF,CHR,月うさぎ,chr\usagi.BMP
@DEF,BGM,月夜,bgm\tsukiyo.MID
@DEF,BGM,祭囃子,bgm\matsuri.MID
@DEF,BGM,朝焼け,bgm\yoake.MID
"""

NORMAL_SCRIPT = DEFINITIONS + r"""@DEF,PARAM,絆
@DEF,PARAM,団子
@WAIT,40
@GAMEMODE,1
@EFFECT,0
@TCOLORA
#,はじまり
@,絆,=,0
@,団子,=,0
@CG,灯りの路地
@CHR,小夜
@BGM,月夜
@TEXT,{
十五夜の晩。街灯の下で、小夜が手を振っていた。
小夜「やっと来た！　待ちくたびれちゃったよ」
小夜「丘の上の神社でね、今夜はお月見のお祭りなの。
　　　ねえ、一緒に行こうよ」
}
@BTN, 1,「うん、一緒に行こう」,{
@,絆,+,1
@JMP,石段
}
@BTN, 2,「……少し考えさせて」,{
@JMP,ためらい
}
@EVTWAIT
#,ためらい
@CG,灯りの路地
@CHR,小夜
@BGM,月夜
@QUICK
@TEXT,{
小夜「えー、考えるようなこと？」
小夜はぷうっと頬をふくらませた。
小夜「お団子も、きれいなお月さまも待ってるのに」
……そこまで言われては、断る理由もない。
}
@BTN, 1,やっぱり行く,{
@JMP,石段
}
@EVTWAIT
#,石段
@EFFECT,1
@CG,神社
@CHR,小夜
@BGM,祭囃子
@SAVE, 7
@TEXT,{
長い石段を上りきると、朱い鳥居が夕焼けに浮かんでいた。
参道には提灯が連なり、あたたかな灯りが揺れている。
綿あめ、りんご飴、焼きとうもろこし。
どこからか、笛と太鼓の音が聞こえてくる。
小夜「わあ……！　毎年来てるのに、やっぱりわくわくする」
小夜「ほら、あっちにお月見団子の屋台があるよ」
ふと見ると、東の空がうっすらと明るくなっていた。
もうすぐ、月がのぼる。
}
@BTN, 1,境内へ,{
@JMP,境内
}
@EVTWAIT
#,境内
@CG,神社
@CHR,小夜
@BGM,祭囃子
@TEXT,{
境内は、浴衣姿の人たちでにぎわっている。
小夜「ねえ、どうしよっか？」
}
@BTN, 1,お月見団子を買ってあげる,{
@,団子,+,1
@,絆,+,1
@JMP,月見の丘
}
@BTN, 2,先にお参りをしていこう,{
@SUB,お参り
}
@BTN, 3,急いで丘へ行こう,{
@JMP,月見の丘
}
@EVTWAIT
#,お参り
@,絆,+,1
@CG,神社
@CHR,小夜
@BGM,祭囃子
@TEXT,{
二人でお賽銭を入れて、鈴を鳴らした。
手を合わせて、そっと目を閉じる。
小夜「……何をお願いしたの？」
小夜「ふふ、わたしのは内緒」
}
@BTN, 1,境内へ戻る,{
@RET
}
@EVTWAIT
#,月見の丘
@EFFECT,3
@CG,月見の丘
@CHR,小夜
@BGM,月夜
@TEXT,{
神社の裏手の小道を抜けると、すすきの揺れる丘に出た。
見上げれば、まんまるの月。
小夜「きれい……。ねえ、月にはうさぎがいるって本当かな」
}
@BTN, 1,月に願いごとをする,{
@,絆,+,1
@JMP,月のうさぎ
}
@BTN, 2,小夜の横顔を見つめる,{
@,絆,+,2
@JMP,月のうさぎ
}
@EVTWAIT
#,月のうさぎ
@TCOLORB, 0, 255, 0
@CG,月見の丘
@CHR,月うさぎ
@BGM,月夜
@FCOLORL,255,236,180
@FCOLORD,64,40,112
@TEXT,{
ふわり、と風が吹いた。
すすきの陰から、長い耳の女の子がひょっこり顔を出す。
？？？「こんばんは。いい匂いがすると思ったら、人間さん」
隣で、小夜が目を丸くしている。
月うさぎ「わたしは月のうさぎ。十五夜の晩だけ、
　　　　　こっちに遊びに来られるの」
}
@FCOLORL,255,255,255
@FCOLORD,0,0,0
@BTN, 1,お団子を差し出す,{
@IFA,団子,=,0,空っぽの袖
@SUBR,おすそわけ
@,団子,+,1
@,絆,+,1
@JMP,別れ
}
@BTN, 2,月の話を聞かせてもらう,{
@JMP,別れ
}
@EVTWAIT
#,空っぽの袖
@CG,月見の丘
@CHR,月うさぎ
@BGM,月夜
@TEXT,{
袖の中を探ってみたけれど、お団子はどこにもない。
……そういえば、買っていなかった。
月うさぎ「あはは、気にしないで。お月さまの光で、
　　　　　おなかはいっぱいだから」
}
@BTN, 1,月の話を聞く,{
@JMP,別れ
}
@EVTWAIT
#,おすそわけ
@CG,月見の丘
@CHR,月うさぎ
@BGM,月夜
@TEXT,{
包みを開くと、白いお団子が月明かりにつやつやと光った。
月うさぎ「わあ、いいの？　いただきまーす！」
小夜「ふふ、おいしそうに食べるね」
月うさぎ「お礼に、ひとつ教えてあげる。
　　　　　月はね、見上げる人のことをちゃんと覚えてるの」
}
@BTN, 1,うなずく,{
@RET
}
@EVTWAIT
#,別れ
@TCOLORA
@CG,月見の丘
@CHR,小夜
@BGM,月夜
@TEXT,{
雲が月を隠し、もう一度光が差したとき、
月のうさぎの姿は、もうどこにもなかった。
小夜「……今の、夢じゃないよね？」
二人はしばらく、黙って月を見上げていた。
}
@BTN, 1,夜が明けるまで,{
@IFB,絆,>,3,&&,団子,=,2,約束の朝
@JMP,いつもの朝
}
@EVTWAIT
#,約束の朝
@EFFECT,4
@CG,夜明け
@CHR,小夜
@BGM,朝焼け
@TEXT,{
気がつくと、東の空が白み始めていた。
小夜「ねえ。来年の十五夜も、また一緒に来ようね」
小夜「今度は、お団子を三人ぶん買って」
差し出された小指に、そっと自分の小指をからめる。
沈みかけた月が、約束を見届けるように淡く光っていた。
―　おしまい　―
}
@BTN, 1,おわり,{
@END
}
@EVTWAIT
#,いつもの朝
@EFFECT,2
@CG,夜明け
@CHR,小夜
@BGM,朝焼け
@TEXT,{
気がつくと、東の空が白み始めていた。
小夜「ふわぁ……。寝ちゃうところだった」
小夜「不思議な夜だったね。来年も、また来られるといいな」
あの月のうさぎには、また会えるだろうか。
―　おしまい　―
}
@BTN, 1,おわり,{
@END
}
@EVTWAIT"""

NOVEL_SCRIPT = DEFINITIONS + r"""@DEF,PARAM,想い
@WAIT,40
@GAMEMODE,2
@EFFECT,2
@TCOLORA
#,月夜の散歩
@,想い,=,0
@CG,灯りの路地
@CHR,小夜
@BGM,月夜
@TEXT,{
十五夜の晩、路地は静かだった。
街灯の下に、見慣れた浴衣の背中がある。
小夜「あ、来てくれたんだ」
振り向いた小夜が、照れくさそうに笑う。
小夜「今夜はね、月がいちばんきれいな夜」
小夜「神社の丘まで、一緒に歩かない？」
遠くから、祭囃子がかすかに聞こえる。
見上げると、屋根の向こうに丸い月。
どこまでも歩いていけそうな、明るい夜だ。
けれど、明日は朝が早い。
小夜「……それとも、今夜はもう帰る？」
小夜は、こちらの答えを待っている。
}
@BTN, 1,神社へ行く,{
@,想い,+,1
@JMP,神社の灯り
}
@BTN, 2,今夜は帰る,{
@JMP,帰り道
}
@EVTWAIT
#,神社の灯り
@EFFECT,1
@CG,神社
@CHR,小夜
@BGM,祭囃子
@TEXT,{
朱い鳥居の向こうに、提灯の灯りが続く。
笛と太鼓の音が、胸の奥まで響いてくる。
小夜「見て、お賽銭箱の前、もう行列だよ」
小夜「せっかくだから、何か願っていく？」
}
@BTN, 1,鈴を鳴らして願う,{
@,想い,+,2
@JMP,丘の上
}
@BTN, 2,そのまま丘へ向かう,{
@JMP,丘の上
}
@EVTWAIT
#,丘の上
@EFFECT,3
@TCOLORB, 0, 255, 0
@CG,月見の丘
@CHR,月うさぎ
@BGM,月夜
@TEXT,{
すすきの丘に、まんまるの月がのぼった。
月明かりの中に、誰かが立っていた。
長い耳。銀色の髪。
月うさぎ「こんばんは。願い、届いたよ」
月うさぎ「でも、もう月に帰る時間なの」
小夜が、そっと袖を引いた。
}
@BTN, 1,「また会える？」,{
@IFA,想い,>,2,月の約束
@JMP,帰り道
}
@BTN, 2,「さようなら」,{
@JMP,帰り道
}
@EVTWAIT
#,月の約束
@EFFECT,4
@TCOLORA
@CG,夜明け
@CHR,小夜
@BGM,朝焼け
@TEXT,{
月うさぎ「うん。来年の十五夜に、
　きっとまた」
うさぎは光の粒になって、空へ帰った。
気がつけば、東の空が白み始めている。
小夜「来年も、一緒に来ようね」
―　おしまい　―
}
@BTN, 1,おわり,{
@END
}
@BTN, 2,もう一度はじめから,{
@JMP,月夜の散歩
}
@EVTWAIT
#,帰り道
@TCOLORA
@CG,灯りの路地
@CHR,小夜
@BGM,月夜
@TEXT,{
月明かりの路地を、二人で並んで歩く。
小夜「今夜の月、きれいだったね」
影がふたつ、石畳の上にのびていた。
―　おしまい　―
}
@BTN, 1,おわり,{
@END
}
@EVTWAIT"""

SCRIPTS = {
    # file name: (text, widest message line in characters)
    "tsukiyo.PXJ": (NORMAL_SCRIPT, 29),
    "tsukiyo_novel.PXJ": (NOVEL_SCRIPT, 20),
}


def script_bytes(text):
    return text.replace("\n", "\r\n").encode("cp932")


def message_blocks(text):
    """The message lines of every text block, in order."""
    blocks, current = [], None
    for line in text.split("\n"):
        if current is None:
            if line.upper() == "@TEXT,{":
                current = []
        elif line == "}":
            blocks.append(current)
            current = None
        else:
            current.append(line)
    return blocks


def check_script(name, data, widest):
    """Line ends, encoding, message widths and the files the definitions name."""
    if b"\n" in data.replace(b"\r\n", b"") or b"\r" in data.replace(b"\r\n", b""):
        raise ValueError(f"{name}: a line does not end in CR LF")
    if data.endswith(b"\r\n"):
        raise ValueError(f"{name}: line break after the last line")
    text = data.decode("cp932").replace("\r\n", "\n")
    for block in message_blocks(text):
        for line in block:
            if len(line) > widest:
                raise ValueError(f"{name}: message line longer than {widest}: {line}")
    for line in text.split("\n"):
        parts = line.split(",")
        if parts[0] == "@DEF" and parts[1] in ("CG", "CHR", "BGM"):
            if not (HERE / parts[3].replace("\\", "/")).is_file():
                raise ValueError(f"{name}: missing resource {parts[3]}")
    return [len(block) for block in message_blocks(text)]


# ---------------------------------------------------------------------------
# The files and the command line
# ---------------------------------------------------------------------------

BACKGROUNDS = {  # path: (painter, written as JPEG)
    "cg/yoru.BMP": (scene_yoru, False),
    "cg/roji.BMP": (scene_roji, False),
    "cg/jinja.JPG": (scene_jinja, True),
    "cg/akatsuki.JPG": (scene_akatsuki, True),
}
CHARACTERS = {  # path: (painter, transparent key colour)
    "chr/sayo.BMP": (chara_sayo, (255, 0, 255)),    # found by its bottom-left pixel
    "chr/usagi.BMP": (chara_usagi, (0, 255, 0)),    # named by the script
}
MUSIC = {"bgm/tsukiyo.MID": song_tsukiyo, "bgm/matsuri.MID": song_matsuri,
         "bgm/yoake.MID": song_yoake}


def generate():
    for relative, (painter, as_jpeg) in BACKGROUNDS.items():
        path = HERE / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        if as_jpeg:
            write_jpeg(painter(), path)
        else:
            path.write_bytes(bmp_bytes(painter()))
        print("wrote", relative)
    for relative, (painter, key) in CHARACTERS.items():
        path = HERE / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(bmp_bytes(painter(), key))
        print("wrote", relative)
    for relative, composer in MUSIC.items():
        path = HERE / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(composer())
        print("wrote", relative)
    for name, (text, _) in SCRIPTS.items():
        (HERE / name).write_bytes(script_bytes(text))
        print("wrote", name)


def verify():
    """Re-reads every written file; returns the number of problems found."""
    problems = 0

    def report(relative, ok, detail):
        nonlocal problems
        problems += 0 if ok else 1
        print(("ok      " if ok else "FAILED  ") + relative + ": " + detail)

    for relative, (painter, as_jpeg) in BACKGROUNDS.items():
        data = (HERE / relative).read_bytes()
        if as_jpeg:
            report(relative, jpeg_is_baseline(data), f"baseline JPEG, {len(data)} bytes")
        else:
            try:
                width, height, bits, compression = read_bmp_info(data)
                ok = bits == 24 and compression == 0 and (width, height) in ((640, 480), (320, 240))
                report(relative, ok, f"{width}x{height}, {bits}-bit BMP")
            except ValueError as error:
                report(relative, False, str(error))
    for relative, (_, key) in CHARACTERS.items():
        data = (HERE / relative).read_bytes()
        try:
            width, height, bits, compression = read_bmp_info(data)
            corner = bmp_pixel(data, 0, height - 1)
            keyed = sum(bmp_pixel(data, x, y) == key
                        for y in range(0, height, 4) for x in range(0, width, 4))
            share = keyed / ((width // 4) * (height // 4))
            ok = (width, height, bits, compression) == (640, 480, 24, 0) and \
                corner == key and 0.5 < share < 0.9
            report(relative, ok, f"{width}x{height}, {bits}-bit BMP, bottom-left pixel {corner}, "
                   f"{share:.0%} transparent")
        except ValueError as error:
            report(relative, False, str(error))
    readme = (HERE / "README.md").read_text(encoding="utf-8")
    for relative in MUSIC:
        try:
            summary = read_midi((HERE / relative).read_bytes())
            ok = summary.length_ms.denominator == 1 and summary.ends_together and \
                f"| `{relative}` |" in readme and f"**{summary.length_ms} ms**" in readme
            report(relative, ok, f"format {summary.format}, {summary.tracks} track(s), "
                   f"{summary.notes} notes, {summary.tempo_changes} tempo change(s), "
                   f"length {summary.length_ms} ms")
        except (ValueError, IndexError) as error:
            report(relative, False, str(error))
    for name, (_, widest) in SCRIPTS.items():
        try:
            blocks = check_script(name, (HERE / name).read_bytes(), widest)
            report(name, True, f"{len(blocks)} messages, longest {max(blocks)} lines")
        except (ValueError, UnicodeDecodeError) as error:
            report(name, False, str(error))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--verify", action="store_true",
                        help="check the written files instead of writing them")
    args = parser.parse_args()
    if args.verify:
        return 1 if verify() else 0
    generate()
    return 1 if verify() else 0


if __name__ == "__main__":
    sys.exit(main())
