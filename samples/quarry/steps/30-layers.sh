# needs: pinchlay layorder corbella
# Layer 2 pinched out where the unconformity has cut it away (PINCHLAY), the
# layers' thickness and order repaired inside the zone array (LAYORDER, on
# copies named P + name + .DAT), and each layer's conductivities from its
# percent sand (CORBELLA): LAY1.KH, LAY1.KV ... LAY4.KH, LAY4.KV.
set -euo pipefail
layers="TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4"
for name in $layers UNCONF; do cp "$SAMPLE/$name.DAT" .; done
cp "$SAMPLE/PINCH.IBD" .
printf '%s\n' UNCONF.DAT PINCH.IBD 2 $layers | "$BIN/pinchlay"
for name in $layers; do cp "$name.UNC" "P$name.DAT"; done
printf '%s\n' $(printf 'P%s ' $layers) ZONES.BOL | "$BIN/layorder"
cp "$SAMPLE"/SANDKH.ARR "$SAMPLE"/CLAYKH.ARR "$SAMPLE"/SANDKV.ARR "$SAMPLE"/CLAYKV.ARR .
columns=$(sed -n 's/^columns *= *\([0-9]*\).*/\1/p' GRID.toml)
rows=$(sed -n 's/^rows *= *\([0-9]*\).*/\1/p' GRID.toml)
for k in 1 2 3 4; do
  cp "$SAMPLE/PSAND$k.DAT" .
  printf '%s\n' "$columns" "$rows" "LAY$k" SANDKH.ARR CLAYKH.ARR SANDKV.ARR CLAYKV.ARR "PSAND$k.DAT" |
    "$BIN/corbella"
done
