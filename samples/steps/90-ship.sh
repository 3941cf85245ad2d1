# needs: setuppack
# The prepared model packed into a setup image of its own, the way a
# consultant ships a model to a client: ship/MODEL.EXE and its continuation
# file 2.DAT (the maps on a second disk). The installer puts files in one
# folder, so the image holds a copy of the MODFLOW files that reads the
# arrays beside them. The setup program is the Windows installer when
# SETUP_STUB names it; otherwise a stand-in header, so the image can be
# listed and extracted here but not started on Windows.
set -euo pipefail
mkdir -p ship/model
for f in mf2005/sample.*; do
  case "$f" in *.lst | *.hds | *.log) continue ;; esac
  sed 's|^OPEN/CLOSE \.\./|OPEN/CLOSE |' "$f" >"ship/model/$(basename "$f")"
done
arrays="PTOP1.MOD PBOT1.MOD PBOT2.MOD PBOT3.MOD PBOT4.MOD ZONES.BOL WLFINAL.BSK
        LAY1.KH LAY1.KV LAY2.KH LAY2.KV LAY3.KH LAY3.KV LAY4.KH LAY4.KV"
{
  echo "# The sample model, ready for MODFLOW-2005: run mf2005 sample.nam"
  echo "folder C:\\MODELS\\SAMPLE"
  echo "program sample.nam"
  echo "description Sample groundwater model"
  echo "link Sample model.LNK"
  for f in ship/model/sample.*; do echo "file . $(basename "$f") model/$(basename "$f")"; done
  for f in $arrays; do echo "file . $f ../$f"; done
  echo "disk MAPS"
  for f in maps/*.png; do echo "file 1 $(basename "$f") ../$f"; done
} >ship/MODEL.MAN
stub=${SETUP_STUB:-ship/STANDIN.EXE}
if [ -z "${SETUP_STUB:-}" ]; then
  { printf 'MZ'; head -c 510 /dev/zero; } >"$stub"
fi
"$BIN/setuppack" pack --ascii "$stub" ship/MODEL.MAN ship/MODEL.EXE
"$BIN/setuppack" list ship/MODEL.EXE | tee ship/MODEL.LST
