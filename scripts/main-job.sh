#!/usr/bin/env bash
# The kit's main job: prepares the sample model of samples/model from the
# digitized outlines to a MODFLOW model, maps and a setup image, every tool
# through its console dialogue and every step reading what the one before it
# wrote. Results go to out/ (or the folder given as the first argument).
#
# Steps are the files samples/steps/NN-name.sh, run in order in the results
# folder with BIN, SAMPLES, SAMPLE (the sample's inputs) and OUT set; then
# the quarry sample's samples/quarry/steps/NN-name.sh the same way in
# quarry/ inside it. A step's line "# needs: target ..."
# names the programs it runs; only those are built (a step without the line
# makes the job build everything). Each step's console dialogue goes to
# logs/NN-name.log; the terminal shows one line per step. KIT_SKIP_DEPS=1
# and KIT_SKIP_BUILD=1 leave out the package install and the build;
# KIT_BUILD_DIR names the build folder (default build/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/out}
build=${KIT_BUILD_DIR:-$root/build}
# The samples: the steps of each, the folder of its inputs and its results
# folder inside $out. The first sample's results are $out itself.
samples=("samples/steps model ." "samples/quarry/steps quarry quarry")
steps=("$root"/samples/steps/*.sh "$root"/samples/quarry/steps/*.sh)
jobs=$(nproc)

# Seconds since the time $1 (from date +%s.%N), one decimal.
since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }
started=$(date +%s.%N)
if [ "${KIT_SKIP_DEPS:-}" != 1 ]; then
  bash "$root/scripts/install-deps.sh" main-job >/dev/null 2>&1 ||
    { echo "main job: installing the packages failed (run scripts/install-deps.sh to see why)" >&2; exit 1; }
fi

if [ "${KIT_SKIP_BUILD:-}" != 1 ]; then
  # The union of the steps' programs, limited to the targets this tree has.
  # A unity build (each program's sources compiled as one) halves the build
  # time; the programs are the same bit for bit. Should a name clash between
  # two sources of one target stop it, the build is done file by file.
  mkdir -p "$build"
  configure() {
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD="$1" \
      >"$build/main-job-configure.log" 2>&1 || { tail -n 20 "$build/main-job-configure.log" >&2; exit 1; }
  }
  configure ON
  available=$(cmake --build "$build" --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p')
  wanted=() everything=0
  for step in "${steps[@]}"; do
    grep -q '^# needs:' "$step" || everything=1
    needs=$(sed -n 's/^# needs://p' "$step")
    for target in $needs; do
      if grep -qx -- "$target" <<<"$available"; then wanted+=("$target"); fi
    done
  done
  if [ "$everything" = 1 ]; then targets=(all); else mapfile -t targets < <(printf '%s\n' "${wanted[@]}" | sort -u); fi
  if ! cmake --build "$build" -j"$jobs" --target "${targets[@]}" >"$build/main-job-build.log" 2>&1; then
    configure OFF
    if ! cmake --build "$build" -j"$jobs" --target "${targets[@]}" >"$build/main-job-build.log" 2>&1; then
      tail -n 20 "$build/main-job-build.log" >&2
      exit 1
    fi
  fi
  echo "built ${#targets[@]} programs ($(since "$started") s)"
fi

rm -rf "$out" && mkdir -p "$out/logs"
export BIN="$build/bin" SAMPLES="$root/samples"
# Each sample's grid is the one its folder gives (GRID.toml, or none for the
# built-in grid), whatever grid file the caller's environment names.
unset KIT_GRID
stamp=$out/logs/.stamp
for sample in "${samples[@]}"; do
  read -r step_dir inputs results <<<"$sample"
  export SAMPLE="$root/samples/$inputs" OUT="$out"
  [ "$results" = . ] || OUT="$out/$results"
  mkdir -p "$OUT"
  prefix=${results#.}
  for step in "$root/$step_dir"/*.sh; do
    name=$(basename "$step" .sh)
    log=$out/logs/${prefix:+$prefix-}$name.log
    touch "$stamp" && sleep 0.01
    t0=$(date +%s.%N)
    if ! (cd "$OUT" && bash "$step") >"$log" 2>&1; then
      echo "step ${prefix:+$prefix/}$name failed; the last lines of $log:" >&2
      tail -n 15 "$log" >&2
      exit 1
    fi
    seconds=$(since "$t0")
    written=$(cd "$OUT" && find . -path ./logs -prune -o -type f -newer "$stamp" -print |
              sed 's|^\./||' | sort | while read -r f; do
                # copies of the sample inputs are not results
                cmp -s "$f" "$SAMPLE/$(basename "$f")" 2>/dev/null || echo "$f"
              done | tr '\n' ' ')
    count=$(wc -w <<<"$written")
    [ "$count" -le 8 ] || written="$(cut -d' ' -f1-7 <<<"$written")... ($count files)"
    label=${prefix:+$prefix/}${name#*-}
    printf '%-16s %6s s  %s\n' "$label" "$seconds" "${written:-(nothing written)}"
  done
done
rm -f "$stamp"

echo "results:  $out"
echo "logs:     $out/logs (each step's console dialogue)"
[ -d "$out/maps" ] && echo "maps:     $out/maps/*.png"
[ -d "$out/mf6" ] && echo "MODFLOW:  $out/mf6 (run: cd $out/mf6 && mf6), $out/mf2005 (cd $out/mf2005 && mf2005 sample.nam)"
[ -d "$out/ship" ] && echo "setup:    $out/ship (the prepared model packed as a setup image)"
[ -d "$out/quarry" ] && echo "quarry:   $out/quarry (the quarry sample on its own grid; maps in $out/quarry/maps)"
echo "main job done in $(since "$started") s"
