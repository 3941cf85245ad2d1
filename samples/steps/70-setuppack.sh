#!/usr/bin/env bash
# setuppack packs the sample data into a setup image over three disks
# (SETUP.EXE, 2.DAT, 3.DAT), lists it and extracts it natively the way the
# installer's copy phase would. The stub standing for the Windows setup
# program is a small text file here: any file of 32 bytes or more will do.
set -euo pipefail
mkdir -p SETUPIMG
"$BIN/setuppack" pack "$SAMPLES/setuppack/STUB.TXT" "$SAMPLES/setuppack/SETUP.LST" SETUPIMG/SETUP.EXE
"$BIN/setuppack" list SETUPIMG/SETUP.EXE | tee SETUPPACK.LOG
rm -rf INSTALLED
"$BIN/setuppack" extract SETUPIMG/SETUP.EXE INSTALLED --owner "Sample Modeller" --firm "Kit Samples" \
  2>>SETUPPACK.LOG
for pair in IBOUND.ARR:common/IBOUND.ARR LANDSURF.DAT:common/LANDSURF.DAT BASIN.XYZ:curves/BASIN.xyz \
            "WL POINTS.XYZ:brisket/WLPOINTS.XYZ"; do
  cmp "INSTALLED/${pair%%:*}" "$SAMPLES/${pair#*:}"
done
echo "setuppack: $(ls INSTALLED | wc -l) files installed into $OUT/INSTALLED, identical to the samples;" \
  "README.TXT personalised:"
grep -a "Sample Modeller" INSTALLED/README.TXT | tr '\0' '|'
