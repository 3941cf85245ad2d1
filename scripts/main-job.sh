#!/usr/bin/env bash
# The kit's main job on the bundled sample data: builds the tools, then runs
# every step in samples/steps/ in order, each through its console dialogue,
# writing into out/ (or the folder given as the first argument).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/out}
if [ "${KIT_SKIP_DEPS:-}" != 1 ]; then bash "$root/scripts/install-deps.sh" >/dev/null; fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DKIT_PARTS= >/dev/null
cmake --build "$root/build" -j"$(nproc)" >/dev/null
rm -rf "$out" && mkdir -p "$out"
export BIN="$root/build/bin" SAMPLES="$root/samples" OUT="$out"
for step in "$root"/samples/steps/*.sh; do
  echo "== $(basename "$step" .sh)"
  (cd "$out" && bash "$step")
done
echo "== done: results are in $out"
