# needs: layorder
# Thickness and order repaired inside the zone array. LAYORDER reads ".DAT":
# the pinched arrays go in under names of their own (PTOP1.DAT ...).
set -euo pipefail
layers="TOP1 BOT1 TOP2 BOT2 TOP3 BOT3 TOP4 BOT4"
for name in $layers; do cp "$name.UNC" "P$name.DAT"; done
printf '%s\n' $(printf 'P%s ' $layers) ZONES.BOL | "$BIN/layorder"
