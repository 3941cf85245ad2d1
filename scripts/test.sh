#!/usr/bin/env bash
# Builds everything and runs every test: a normal build, its Debian package
# installed and removed again, the Windows installer cross-built and run
# under Wine, a build under AddressSanitizer and UndefinedBehaviorSanitizer,
# short libFuzzer runs, and each program built alone. The sources must be
# formatted (.clang-format) before anything is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
if [ "${KIT_SKIP_DEPS:-}" != 1 ]; then bash "$root/scripts/install-deps.sh"; fi

echo "== formatting"
bash "$root/scripts/check-format.sh"

echo "== build and test"
# (the main job may have left a unity build here; tests build file by file)
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=OFF
cmake --build "$root/build" -j"$jobs"
ctest --test-dir "$root/build" --output-on-failure -j"$jobs"

echo "== Debian package: install with apt, run from the path, manual page, remove"
bash "$root/scripts/package-test.sh" "$root/build"

echo "== Windows installer: cross build and Wine run"
bash "$root/scripts/test-windows.sh" "$root/build"

echo "== build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
# (the same three steps as the normal build, in a folder of their own)
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIT_SANITIZE=ON
cmake --build "$root/build-asan" -j"$jobs"
ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"

echo "== short fuzz runs"
bash "$root/scripts/fuzz.sh" "${KIT_FUZZ_SECONDS:-20}"

echo "== each program built alone"
bash "$root/scripts/build-each-program.sh"
