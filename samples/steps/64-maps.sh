# needs: kitmap
# Maps of the prepared model in maps/: the starting heads with contours, the
# zone array, the thickness of layer 2 with its pinched-out cells hatched,
# and the rebuilt river network by stream order over the zone array.
set -euo pipefail
mkdir -p maps
"$BIN/kitmap" levels WLFINAL.GRD ZONES.BOL maps/levels.png --interval 20
"$BIN/kitmap" zones ZONES.BOL maps/zones.png
"$BIN/kitmap" thickness PTOP2.MOD PBOT2.MOD PINCH.IBD ZONES.BOL maps/thickness2.png
"$BIN/kitmap" rivers RIVERS ZONES.BOL maps/rivers.png
