#!/usr/bin/env bash
# Builds each program of the kit alone, from a clean build folder, so that a
# program that needs a library or a generated file it does not declare fails
# here rather than only in a full build. The programs are those with a manual
# page. Object files come from ccache when it is installed.
#   build-each-program.sh [BUILD_DIR]   (default build-each/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-each}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR=$root
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
for page in "$root"/docs/man/*.1; do
  program=$(basename "$page" .1)
  cmake --build "$build" --target clean
  if ! cmake --build "$build" -j"$(nproc)" --target "$program" >"$build/$program.log" 2>&1; then
    tail -n 20 "$build/$program.log" >&2
    echo "$program does not build alone (log: $build/$program.log)" >&2
    exit 1
  fi
  [ -x "$build/bin/$program" ] || { echo "$program: no $build/bin/$program after its build" >&2; exit 1; }
  echo "$program builds alone"
done
