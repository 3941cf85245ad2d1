# needs: corbella
# Horizontal and vertical conductivities of each layer from its percent sand:
# LAY1.KH, LAY1.KV ... LAY4.KH, LAY4.KV.
set -euo pipefail
cp "$SAMPLES"/model/SANDKH.ARR "$SAMPLES"/model/CLAYKH.ARR \
   "$SAMPLES"/model/SANDKV.ARR "$SAMPLES"/model/CLAYKV.ARR .
for k in 1 2 3 4; do
  cp "$SAMPLES/model/PSAND$k.DAT" .
  printf '%s\n' 361 470 "LAY$k" SANDKH.ARR CLAYKH.ARR SANDKV.ARR CLAYKV.ARR "PSAND$k.DAT" | "$BIN/corbella"
done
