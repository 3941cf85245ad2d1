# needs: kitmodel kitmap
# The sample model for MODFLOW 6 (mf6/) and MODFLOW-2005 (mf2005/), written
# by kitmodel from MODEL.toml, which names the arrays the steps before wrote.
# When MODFLOW is on the PATH (or named by MF6 and MF2005) both versions run;
# their heads are read back, compared with the well levels the starting heads
# were gridded from, and mapped.
set -euo pipefail
cp "$SAMPLES/model/MODEL.toml" .
"$BIN/kitmodel" write MODEL.toml

# The budget discrepancy of a listing file: the last one it prints.
discrepancy() { grep 'PERCENT DISCREPANCY' "$1" | tail -n 1 | awk '{ print $4 }'; }
# A program named by an environment variable or found on the PATH.
find_program() { local named=$1 name=$2; command -v "${!named:-$name}" 2>/dev/null || true; }

mf6=$(find_program MF6 mf6)
mf2005=$(find_program MF2005 mf2005)
if [ -z "$mf6" ] && [ -z "$mf2005" ]; then
  echo "MODFLOW is not on the PATH (nor named by MF6 or MF2005): the models are written, not run"
  exit 0
fi
if [ -n "$mf6" ]; then
  (cd mf6 && "$mf6" >mf6.log 2>&1) || { tail -n 5 mf6/mf6.log; exit 1; }
  grep -q 'Normal termination' mf6/mf6.log || { tail -n 5 mf6/mf6.log; exit 1; }
  echo "MODFLOW 6:    normal termination, budget discrepancy $(discrepancy mf6/sample.lst) %"
fi
if [ -n "$mf2005" ]; then
  (cd mf2005 && "$mf2005" sample.nam >mf2005.log 2>&1) || { tail -n 5 mf2005/mf2005.log; exit 1; }
  grep -q 'Normal termination' mf2005/mf2005.log || { tail -n 5 mf2005/mf2005.log; exit 1; }
  echo "MODFLOW-2005: normal termination, budget discrepancy $(discrepancy mf2005/sample.lst) %"
fi

# Layer 1 of the heads (MODFLOW 6's when it ran) as a grid and an array, the
# residuals at the wells, and two maps.
heads=mf6/sample.hds
[ -n "$mf6" ] || heads=mf2005/sample.hds
"$BIN/kitmodel" heads "$heads" --layer 1 --out HEADS1
"$BIN/kitmodel" residuals "$heads" WLPOINTS.XYZ --layer 1 --csv RESIDUALS.csv
mkdir -p maps
"$BIN/kitmap" levels HEADS1.GRD ZONES.BOL maps/heads.png --interval 20 --title "Simulated heads, layer 1"
# The residuals (simulated - observed) of the wells compared, as X Y Z.
awk -F, 'NR > 1 && $8 == "used" { print $1, $2, $7 }' RESIDUALS.csv >RESIDUALS.XYZ
"$BIN/kitmap" levels HEADS1.GRD ZONES.BOL maps/residuals.png --interval 20 --residuals RESIDUALS.XYZ \
  --title "Residuals at the wells over the simulated heads"
