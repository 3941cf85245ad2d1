#!/usr/bin/env python3
"""Writes the shared sample arrays of samples/common: an IBOUND array with an
irregular active area and a constant-head lake, and a smooth land-surface
array (all values well above 1). Made up for the kit's examples."""
import math, os

NCOL, NROW = 361, 470
here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "common")

def ibound(i, j):
    # An irregular blob over most of the grid, with a constant-head lake.
    cx, cy = 180.0, 235.0
    dx, dy = (j - cx) / 165.0, (i - cy) / 215.0
    wobble = 0.12 * math.sin(j / 17.0) + 0.1 * math.cos(i / 23.0)
    if dx * dx + dy * dy > 1.0 + wobble:
        return 0
    if (j - 120) ** 2 + (i - 150) ** 2 < 14 ** 2:
        return -1
    return 1

def land(i, j):
    return 180.0 + 0.35 * (470 - i) + 0.12 * j + 25.0 * math.sin(j / 30.0) * math.cos(i / 41.0)

def int_rows(f):
    lines = []
    for i in range(1, NROW + 1):
        row = [f(i, j) for j in range(1, NCOL + 1)]
        for k in range(0, NCOL, 25):
            lines.append("".join("%3d" % v for v in row[k:k + 25]))
    return "\n".join(lines) + "\n"

def free_rows(f):
    lines = []
    for i in range(1, NROW + 1):
        row = ["%.2f" % f(i, j) for j in range(1, NCOL + 1)]
        for k in range(0, NCOL, 12):
            lines.append(" ".join(row[k:k + 12]))
    return "\n".join(lines) + "\n"

os.makedirs(here, exist_ok=True)
with open(os.path.join(here, "IBOUND.ARR"), "w") as out:
    out.write(int_rows(ibound))
with open(os.path.join(here, "LANDSURF.DAT"), "w") as out:
    out.write(free_rows(land))
