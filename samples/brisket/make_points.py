#!/usr/bin/env python3
"""Writes the water-level samples of samples/brisket, made up for the kit's
examples and laid over the shared sample IBOUND (samples/common/IBOUND.ARR):

  WLPOINTS.XYZ  300 well levels at active cells, plus the stage of the
                constant-head lake on every lake cell (a fixed node that no
                point reaches would keep the start value 1.0)
  WLNEW.XYZ     40 later measurements, 1.5 m higher, to re-seed a grid
  WLHELD.ARR    cells to hold at the starting grid: a river line (-1),
                and a strip marked -2, which holds nothing

Run it again to rebuild them; the random draws are seeded."""
import math, os, random

NCOL, NROW = 361, 470
XORIG, YORIG, DELR = 290568.0, 557128.0, 1000.0
LAKE_STAGE = 152.40
here = os.path.dirname(os.path.abspath(__file__))

def read_ibound(path):
    codes, row = [], []
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n").ljust(75)
            for k in range(25):
                if len(row) == NCOL:
                    break
                field = line[3 * k:3 * k + 3].strip()
                row.append(int(field) if field else 0)
            if len(row) == NCOL:
                codes.append(row)
                row = []
    assert len(codes) == NROW
    return codes

def level(i, j):
    # A water table falling to the south and east, with gentle swells.
    return 120.0 + 0.18 * (NROW - i) + 0.05 * j + 6.0 * math.sin(j / 25.0) * math.cos(i / 33.0)

def node(i, j, rng, jitter):
    # A position that snaps to node (i, j): within 450 m of it.
    return (XORIG + (j - 1) * DELR + rng.uniform(-jitter, jitter),
            YORIG - (i - 1) * DELR + rng.uniform(-jitter, jitter))

def point_line(x, y, z, style, name):
    if style == 0:
        return "%.1f %.1f %.2f" % (x, y, z)
    if style == 1:
        return "%.1f,%.1f,%.2f" % (x, y, z)
    return "%.1f  %.1f  %.2f  %s" % (x, y, z, name)

def main():
    rng = random.Random(5)
    codes = read_ibound(os.path.join(here, "..", "common", "IBOUND.ARR"))
    active = [(i, j) for i in range(1, NROW + 1) for j in range(1, NCOL + 1) if codes[i - 1][j - 1] > 0]
    lake = [(i, j) for i in range(1, NROW + 1) for j in range(1, NCOL + 1) if codes[i - 1][j - 1] < 0]

    wells = rng.sample(active, 300)
    lines = []
    for n, (i, j) in enumerate(wells):
        x, y = node(i, j, rng, 450.0)
        lines.append(point_line(x, y, level(i, j) + rng.gauss(0.0, 0.3), n % 3, "W%04d" % (n + 1)))
    for i, j in lake:
        x, y = node(i, j, rng, 0.0)
        lines.append(point_line(x, y, LAKE_STAGE, 0, ""))
    with open(os.path.join(here, "WLPOINTS.XYZ"), "w") as out:
        out.write("\n".join(lines) + "\n")

    later = rng.sample(active, 40)
    with open(os.path.join(here, "WLNEW.XYZ"), "w") as out:
        for n, (i, j) in enumerate(later):
            x, y = node(i, j, rng, 450.0)
            out.write(point_line(x, y, level(i, j) + 1.5, 0, "") + "\n")

    held = [[0] * NCOL for _ in range(NROW)]
    for i in range(60, 420):  # a river running south-east
        j = int(140 + 0.35 * (i - 60) + 10 * math.sin(i / 30.0))
        if codes[i - 1][j - 1] > 0:
            held[i - 1][j - 1] = -1
    for j in range(200, 260):
        if codes[300 - 1][j - 1] > 0 and held[300 - 1][j - 1] == 0:
            held[300 - 1][j - 1] = -2
    with open(os.path.join(here, "WLHELD.ARR"), "w") as out:
        for row in held:
            for k in range(0, NCOL, 25):
                out.write("".join("%3d" % v for v in row[k:k + 25]) + "\n")

main()
