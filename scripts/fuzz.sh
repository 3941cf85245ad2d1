#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number
# of seconds (default 60) from its seed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKIT_FUZZ=ON >/dev/null
targets=$(cmake --build "$root/build-fuzz" --target help | sed -n 's/^\.\.\. \(fuzz-[a-z0-9_-]*\).*/\1/p')
for t in $targets; do
  cmake --build "$root/build-fuzz" --target "$t" -j"$(nproc)" >/dev/null
  name=${t#fuzz-}
  work=$(mktemp -d)
  [ -d "$root/fuzz/corpus/$name" ] && cp -r "$root/fuzz/corpus/$name/." "$work/"
  echo "-- $t for ${seconds}s"
  if ! "$root/build-fuzz/bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 "$work" >"$work.log" 2>&1; then
    tail -n 60 "$work.log"; echo "fuzz target $t failed"; exit 1
  fi
  grep -E 'stat::number_of_executed_units' "$work.log" || true
  rm -rf "$work" "$work.log"
done
