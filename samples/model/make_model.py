#!/usr/bin/env python3
"""Writes the sample model of this folder: one made-up model area that the
main job prepares from start to end, every tool reading what the one before
it wrote. Lengths are feet except positions (CRSTM metres); conductivities in
feet per day.

Digitizer files (tablet inches, as the digitizing program leaves them):
  BASIN.xyz    outline of the model area (zone 1, active)
  LAKE.xyz     a lake in it (zone -1, constant head at the lake stage)
  QUARRY.xyz   a quarry pit (zone 3, active)
Points (CRSTM X Y Z):
  WLPOINTS.XYZ 260 well levels and the lake stage on and around the lake
  WLNEW.XYZ    30 later measurements near the quarry, a little lower
  WELLS.XYZ    five wells for the position spot checks (Z: well depth)
Arrays (fixed form, 10 x F8.1 a line; integers 25 x I3 a line):
  TOP1.DAT BOT1.DAT ... TOP4.DAT BOT4.DAT  four layers under the land surface,
               with three patches out of order for the repair step
  UNCONF.DAT   an unconformity rising eastwards through layers 2 and 3
  PINCH.IBD    layer 2's IBOUND: 0 where the unconformity has cut it away
  PSAND1.DAT ... PSAND4.DAT  percent sand of each layer
  HELD.ARR     -1 on the river cells: nodes held when the levels are re-seeded
Exponent layout (8 x E10 a line):
  SANDKH.ARR CLAYKH.ARR SANDKV.ARR CLAYKV.ARR  conductivities of a medium sand
               and a silty clay
River package:
  RIVPKG.DAT   a branching river (32 headwaters), an eastern tributary and a
               western creek, both rivers ending beside the lake

The lake and basin cells are worked out here with the tablet conversion and
the node-in-curve rule the tools use, so the rivers end next to the lake's
constant-head cells and every river cell lies in the active area. Run it
again to rebuild the files; the random draws are seeded.

The levels come from a reference run of the sample model itself, so that
the model reproduces the wells it was gridded from:

  python3 make_model.py --heads HEADS1.ARR

takes layer 1 of the simulated heads (kitmodel heads ... --layer 1 --out
HEADS1 after a run of the main job) as the true water table: each well level
is the head at its node plus a measurement error of up to 1.5 ft, the later
measurements near the quarry lie 4 ft below it, each river's stage lies
3 ft below it (6 ft below the land surface where that is lower), so the
rivers gain water, and the land surface lies 12 ft above it give or take the
hills, so the rivers run in the top layer. The layers hang from the land
surface at the same depths as before, so the flow (in confined layers) is the
same apart from the rivers; run the main job and this script twice, and the
second reference run reproduces its wells. Without --heads the levels follow a made-up surface
rising away from the lake."""
import argparse
import math
import os
import random
import struct

NCOL, NROW = 361, 470
XORIG, YORIG, DELR = 290568.0, 557128.0, 1000.0
LAKE_CENTRE, LAKE_RADIUS = (330.0, 128.0), 10.0  # (row, column), cells
LAKE_STAGE = 425.0
here = os.path.dirname(os.path.abspath(__file__))


def f32(v):
    return struct.unpack("f", struct.pack("f", v))[0]


# The tablet placement of the digitizer conversion.
ANG = f32(f32(f32(0.7) * f32(0.0174537)) * 1.0)
COS, SIN = f32(math.cos(ANG)), f32(math.sin(ANG))
TXDEL, TYDEL, SCALE, X0, Y0 = f32(-1.047), f32(-0.7), 12700.0, 290068.0, 88628.0


def to_tablet(x, y):
    u, v = (x - X0) / SCALE - TXDEL, (y - Y0) / SCALE - TYDEL
    return u * COS + v * SIN, -u * SIN + v * COS


def from_tablet(u, v):
    x = f32(f32(f32(u * COS) - f32(v * SIN)) + TXDEL)
    y = f32(f32(f32(u * SIN) + f32(v * COS)) + TYDEL)
    return f32(f32(x * SCALE) + X0), f32(f32(y * SCALE) + Y0)


