#!/usr/bin/env bash
# Writes made-up sample arrays for the layer tools into the folder given
# (default: the current folder), all on the 361 x 470 model grid:
#
#   TOP1.DAT BOT1.DAT ... TOP4.DAT BOT4.DAT  tops and bottoms of four layers
#       (fixed form, 10 x F8.1 a line). Layers 1 to 4 follow a sloping land
#       surface; in three patches west of column 210 the stack is out of
#       order on purpose (layer 2 of zero thickness, partly under the sample
#       IBOUND's constant-head lake; layer 3's top above layer 2's bottom;
#       layer 4 upside down) so that LAYORDER has something to repair.
#   UNCONF.ARR  top of an unconformity rising eastwards through the layers
#       (fixed form).
#   PINCH.IBD   IBOUND of layer 2 (25 x I3 a line): 0 where the unconformity
#       has cut layer 2 away (east of about column 210), 1 elsewhere.
#   SANDKH.ARR CLAYKH.ARR SANDKV.ARR CLAYKV.ARR  horizontal and vertical
#       conductivities of the sand and the clay (exponent layout, 8 x E10).
#   PSAND.ARR   percent sand, 0 to 100 (fixed form).
#
# Only awk is needed, so the main job can make them on any machine.
set -euo pipefail
export LC_ALL=C  # a decimal point in every number
out=${1:-.}
mkdir -p "$out"
cd "$out"
awk '
function land(i, j) {
  return 180.0 + 0.35 * (470 - i) + 0.12 * j + 25.0 * sin(j / 30.0) * cos(i / 41.0)
}
# Writes row after row of a real array: `per` values a line in format `fmt`.
function emit(file, fmt, per, vals,    j, line) {
  line = ""
  for (j = 1; j <= 361; j++) {
    line = line sprintf(fmt, vals[j])
    if (j % per == 0 || j == 361) { print line > file; line = "" }
  }
}
BEGIN {
  for (i = 1; i <= 470; i++) {
    for (j = 1; j <= 361; j++) {
      t1 = land(i, j)
      b1 = t1 - (20.0 + 5.0 * sin(i / 50.0))
      t2 = b1
      b2 = t2 - (30.0 + 8.0 * cos(j / 45.0))
      t3 = b2
      b3 = t3 - 40.0
      t4 = b3
      b4 = t4 - 60.0
      # Disorder for LAYORDER, west of the pinched-out area.
      if (i >= 140 && i <= 170 && j >= 100 && j <= 140) b2 = t2          # zero thickness
      if (i >= 300 && i <= 320 && j >= 150 && j <= 180) t3 = b2 + 2.5    # overlap
      if (i >= 100 && i <= 110 && j >= 150 && j <= 170) b4 = t4 + 5.0    # upside down
      u = b3 - 25.0 + 0.3 * j
      T1[j] = t1; B1[j] = b1; T2[j] = t2; B2[j] = b2
      T3[j] = t3; B3[j] = b3; T4[j] = t4; B4[j] = b4
      U[j] = u
      P[j] = (u + 2.0 > b2) ? 0 : 1
      psand = 50.0 + 45.0 * sin(i / 37.0) * cos(j / 29.0)
      S[j] = psand
      KH1[j] = 25.0 + 10.0 * sin(j / 40.0)
      KH2[j] = 0.05 + 0.04 * cos(i / 60.0)
      KV1[j] = KH1[j] / 10.0
      KV2[j] = KH2[j] / 50.0
    }
    emit("TOP1.DAT", "%8.1f", 10, T1); emit("BOT1.DAT", "%8.1f", 10, B1)
    emit("TOP2.DAT", "%8.1f", 10, T2); emit("BOT2.DAT", "%8.1f", 10, B2)
    emit("TOP3.DAT", "%8.1f", 10, T3); emit("BOT3.DAT", "%8.1f", 10, B3)
    emit("TOP4.DAT", "%8.1f", 10, T4); emit("BOT4.DAT", "%8.1f", 10, B4)
    emit("UNCONF.ARR", "%8.1f", 10, U)
    emit("PINCH.IBD", "%3d", 25, P)
    emit("PSAND.ARR", "%8.1f", 10, S)
    emit("SANDKH.ARR", "%10.4E", 8, KH1); emit("CLAYKH.ARR", "%10.4E", 8, KH2)
    emit("SANDKV.ARR", "%10.4E", 8, KV1); emit("CLAYKV.ARR", "%10.4E", 8, KV2)
  }
}'
