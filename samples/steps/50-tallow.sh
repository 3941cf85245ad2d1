# needs: tallowin tallowex
# Surfer grids for contouring: the starting heads inside the active area
# (WLACTIVE.GRD), the land surface (LANDSURF.GRD) and the base of the model
# inside the active area (BASEMENT.GRD). The programs name a grid from the
# first eight characters of the array's name: copies under short names.
set -euo pipefail
cp WLFINAL.BSK WLACTIVE.DAT
printf '%s\n' WLACTIVE.DAT ZONES.BOL | "$BIN/tallowin"
cp PTOP1.MOD LANDSURF.DAT
printf '%s\n' LANDSURF.DAT | "$BIN/tallowex"
cp PBOT4.MOD BASEMENT.DAT
printf '%s\n' BASEMENT.DAT ZONES.BOL | "$BIN/tallowin"
