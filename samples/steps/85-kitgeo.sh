#!/usr/bin/env bash
# needs: kitgeo
# Arrays and curves out to a GIS and a land surface in from one: KITGEO
# exports BRISKET's water levels (inside the zone array, the model's IBOUND) and QUARRYPIT's
# zone array to GeoTIFF and the basin outline to a GeoPackage polygon, then
# imports a land surface onto the model grid from a coarse DEM in latitude and
# longitude made here (0.1 degree cells, a broad upland falling to the lakes).
set -euo pipefail
for needed in WLFINAL.BSK ZONES.BOL BASIN.OUT; do
  if [ ! -f "$needed" ]; then
    echo "85-kitgeo: $needed is missing; the water-level and curve steps write it" >&2
    exit 2
  fi
done

"$BIN/kitgeo" export WLFINAL.BSK WLFINAL.tif --layout fixed --ibound ZONES.BOL
"$BIN/kitgeo" export ZONES.BOL ZONES.tif --layout int --ibound ZONES.BOL
"$BIN/kitgeo" export-points BASIN.OUT BASIN.gpkg --polygon

# The DEM: an ESRI ASCII grid in degrees (west longitudes negative), elevations
# in feet, turned into a GeoTIFF that names its coordinate system.
awk 'BEGIN {
  ncols = 60; nrows = 55; west = -87.5; south = 41.0; step = 0.1
  print "ncols " ncols; print "nrows " nrows
  print "xllcorner " west; print "yllcorner " south
  print "cellsize " step; print "NODATA_value -9999"
  for (r = 0; r < nrows; r++) {
    lat = south + (nrows - r - 0.5) * step
    line = ""
    for (c = 0; c < ncols; c++) {
      lon = west + (c + 0.5) * step
      du = (lon + 84.6) / 1.6; dv = (lat - 44.3) / 1.3
      z = 580 + 620 * exp(-(du * du + dv * dv)) + 15 * sin(lon * 7) * cos(lat * 5)
      line = line sprintf("%.1f ", z)
    }
    print line
  }
}' >DEM.asc
gdal_translate -q -a_srs "+proj=longlat +ellps=clrk66 +no_defs" -co COMPRESS=DEFLATE DEM.asc DEM.tif
"$BIN/kitgeo" import DEM.tif LANDDEM.DAT --layout fixed --resampling bilinear --ibound ZONES.BOL

echo "GIS: $OUT/WLFINAL.tif, $OUT/ZONES.tif (GeoTIFF, CRSTM), $OUT/BASIN.gpkg (outline polygon);"
echo "     $OUT/LANDDEM.DAT (land surface from DEM.tif, fixed layout)"
