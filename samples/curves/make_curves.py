#!/usr/bin/env python3
"""Writes the sample digitizer files of the curves step: closed outlines as a
digitizing program leaves them on the tablet, X Y Z in tablet inches with
three decimals, one point per line, the closing edge implied.

  BASIN.xyz   outline of the modelled basin (26 vertices)
  LAKE.xyz    a lake inside it (16 vertices)
  QUARRY.xyz  a quarry pit (9 vertices)

Run from this folder to regenerate them; the output is fixed by the seed.
"""
import math
import random


def outline(centre_x, centre_y, radius, wobble, count, seed):
    rng = random.Random(seed)
    points = []
    for k in range(count):
        angle = 2.0 * math.pi * k / count
        r = radius * (1.0 + wobble * (rng.random() - 0.5))
        points.append((centre_x + r * math.cos(angle), centre_y + r * math.sin(angle)))
    return points


def write(name, points):
    with open(name, "w", newline="\n") as out:
        for x, y in points:
            out.write(f"{x:8.3f} {y:8.3f}    0.000\n")


write("BASIN.xyz", outline(14.0, 19.0, 10.5, 0.45, 26, 3))
write("LAKE.xyz", outline(11.0, 22.0, 1.5, 0.5, 16, 5))
write("QUARRY.xyz", outline(18.5, 14.0, 0.5, 0.4, 9, 7))
