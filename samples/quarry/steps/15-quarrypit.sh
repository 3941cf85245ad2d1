# needs: quarrypit
# The quarry sample's outlines become its zone array ZONES.BOL (area 1,
# quarry 3, pit lake -1 constant head) on the grid of GRID.toml, which every
# later step reads from this folder.
set -euo pipefail
cp "$SAMPLE"/GRID.toml "$SAMPLE"/BASIN.OUT "$SAMPLE"/QUARRY.OUT "$SAMPLE"/PITLAKE.OUT .
printf '%s\n' BASIN.OUT ZONES 1 Y QUARRY.OUT 3 Y PITLAKE.OUT -1 N | "$BIN/quarrypit"
