# needs: quarrypit
# The outlines become the zone array ZONES.BOL (area 1, lake -1 constant
# head, quarry 3), the IBOUND array of every later step.
set -euo pipefail
printf '%s\n' BASIN.OUT ZONES 1 Y LAKE.OUT -1 Y QUARRY.OUT 3 N | "$BIN/quarrypit"
