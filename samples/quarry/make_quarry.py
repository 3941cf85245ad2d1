#!/usr/bin/env python3
"""Writes the quarry sample of this folder: a small made-up model on a grid
of its own, 97 columns x 53 rows of 250 m cells (GRID.toml), around a sand
and gravel quarry whose pit has filled with water. Lengths are feet except
positions (CRSTM metres); conductivities in feet per day.

  GRID.toml     the model grid, read by every program run beside it
Curves (CRSTM X Y Z, the vertices of one closed curve):
  BASIN.OUT     outline of the model area (zone 1, active)
  QUARRY.OUT    the quarry workings (zone 3, active)
  PITLAKE.OUT   the pit lake in them (zone -1, constant head at its stage)
Points (CRSTM X Y Z):
  WLPOINTS.XYZ  levels at a dozen wells, and the pit lake's stage on and
                around the lake
  WLNEW.XYZ     four later measurements at wells beside the quarry
Arrays (fixed form, 10 x F8.1 a line; integers 25 x I3 a line):
  TOP1.DAT BOT1.DAT ... TOP4.DAT BOT4.DAT  four layers under the land surface
  UNCONF.DAT    an unconformity rising eastwards into layer 2's base
  PINCH.IBD     layer 2's IBOUND: 0 where the unconformity has cut it away
  PSAND1.DAT ... PSAND4.DAT  percent sand of each layer
  HELD.ARR      -1 on the creek's cells: nodes held when levels are re-seeded
Exponent layout (8 x E10 a line):
  SANDKH.ARR CLAYKH.ARR SANDKV.ARR CLAYKV.ARR  a gravelly sand and a clay
River package:
  RIVPKG.DAT    a creek from the north-west that ends beside the pit lake

The curves keep their vertices off the node rows and columns, so the nodes
inside them are those a plain crossing test finds; the creek's cells are
checked against them. Run it again to rebuild the files."""
import math
import os
import random

NCOL, NROW = 97, 53
XORIG, YORIG, DELR = 402125.0, 318375.0, 250.0
LAKE_STAGE = 612.0
LAKE_CENTRE = (26.0, 63.5)  # (row, column), cells
here = os.path.dirname(os.path.abspath(__file__))


def node_xy(i, j):
    return XORIG + (j - 1) * DELR, YORIG - (i - 1) * DELR


def curve(cells):
    """CRSTM vertices of a curve given in (row, column) cells; each lies a
    third of a cell off the node lines."""
    return [(XORIG + (j - 1) * DELR + 80.0, YORIG - (i - 1) * DELR - 80.0) for i, j in cells]


BASIN = curve([(2.5, 12.5), (2.5, 80.5), (10.5, 94.5), (44.5, 94.5), (51.5, 84.5),
               (51.5, 10.5), (40.5, 3.5), (10.5, 3.5)])
QUARRY = curve([(17.5, 53.5), (17.5, 73.5), (34.5, 73.5), (34.5, 53.5)])
PITLAKE = curve([(21.5, 60.5), (21.5, 67.5), (24.5, 68.5), (30.5, 68.5), (30.5, 59.5), (24.5, 58.5)])


# The crossing test and the file writers below are those of
# samples/model/make_model.py on this grid's figures, repeated so that each
# sample's script runs alone and neither changes when the other does.
def inside_nodes(points):
    nodes = set()
    for i in range(1, NROW + 1):
        y = YORIG - (i - 1) * DELR
        xs = []
        for k in range(len(points)):
            (xa, ya), (xb, yb) = points[k], points[(k + 1) % len(points)]
            if (ya < y) != (yb < y):
                xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            for j in range(1, NCOL + 1):
                if a <= XORIG + (j - 1) * DELR <= b:
                    nodes.add((i, j))
    return nodes


def distance_to_lake(i, j):
    return math.hypot((i - LAKE_CENTRE[0]) * 1.2, j - LAKE_CENTRE[1])


def water_level(i, j):
    """The water table, feet: a mound draining to the pit lake and the creek."""
    d = distance_to_lake(i, j)
    return LAKE_STAGE + 30.0 * (1.0 - math.exp(-d / 18.0)) + 3.0 * math.sin(j / 9.0) * math.cos(i / 7.0)


def land(i, j):
    return water_level(i, j) + 15.0 + 5.0 * math.sin(j / 13.0) * math.cos(i / 11.0)


def layers(i, j):
    """Tops and bottoms of layers 1-4 and the unconformity top at a node."""
    t1 = land(i, j)
    b1 = t1 - (40.0 + 5.0 * math.sin(i / 9.0))
    b2 = b1 - (30.0 + 6.0 * math.cos(j / 15.0))
    b3 = b2 - (55.0 + 8.0 * math.sin((i + j) / 20.0))
    b4 = b3 - 90.0
    # The unconformity climbs from below layer 3 in the west to just under
    # layer 1 in the east, cutting layer 2 away there.
    u = min(b3 - 30.0 + 1.1 * (j - 40), b1 - 4.0)
    return (t1, b1, b1, b2, b2, b3, b3, b4), u


