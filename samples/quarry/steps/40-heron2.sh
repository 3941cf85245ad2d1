# needs: heron2
# The creek's river package rebuilt on the quarry's zone array: NEWRIVER.RIV,
# the stage listing RIVERS.STG, one class map RIVERS.FL1 and one order map
# RIVERS.OR1 (97 columns fit one 123-column piece) and PROBLEM.SEG.
set -euo pipefail
cp "$SAMPLE/RIVPKG.DAT" .
printf '%s\n' RIVPKG.DAT ZONES.BOL RIVERS | "$BIN/heron2"
