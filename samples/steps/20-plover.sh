#!/usr/bin/env bash
# PLOVER converts a small CRSTM point file (origin, grid corners, a short
# line continued on the next) to latitude and longitude in GEO.OUT; PLOVER's
# point form converts one X Y; AVOCET converts one position back to CRSTM.
set -euo pipefail
# The name field takes 40 characters: answer with the bare name of a copy.
cp "$SAMPLES/plover/WELLS.XYZ" .
printf '%s\n' WELLS.XYZ | "$BIN/plover"
echo "GEO.OUT (lat deg min sec, lon west deg min sec, Z):"
cat GEO.OUT
printf '%s\n' "500000 300000" | "$BIN/plover-point"
echo
printf '%s\n' "43.5,85.25" | "$BIN/avocet" | tee AVOCET.TXT
echo "PLOVER wrote $OUT/GEO.OUT; AVOCET's listing is in $OUT/AVOCET.TXT"
