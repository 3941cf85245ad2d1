# needs: heron2
# The river package rebuilt on the zone array: NEWRIVER.RIV, the stage
# listing RIVERS.STG, class and order maps RIVERS.FL1-3 and RIVERS.OR1-3,
# and the uphill report PROBLEM.SEG.
set -euo pipefail
cp "$SAMPLES/model/RIVPKG.DAT" .
printf '%s\n' RIVPKG.DAT ZONES.BOL RIVERS | "$BIN/heron2"
