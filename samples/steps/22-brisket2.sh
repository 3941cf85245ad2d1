# needs: brisket2
# A light smoothing of the gridded levels (a few sweeps).
set -euo pipefail
printf '%s\n' ZONES.BOL WLEVEL.BSK WLSMOOTH 10 0.001 | "$BIN/brisket2"
