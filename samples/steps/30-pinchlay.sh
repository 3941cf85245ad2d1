# needs: pinchlay
# Layers 2 and 3 pinched out where the unconformity has cut layer 2 away.
set -euo pipefail
for name in TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4 UNCONF; do
  cp "$SAMPLES/model/$name.DAT" .
done
cp "$SAMPLES/model/PINCH.IBD" .
printf '%s\n' UNCONF.DAT PINCH.IBD 2 TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4 | "$BIN/pinchlay"
