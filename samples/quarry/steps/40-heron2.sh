# needs: heron2
# The creek rebuilt on the zone array: NEWRIVER.RIV, the stage listing
# RIVERS.STG, the class and order maps RIVERS.FL1 and RIVERS.OR1 (one piece:
# the grid has fewer than 124 columns) and the uphill report PROBLEM.SEG.
set -euo pipefail
cp "$SAMPLE/RIVPKG.DAT" .
printf '%s\n' RIVPKG.DAT ZONES.BOL RIVERS | "$BIN/heron2"
