#!/usr/bin/env bash
# Cross-builds the Windows installer (preset "windows"), packs the sample
# image with the native setuppack, and works setup.exe through its pages
# under Wine on a virtual X display. Screenshots are kept in
# build-windows/artefacts/.
#
#   bash scripts/test-windows.sh [NATIVE_BUILD_DIR] [SCENARIO...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=${1:-$root/build}
shift || true
jobs=$(nproc)
build=$root/build-windows

echo "== Windows cross build"
(cd "$root" && cmake --preset windows -DKIT_SETUPPACK="$native/bin/setuppack" >/dev/null)
cmake --build "$build" -j"$jobs"
test -f "$build/sample/setup.exe" -a -f "$build/sample/2.DAT"

echo "== setup.exe under Wine"
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
rm -rf "$WINEPREFIX" "$build/artefacts"
mkdir -p "$build/artefacts"
art=$build/artefacts
status=0
timeout 900 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  bash "$root/scripts/wine-driver.sh" "$build" "$root/samples/setup" "$@" </dev/null || status=$?

for shot in "$art"/*.bmp; do
  [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm -f "$shot"
done
echo "screenshots: $(ls "$art"/*.png 2>/dev/null | tr '\n' ' ')"
if [ $status -ne 0 ]; then echo "Windows installer tests FAILED"; exit 1; fi
echo "Windows installer tests passed"
