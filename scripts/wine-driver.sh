#!/usr/bin/env bash
# Inside the virtual X display of test-windows.sh: one wineboot, then the
# test driver works the packed sample image through its scenarios.
#
#   wine-driver.sh BUILD_WINDOWS_DIR SAMPLES_SRC [SCENARIO...]
set -euo pipefail
build=$1 samples=$2
shift 2
# Every program opens in a 1024 x 768 virtual desktop, where maximised
# windows and the keyboard focus work without a window manager.
wine wineboot -i </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
wineserver -w
status=0
wine "$build/bin/setupdriver.exe" "$(winepath -w "$build/sample")" "$(winepath -w "$samples")" \
  "$(winepath -w "$build/bin/trnx.exe")" "$(winepath -w "$build/artefacts")" "$@" </dev/null 2>/dev/null |
  tr -d '\r' || status=$?
wineserver -k || true
exit $status
