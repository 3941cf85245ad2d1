# needs: brisket
# Well levels and the lake stage gridded inside the zone array.
set -euo pipefail
cp "$SAMPLES/model/WLPOINTS.XYZ" .
printf '%s\n' ZONES.BOL WLPOINTS.XYZ WLEVEL 10000 0.001 | "$BIN/brisket"
