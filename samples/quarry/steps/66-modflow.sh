# needs: kitmodel kitmap
# The quarry model for MODFLOW 6 (mf6/) and MODFLOW-2005 (mf2005/), written
# by kitmodel on the quarry's grid. When mf6 is on the PATH (or named by
# MF6) it runs; it must end normally with a budget discrepancy below 0.01 %.
# Its layer-1 heads are read back, compared with the wells and mapped.
set -euo pipefail
cp "$SAMPLE/MODEL.toml" .
"$BIN/kitmodel" write MODEL.toml

mf6=$(command -v "${MF6:-mf6}" 2>/dev/null || true)
if [ -z "$mf6" ]; then
  echo "MODFLOW 6 is not on the PATH (nor named by MF6): the models are written, not run"
  exit 0
fi
(cd mf6 && "$mf6" >mf6.log 2>&1) || { tail -n 5 mf6/mf6.log; exit 1; }
grep -q 'Normal termination' mf6/mf6.log || { tail -n 5 mf6/mf6.log; exit 1; }
discrepancy=$(grep 'PERCENT DISCREPANCY' mf6/quarry.lst | tail -n 1 | awk '{ print $4 }')
echo "MODFLOW 6:    normal termination, budget discrepancy $discrepancy %"
awk -v d="$discrepancy" 'BEGIN { exit !(d + 0 < 0.01 && d + 0 > -0.01) }' ||
  { echo "the budget discrepancy is 0.01 % or more"; exit 1; }

"$BIN/kitmodel" heads mf6/quarry.hds --layer 1 --out HEADS1
"$BIN/kitmodel" residuals mf6/quarry.hds WLPOINTS.XYZ --layer 1 --csv RESIDUALS.csv
mkdir -p maps
"$BIN/kitmap" levels HEADS1.GRD ZONES.BOL maps/heads.png --interval 5 --cell 6 \
  --title "Quarry sample: simulated heads, layer 1"
