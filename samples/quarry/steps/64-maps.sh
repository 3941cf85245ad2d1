# needs: kitmap
# Maps of the quarry sample in maps/, drawn 6 pixels a cell: the starting
# heads with contours, the zone array, the creek by stream order, and layer
# 2's thickness with the cells the unconformity pinched out hatched.
set -euo pipefail
mkdir -p maps
"$BIN/kitmap" levels WLFINAL.GRD ZONES.BOL maps/levels.png --interval 5 --cell 6
"$BIN/kitmap" zones ZONES.BOL maps/zones.png --cell 6
"$BIN/kitmap" thickness PTOP2.MOD PBOT2.MOD PINCH.IBD ZONES.BOL maps/thickness2.png --cell 6
"$BIN/kitmap" rivers RIVERS ZONES.BOL maps/rivers.png --cell 6
