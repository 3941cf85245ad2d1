#!/usr/bin/env bash
# Water levels by relaxation: BRISKET grids the sample well levels (and the
# lake stage) inside the sample IBOUND, BRISKET2 smooths that grid, and
# BRISKET4 re-seeds the smoothed grid with later measurements while holding
# the cells of a river line. Each writes a ".BSK" model array and a ".GRD"
# text grid.
set -euo pipefail
cp "$SAMPLES/common/IBOUND.ARR" IBOUND.ARR
cp "$SAMPLES/brisket/WLPOINTS.XYZ" WLPOINTS.XYZ
cp "$SAMPLES/brisket/WLNEW.XYZ" WLNEW.XYZ
cp "$SAMPLES/brisket/WLHELD.ARR" WLHELD.ARR
printf '%s\n' IBOUND.ARR WLPOINTS.XYZ WLEVEL 4000 0.001 | "$BIN/brisket"
printf '%s\n' IBOUND.ARR WLEVEL.BSK WLSMOOTH 500 0.0001 | "$BIN/brisket2"
printf '%s\n' IBOUND.ARR WLHELD.ARR WLSMOOTH.BSK WLNEW.XYZ WLRESEED 2000 0.001 | "$BIN/brisket4"
echo "water levels: WLEVEL, WLSMOOTH and WLRESEED (.BSK and .GRD) in $OUT"
