# needs: brisket brisket2 brisket4
# The well levels and the pit lake's stage gridded inside the zone array,
# smoothed lightly, then re-seeded with every level and the later
# measurements beside the quarry while the creek's cells keep theirs:
# WLFINAL, the starting heads.
set -euo pipefail
cp "$SAMPLE/WLPOINTS.XYZ" "$SAMPLE/WLNEW.XYZ" "$SAMPLE/HELD.ARR" .
printf '%s\n' ZONES.BOL WLPOINTS.XYZ WLEVEL 10000 0.001 | "$BIN/brisket"
printf '%s\n' ZONES.BOL WLEVEL.BSK WLSMOOTH 10 0.001 | "$BIN/brisket2"
cat WLPOINTS.XYZ WLNEW.XYZ >WLALL.XYZ
printf '%s\n' ZONES.BOL HELD.ARR WLSMOOTH.BSK WLALL.XYZ WLFINAL 10000 0.001 | "$BIN/brisket4"
