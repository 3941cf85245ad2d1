# Surfer grids of the sample land surface: TALLOWIN inside the sample IBOUND
# array, TALLOWEX of the whole array.
cp "$SAMPLES/common/LANDSURF.DAT" "$SAMPLES/common/IBOUND.ARR" .
printf '%s\n' LANDSURF.DAT IBOUND.ARR | "$BIN/tallowin"
mv LANDSURF.GRD LANDSURF-ACTIVE.GRD
printf '%s\n' LANDSURF.DAT | "$BIN/tallowex"
echo "grids: $OUT/LANDSURF-ACTIVE.GRD (active cells only), $OUT/LANDSURF.GRD (whole array)"