def node_xy(i, j):
    return XORIG + (j - 1) * DELR, YORIG - (i - 1) * DELR


def outline(centre, radius_rows, radius_cols, wobble, count, seed):
    """Vertices (tablet inches, 3 decimals) of a wobbly closed curve around
    centre (row, column), kept clear of the node rows."""
    rng = random.Random(seed)
    tablet = []
    for k in range(count):
        a = 2.0 * math.pi * k / count
        f = 1.0 + wobble * (rng.random() - 0.5)
        i = centre[0] + radius_rows * f * math.sin(a)
        j = centre[1] + radius_cols * f * math.cos(a)
        x, y = node_xy(i, j)
        if abs((y - YORIG) % DELR - 500.0) > 400.0:  # within 100 m of a node row
            y += 250.0
        u, v = to_tablet(x, y)
        tablet.append((round(u, 3), round(v, 3)))
    return tablet


def inside_nodes(tablet):
    """Nodes between pairs of a row's edge crossings, as the zone tool
    decides them."""
    pts = [from_tablet(u, v) for u, v in tablet]
    nodes = set()
    for i in range(1, NROW + 1):
        y = YORIG - (i - 1) * DELR
        xs = []
        for k in range(len(pts)):
            (xa, ya), (xb, yb) = pts[k], pts[(k + 1) % len(pts)]
            if (ya < y) != (yb < y):
                xs.append(xa + (y - ya) * (xb - xa) / (yb - ya))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            for j in range(1, NCOL + 1):
                if a <= XORIG + (j - 1) * DELR <= b:
                    nodes.add((i, j))
    return nodes


def land(i, j):
    """Land surface, feet: rising away from the lake, with low hills; with a
    reference run, 12 ft above its water table give or take 6 ft of hills."""
    hills = math.sin(j / 23.0) * math.cos(i / 31.0)
    if (i, j) in REFERENCE:
        return REFERENCE[(i, j)] + 12.0 + 6.0 * hills
    d = math.hypot(i - LAKE_CENTRE[0], j - LAKE_CENTRE[1])
    return 440.0 + 1.1 * d + 18.0 * hills


REFERENCE = {}  # (row, column) -> layer-1 head of a reference run


def water_level(i, j):
    if (i, j) in REFERENCE:
        return REFERENCE[(i, j)]
    d = math.hypot(i - LAKE_CENTRE[0], j - LAKE_CENTRE[1])
    return LAKE_STAGE + 0.8 * d + 10.0 * math.sin(j / 23.0) * math.cos(i / 31.0)


def river_stage(i, j):
    if (i, j) in REFERENCE:
        return min(REFERENCE[(i, j)] - 3.0, land(i, j) - 6.0)
    return land(i, j) - 6.0