def creek(lake, basin):
    """The creek's cells, from the north-west down to the pit lake's shore."""
    cells = []
    i, j = 8, 14
    while j < 40:
        cells.append((i, j))
        j += 1
    while not any((i + di, j + dj) in lake for di in (-1, 0, 1) for dj in (-1, 0, 1)):
        cells.append((i, j))
        if i < int(LAKE_CENTRE[0]):
            i += 1
        j += 1
    cells.append((i, j))
    for c in cells:
        assert c in basin and c not in lake, c
    return cells


def write(name, text):
    with open(os.path.join(here, name), "w", newline="\n") as out:
        out.write(text)


def write_ints(name, f):
    lines = []
    for i in range(1, NROW + 1):
        row = [f(i, j) for j in range(1, NCOL + 1)]
        lines += ["".join("%3d" % v for v in row[k:k + 25]) for k in range(0, NCOL, 25)]
    write(name, "\n".join(lines) + "\n")


def write_reals(name, f, per=10, fmt="%8.1f"):
    lines = []
    for i in range(1, NROW + 1):
        row = [fmt % f(i, j) for j in range(1, NCOL + 1)]
        lines += ["".join(row[k:k + per]) for k in range(0, NCOL, per)]
    write(name, "\n".join(lines) + "\n")


def write_points(name, points):
    write(name, "".join("%.1f %.1f %.2f\n" % p for p in points))


def main():
    rng = random.Random(24)
    write("GRID.toml", "# The quarry sample's model grid\n"
          "columns = %d\nrows = %d\ncell_size = %.1f         # metres\n"
          "first_node = [%.1f, %.1f]  # CRSTM X, Y of the node of column 1, row 1\n"
          % (NCOL, NROW, DELR, XORIG, YORIG))
    for name, points in (("BASIN.OUT", BASIN), ("QUARRY.OUT", QUARRY), ("PITLAKE.OUT", PITLAKE)):
        write_points(name, [(x, y, 0.0) for x, y in points])
    basin, quarry, lake = inside_nodes(BASIN), inside_nodes(QUARRY), inside_nodes(PITLAKE)
    assert lake <= quarry <= basin

    river = creek(lake, basin)
    records = []
    for (i, j) in sorted(river, key=lambda c: (c[1], c[0])):
        stage = water_level(i, j) - 3.0
        records.append("%10d%10d%10d%10.2f%10.3f%10.2f%10d%7d" % (1, i, j, stage, 200.0, stage - 3.0, 0, 0))
    write("RIVPKG.DAT", "%10d%10d\n%10d\n" % (len(records), 0, len(records)) + "\n".join(records) + "\n")
    write_ints("HELD.ARR", lambda i, j: -1 if (i, j) in river else 0)

    # A dozen wells away from the creek and the lake, and the lake's stage.
    candidates = sorted(c for c in basin - quarry if c not in river)
    wells = rng.sample(candidates, 12)
    points = []
    for (i, j) in wells:
        x, y = node_xy(i, j)
        points.append((x + rng.uniform(-100, 100), y + rng.uniform(-100, 100),
                       water_level(i, j) + rng.uniform(-0.5, 0.5)))
    shore = {(i + di, j + dj) for (i, j) in lake for di in (-1, 0, 1) for dj in (-1, 0, 1)}
    for (i, j) in sorted(shore):
        x, y = node_xy(i, j)
        points.append((x, y, LAKE_STAGE if (i, j) in lake else water_level(i, j)))
    write_points("WLPOINTS.XYZ", points)
    beside = [c for c in candidates if abs(c[0] - 26) < 14 and abs(c[1] - 63) < 16]
    write_points("WLNEW.XYZ", [node_xy(i, j) + (water_level(i, j) - 1.0,) for i, j in rng.sample(beside, 4)])

    stack = {(i, j): layers(i, j) for i in range(1, NROW + 1) for j in range(1, NCOL + 1)}
    for k, name in enumerate(["TOP1", "BOT1", "TOP2", "BOT2", "TOP3", "BOT3", "TOP4", "BOT4"]):
        write_reals(name + ".DAT", lambda i, j, k=k: stack[(i, j)][0][k])
    write_reals("UNCONF.DAT", lambda i, j: stack[(i, j)][1])
    write_ints("PINCH.IBD", lambda i, j: 0 if stack[(i, j)][1] + 2.0 > stack[(i, j)][0][3] else 1)
    sand = [
        lambda i, j: 80.0 + 15.0 * math.sin(i / 11.0) * math.cos(j / 9.0),   # the quarried sand and gravel
        lambda i, j: 15.0 + 10.0 * math.sin(j / 13.0),                       # till
        lambda i, j: 60.0 + 20.0 * math.cos(i / 17.0) * math.sin(j / 10.0),  # buried outwash
        lambda i, j: 30.0 + 15.0 * math.sin((i - j) / 15.0),                 # shaly base
    ]
    for k, f in enumerate(sand):
        write_reals("PSAND%d.DAT" % (k + 1), f)
    e = "%10.4E"
    write_reals("SANDKH.ARR", lambda i, j: 80.0, 8, e)
    write_reals("CLAYKH.ARR", lambda i, j: 0.01, 8, e)
    write_reals("SANDKV.ARR", lambda i, j: 8.0, 8, e)
    write_reals("CLAYKV.ARR", lambda i, j: 0.001, 8, e)
    print("basin %d nodes, quarry %d, lake %d, creek cells %d, points %d"
          % (len(basin), len(quarry), len(lake), len(river), len(points)))


if __name__ == "__main__":
    main()
