# needs:
# A MODFLOW-2005 model of the sample area in modflow/, reading the prepared
# arrays where they lie (one folder up) through OPEN/CLOSE control records in
# the layouts the tools wrote them: 4 confined layers, steady state, feet and
# days. Tops and bottoms from LAYORDER, the zone array as IBOUND in every
# layer, starting heads from BRISKET4, conductivities from CORBELLA, the
# river package rebuilt by HERON2.
set -euo pipefail
mkdir -p modflow
cd modflow
name=sample
ft_per_m=3.280840  # the grid's 1000 m cells, in feet

# An array control record: file, multiplier, Fortran format of the file.
real_array() { printf 'OPEN/CLOSE  ../%-14s 1.0  %-10s -1\n' "$1" "$2"; }
int_array() { printf 'OPEN/CLOSE  ../%-14s 1  %-10s -1\n' "$1" "(25I3)"; }

cat >"$name.nam" <<EOF
# MODFLOW-2005 name file: the kit's sample model
LIST          2  $name.lst
DIS          11  $name.dis
BAS6         12  $name.ba6
LPF          13  $name.lpf
RIV          14  $name.riv
PCG          15  $name.pcg
OC           16  $name.oc
DATA(BINARY) 51  $name.hds REPLACE
EOF

{
  echo "# DIS: 4 layers, 470 rows, 361 columns, 1 stress period; days (4), feet (1)"
  printf '%10d%10d%10d%10d%10d%10d\n' 4 470 361 1 4 1
  echo "0 0 0 0"
  printf 'CONSTANT %12.3f   DELR\n' "$(awk -v f=$ft_per_m 'BEGIN { print 1000 * f }')"
  printf 'CONSTANT %12.3f   DELC\n' "$(awk -v f=$ft_per_m 'BEGIN { print 1000 * f }')"
  real_array PTOP1.MOD "(10F8.1)"
  for k in 1 2 3 4; do real_array "PBOT$k.MOD" "(10F8.1)"; done
  echo "       1.0         1       1.0        SS"
} >"$name.dis"

{
  echo "# BAS6: the zone array as IBOUND of every layer, starting heads from WLFINAL"
  echo ""
  for k in 1 2 3 4; do int_array ZONES.BOL; done
  printf '%10.2f\n' -999.99
  for k in 1 2 3 4; do real_array WLFINAL.BSK "(10F8.1)"; done
} >"$name.ba6"

{
  echo "# LPF: confined layers, harmonic mean, isotropic; HK and VKA of each layer"
  echo "         0   -888.00         0"
  echo "0 0 0 0"
  echo "0 0 0 0"
  echo "1.0 1.0 1.0 1.0"
  echo "0 0 0 0"
  echo "0 0 0 0"
  for k in 1 2 3 4; do
    real_array "LAY$k.KH" "(8E10.5)"
    real_array "LAY$k.KV" "(8E10.5)"
  done
} >"$name.lpf"

# The river package: HERON2's file as it stands; its header counts the
# reaches it holds (checked here, since MODFLOW would drop any past the count).
records=$(($(wc -l <../NEWRIVER.RIV) - 2))
itmp=$(sed -n 2p ../NEWRIVER.RIV | cut -c1-10)
if [ "$itmp" -ne "$records" ]; then
  echo "NEWRIVER.RIV counts $itmp reaches but holds $records" >&2
  exit 1
fi
{
  echo "# RIV: the river package rebuilt by HERON2 ($records reaches)"
  cat ../NEWRIVER.RIV
} >"$name.riv"

{
  echo "# PCG: modified incomplete Cholesky"
  printf '%10d%10d%10d\n' 200 50 1
  printf '%10.4f%10.1f%10.1f%10d%10d%10d%10.1f\n' 0.01 100.0 1.0 0 1 3 1.0
} >"$name.pcg"

cat >"$name.oc" <<'EOF'
# OC: heads saved to unit 51, the budget printed
HEAD SAVE UNIT 51
PERIOD 1 STEP 1
    SAVE HEAD
    PRINT BUDGET
EOF
echo "MODFLOW-2005 model written: $(ls | tr '\n' ' ')"
