# needs: brisket4
# Every well level and the later measurements near the quarry (which replace
# earlier levels on their nodes) re-seed the smoothed levels, while the
# river cells (-1 in HELD.ARR) keep theirs: WLFINAL, the starting heads.
set -euo pipefail
cp "$SAMPLES/model/WLNEW.XYZ" "$SAMPLES/model/HELD.ARR" .
cat WLPOINTS.XYZ WLNEW.XYZ >WLALL.XYZ
printf '%s\n' ZONES.BOL HELD.ARR WLSMOOTH.BSK WLALL.XYZ WLFINAL 10000 0.001 | "$BIN/brisket4"
