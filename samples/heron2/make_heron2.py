#!/usr/bin/env python3
"""Writes the HERON2 sample inputs of this folder, made up for the kit:

RIVBOUND.ARR  an IBOUND array (25 x I3 per line, each row of 361 values on
              15 lines): an active basin (1) with a constant-head lake (-1).
RIVPKG.DAT    a river package of the basin's river cells: a branching river
              of eight headwaters and a side tributary that flows into the
              lake, and a short creek whose stages rise downstream (an
              input error that HERON2 reports in PROBLEM.SEG).

Records are written column by column, not in grid order; bottoms are whole
numbers written without a decimal point; the first record of one cell is
repeated at the end with a corrected stage (the last record for a cell wins).
"""
import os

NCOL, NROW = 361, 470
here = os.path.dirname(os.path.abspath(__file__))
river = {}  # (row, col) -> stage


def surface(i, j):
    # Stage of the land surface: falling to the south and towards column 100.
    return 260.0 - 0.8 * i - 0.05 * abs(j - 100)


def cell(i, j):
    river[(i, j)] = surface(i, j)


def tree(i, j, depth):
    """A node at (i, j) whose two branches climb diagonally north-west and
    north-east over 2**depth cells to nodes of one depth less."""
    cell(i, j)
    if depth == 0:
        return
    h = 2 ** depth
    for t in range(1, h):
        cell(i - t, j - t)
        cell(i - t, j + t)
    tree(i - h, j - h, depth - 1)
    tree(i - h, j + h, depth - 1)


# The main river: eight headwaters, its stem running south to the lake.
tree(60, 100, 3)
for i in range(61, 96):
    cell(i, 100)
# A tributary from the east joining the stem at row 80 through a junction
# with river to its north, east and south.
for j in range(101, 121):
    cell(80, j)
# The creek: west to east along row 130; its stages rise by 36.
for k, j in enumerate(range(150, 162)):
    river[(130, j)] = 180.0 + 3.3 * k

lake = {(i, j) for i in range(96, 103) for j in range(94, 107)}


def ibound(i, j):
    if (i, j) in lake:
        return -1
    inside = 20 <= i <= 160 and 40 <= j <= 200
    return 1 if inside else 0


with open(os.path.join(here, "RIVBOUND.ARR"), "w") as out:
    for i in range(1, NROW + 1):
        row = [ibound(i, j) for j in range(1, NCOL + 1)]
        for k in range(0, NCOL, 25):
            out.write("".join("%3d" % v for v in row[k:k + 25]) + "\n")

cells = sorted(river, key=lambda rc: (rc[1], rc[0]))
records = []
for (i, j) in cells:
    stage = river[(i, j)]
    records.append("%10d%10d%10d%10.2f%10.3f%10d%10d%7d" %
                   (1, i, j, stage + 0.5, 25.0, int(stage) - 3, 0, 0))
first = cells[0]
records.append("%10d%10d%10d%10.2f%10.3f%10d%10d%7d" %
               (1, first[0], first[1], river[first], 25.0, int(river[first]) - 3, 0, 0))
with open(os.path.join(here, "RIVPKG.DAT"), "w") as out:
    out.write("%10d%10d\n" % (len(records), 0))
    out.write("%10d\n" % len(records))
    out.write("\n".join(records) + "\n")
print("%d river cells, %d records" % (len(river), len(records)))
