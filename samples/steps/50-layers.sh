#!/usr/bin/env bash
# The layer arrays of a four-layer model: PINCHLAY pinches layers 2 and 3 out
# where an unconformity cuts them (".UNC"), LAYORDER repairs thickness and
# order inside the sample IBOUND of the pinched arrays (".MOD"), and
# CORBELLA derives the conductivities of a layer from percent sand (".KH",
# ".KV"). The sample arrays are generated here (see samples/layers/).
set -euo pipefail
bash "$SAMPLES/layers/make_layers.sh" .
cp "$SAMPLES/common/IBOUND.ARR" .
layers="TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4"

# Unconformity top, IBOUND of layer 2, first pinched layer 2, eight names.
printf '%s\n' UNCONF.ARR PINCH.IBD 2 $layers | "$BIN/pinchlay"

# LAYORDER reads ".DAT": give it the pinched arrays under new names.
for name in $layers; do cp "$name.UNC" "P$name.DAT"; done
printf '%s\n' $(printf 'P%s ' $layers) IBOUND.ARR | "$BIN/layorder"

# Whole grid, output base LAY1, sand and clay conductivities, percent sand.
printf '%s\n' 361 470 LAY1 SANDKH.ARR CLAYKH.ARR SANDKV.ARR CLAYKV.ARR PSAND.ARR | "$BIN/corbella"

echo "layers: $OUT/TOP1.UNC ... BOT4.UNC (pinched out), $OUT/PTOP1.MOD ... PBOT4.MOD (repaired),"
echo "        $OUT/LAY1.KH and $OUT/LAY1.KV (conductivities)"