def read_reference(path):
    """Layer-1 heads in the fixed form (10 x F8.1 a line); -999.9 marks a
    cell without a head."""
    values = []
    with open(path) as f:
        for line in f:
            line = line.rstrip("\n")
            values.extend(float(line[k:k + 8]) for k in range(0, len(line), 8) if line[k:k + 8].strip())
    assert len(values) == NROW * NCOL, (path, len(values))
    for n, v in enumerate(values):
        if v > -999.0:
            REFERENCE[(n // NCOL + 1, n % NCOL + 1)] = v


def write_ints(name, f):
    with open(os.path.join(here, name), "w", newline="\n") as out:
        for i in range(1, NROW + 1):
            row = [f(i, j) for j in range(1, NCOL + 1)]
            for k in range(0, NCOL, 25):
                out.write("".join("%3d" % v for v in row[k:k + 25]) + "\n")


def write_reals(name, f, per=10, fmt="%8.1f"):
    with open(os.path.join(here, name), "w", newline="\n") as out:
        for i in range(1, NROW + 1):
            row = [fmt % f(i, j) for j in range(1, NCOL + 1)]
            for k in range(0, NCOL, per):
                out.write("".join(row[k:k + per]) + "\n")


def write_points(name, points):
    with open(os.path.join(here, name), "w", newline="\n") as out:
        for x, y, z in points:
            out.write("%.1f %.1f %.2f\n" % (x, y, z))


def write_tablet(name, tablet):
    with open(os.path.join(here, name), "w", newline="\n") as out:
        for u, v in tablet:
            out.write("%8.3f %8.3f    0.000\n" % (u, v))


def layers(i, j):
    """Tops and bottoms of layers 1-4 and the unconformity top at a node."""
    t1 = land(i, j)
    b1 = t1 - (35.0 + 8.0 * math.sin(i / 50.0))
    b2 = b1 - (45.0 + 10.0 * math.cos(j / 45.0))
    b3 = b2 - (70.0 + 12.0 * math.sin((i + j) / 60.0))
    b4 = b3 - 150.0
    t2, t3, t4 = b1, b2, b3
    # Out of order on purpose, for the repair step.
    if 150 <= i <= 170 and 90 <= j <= 120:
        b2 = t2                      # zero thickness
    if 250 <= i <= 265 and 200 <= j <= 225:
        t3 = b2 + 4.0                # top above the bottom of the layer over it
    if 380 <= i <= 390 and 150 <= j <= 170:
        b4 = t4 + 5.0                # upside down
    # The unconformity climbs from below layer 3 in the west into layer 1's
    # base in the east, cutting layers 2 and 3 away there.
    u = b3 - 40.0 + 0.75 * (j - 120)
    u = min(u, b1 - 6.0)
    return (t1, b1, t2, b2, t3, b3, t4, b4), u


def river_network(lake, basin):
    """Cells and stages of the river package: a tree of diagonal branches
    joined by a stem running south to the lake, a tributary from the east,
    and a creek from the west into the lake."""
    cells = {}

    def add(i, j):
        assert (i, j) in basin and (i, j) not in lake, (i, j)
        cells[(i, j)] = river_stage(i, j)

    # The same branching tree as samples/heron2/make_heron2.py draws, here
    # clipped to the basin and joined to the lake.
    def tree(i, j, depth):
        add(i, j)
        if depth == 0:
            return
        h = 2 ** depth
        for t in range(1, h):
            add(i - t, j - t)
            add(i - t, j + t)
        tree(i - h, j - h, depth - 1)
        tree(i - h, j + h, depth - 1)

    def beside_lake(i, j):
        return any((i + di, j + dj) in lake for di in (-1, 0, 1) for dj in (-1, 0, 1))

    root = (240, int(LAKE_CENTRE[1]))
    tree(root[0], root[1], 5)
    i = root[0] + 1
    while not beside_lake(i, root[1]):  # the stem, down to the lake shore
        add(i, root[1])
        i += 1
    add(i, root[1])
    for j in range(root[1] + 1, root[1] + 61):  # eastern tributary
        add(280, j)
    row = int(LAKE_CENTRE[0]) + 2
    j = 62
    while not beside_lake(row, j):  # western creek
        add(row, j)
        j += 1
    add(row, j)
    return cells


def main():
    parser = argparse.ArgumentParser(description="Writes the sample model's input files.")
    parser.add_argument("--heads", help="layer-1 heads of a reference run (10F8.1 array)")
    args = parser.parse_args()
    if args.heads:
        read_reference(args.heads)
    rng = random.Random(13)
    basin_t = outline((235.0, 181.0), 190.0, 150.0, 0.18, 36, 3)
    lake_t = outline(LAKE_CENTRE, LAKE_RADIUS, LAKE_RADIUS * 1.3, 0.3, 18, 5)
    quarry_t = outline((190.0, 250.0), 4.0, 5.0, 0.3, 10, 7)
    write_tablet("BASIN.xyz", basin_t)
    write_tablet("LAKE.xyz", lake_t)
    write_tablet("QUARRY.xyz", quarry_t)
    basin, lake, quarry = inside_nodes(basin_t), inside_nodes(lake_t), inside_nodes(quarry_t)
    assert lake <= basin and quarry <= basin and not (lake & quarry)
    active = sorted(basin - lake)

    rivers = river_network(lake, basin)
    records = []
    for (i, j) in sorted(rivers, key=lambda c: (c[1], c[0])):
        stage = rivers[(i, j)]
        records.append("%10d%10d%10d%10.2f%10.3f%10.2f%10d%7d"
                       % (1, i, j, stage, 20.0, stage - 3.0, 0, 0))
    with open(os.path.join(here, "RIVPKG.DAT"), "w", newline="\n") as out:
        out.write("%10d%10d\n" % (len(records), 0))
        out.write("%10d\n" % len(records))
        out.write("\n".join(records) + "\n")
    write_ints("HELD.ARR", lambda i, j: -1 if (i, j) in rivers else 0)

    # Wells: scattered through the active area, none on a river cell.
    candidates = [c for c in active if c not in rivers]
    wells = rng.sample(candidates, 260)
    points = []
    for (i, j) in wells:
        x, y = node_xy(i, j)
        points.append((x + rng.uniform(-400, 400), y + rng.uniform(-400, 400),
                       water_level(i, j) + rng.uniform(-1.5, 1.5)))
    # The lake stage on every lake node and the ring around it (the water
    # table of the reference run on the ring, when there is one).
    shore = {(i + di, j + dj) for (i, j) in lake for di in (-1, 0, 1) for dj in (-1, 0, 1)}
    for (i, j) in sorted(shore):
        x, y = node_xy(i, j)
        points.append((x, y, LAKE_STAGE if (i, j) in lake else water_level(i, j)))
    write_points("WLPOINTS.XYZ", points)
    near_quarry = [c for c in candidates if abs(c[0] - 190) < 25 and abs(c[1] - 250) < 25]
    later = []
    for (i, j) in rng.sample(near_quarry, 30):
        x, y = node_xy(i, j)
        later.append((x, y, water_level(i, j) - 4.0))
    write_points("WLNEW.XYZ", later)
    spots = rng.sample(wells, 5)
    write_points("WELLS.XYZ", [(node_xy(i, j)[0] + 125.0, node_xy(i, j)[1] - 75.0,
                                round(rng.uniform(40, 160))) for (i, j) in spots])

    stack = {}
    for i in range(1, NROW + 1):
        for j in range(1, NCOL + 1):
            stack[(i, j)] = layers(i, j)
    names = ["TOP1", "BOT1", "TOP2", "BOT2", "TOP3", "BOT3", "TOP4", "BOT4"]
    for k, name in enumerate(names):
        write_reals(name + ".DAT", lambda i, j, k=k: stack[(i, j)][0][k])
    write_reals("UNCONF.DAT", lambda i, j: stack[(i, j)][1])
    write_ints("PINCH.IBD", lambda i, j: 0 if stack[(i, j)][1] + 2.0 > stack[(i, j)][0][3] else 1)
    sand = [
        lambda i, j: 70.0 + 20.0 * math.sin(i / 37.0) * math.cos(j / 29.0),   # outwash
        lambda i, j: 20.0 + 15.0 * math.sin(j / 41.0) * math.cos(i / 23.0),   # till
        lambda i, j: 65.0 + 25.0 * math.cos(i / 53.0) * math.sin(j / 31.0),   # aquifer
        lambda i, j: 35.0 + 20.0 * math.sin((i - j) / 47.0),                  # shaly base
    ]
    for k, f in enumerate(sand):
        write_reals("PSAND%d.DAT" % (k + 1), f)
    e = "%10.4E"
    write_reals("SANDKH.ARR", lambda i, j: 45.0, 8, e)     # medium sand
    write_reals("CLAYKH.ARR", lambda i, j: 0.003, 8, e)    # silty clay
    write_reals("SANDKV.ARR", lambda i, j: 4.5, 8, e)
    write_reals("CLAYKV.ARR", lambda i, j: 0.0003, 8, e)
    print("basin %d nodes, lake %d, quarry %d, river cells %d, points %d"
          % (len(basin), len(lake), len(quarry), len(rivers), len(points)))


if __name__ == "__main__":
    main()
