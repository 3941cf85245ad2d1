# needs: lanterns
# Digitized outlines of the model area, the lake and the quarry pit become
# CRSTM point files (".xyz" tablet inches -> ".OUT" metres).
set -euo pipefail
cp "$SAMPLES"/model/BASIN.xyz "$SAMPLES"/model/LAKE.xyz "$SAMPLES"/model/QUARRY.xyz .
for name in BASIN LAKE QUARRY; do
  printf '%s\n' "$name" | "$BIN/lanterns"
done
