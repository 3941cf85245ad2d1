#!/usr/bin/env bash
# Water levels by relaxation: BRISKET grids the sample well levels (and the
# lake stage) inside the sample IBOUND, BRISKET2 smooths that grid, and
# BRISKET4 re-seeds the smoothed grid with later measurements while holding
# the cells of a river line. Each writes a ".BSK" model array and a ".GRD"
# text grid.
set -euo pipefail
cp "$SAMPLES/common/IBOUND.ARR" IBOUND.ARR
cp "$SAMPLES/brisket/WELLS.XYZ" WELLS.XYZ
cp "$SAMPLES/brisket/NEWWELLS.XYZ" NEWWELLS.XYZ
cp "$SAMPLES/brisket/HELD.ARR" HELD.ARR
printf '%s\n' IBOUND.ARR WELLS.XYZ WLEVEL 4000 0.001 | "$BIN/brisket"
printf '%s\n' IBOUND.ARR WLEVEL.BSK WLSMOOTH 500 0.0001 | "$BIN/brisket2"
printf '%s\n' IBOUND.ARR HELD.ARR WLSMOOTH.BSK NEWWELLS.XYZ WLRESEED 2000 0.001 | "$BIN/brisket4"
echo "water levels: WLEVEL, WLSMOOTH and WLRESEED (.BSK and .GRD) in $OUT"
