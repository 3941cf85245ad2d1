# needs: plover plover-point avocet
# Well positions checked both ways: PLOVER lists the sample wells in
# latitude and longitude (GEO.OUT); each well goes to latitude and longitude
# with PLOVER's point form and back to CRSTM with AVOCET, and the distance
# between the two positions is listed in SPOTCHECK.TXT.
set -euo pipefail
cp "$SAMPLES/model/WELLS.XYZ" .
printf '%s\n' WELLS.XYZ | "$BIN/plover"
: >SPOTCHECK.TXT
while read -r x y _; do
  latlon=$(printf '%s\n' "$x $y" | "$BIN/plover-point" | tail -n 1)
  back=$(printf '%s\n' "$latlon" | "$BIN/avocet" | tail -n 2 | head -n 1)
  echo "$x $y $latlon $back" |
    awk '{ printf "well X %.1f Y %.1f: lat %.7f lon %.7f W -> X %.2f Y %.2f, off by %.2f m\n",
           $1, $2, $3, $4, $5, $6, sqrt(($5 - $1) ^ 2 + ($6 - $2) ^ 2) }' >>SPOTCHECK.TXT
done <WELLS.XYZ
cat SPOTCHECK.TXT
