#!/usr/bin/env bash
# Closed curves digitized on the tablet: LANTERNS converts each digitizer file
# (".xyz") to a CRSTM point file (".OUT"); QUARRYPIT turns the basin outline
# (active, 1), a lake in it (constant head, -1) and a quarry pit (zone 3) into
# the zone array ZONES.BOL and the boundary band BOUNDARY.FIL.
set -euo pipefail
# The programs' name fields are short: work on copies under bare names.
cp "$SAMPLES"/curves/BASIN.xyz "$SAMPLES"/curves/LAKE.xyz "$SAMPLES"/curves/QUARRY.xyz .
for name in BASIN LAKE QUARRY; do
  printf '%s\n' "$name" | "$BIN/lanterns" >/dev/null
  echo "LANTERNS: $name.xyz -> $name.OUT ($(wc -l <"$name.OUT") points)"
done
# Curve file, output base name, then per curve its value and the answer to
# "another curve?"; the console dialogue goes to QUARRYPIT.LOG.
printf '%s\n' BASIN.OUT ZONES 1 Y LAKE.OUT -1 Y QUARRY.OUT 3 N | "$BIN/quarrypit" >QUARRYPIT.LOG
for value in 1 -1 3; do
  cells=$(awk -v v="$value" '{ for (k = 0; k < length($0); k += 3) if (substr($0, k + 1, 3) + 0 == v) n++ } END { print n + 0 }' ZONES.BOL)
  echo "QUARRYPIT: $cells cells with zone value $value"
done
band=$(tr -cd '1' <BOUNDARY.FIL | wc -c)
echo "QUARRYPIT: $band cells in the boundary band"
echo "curves: $OUT/ZONES.BOL (zone array), $OUT/BOUNDARY.FIL (boundary band), CRSTM curves $OUT/*.OUT"
