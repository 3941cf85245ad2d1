#!/usr/bin/env bash
# Debian packages the kit needs. Run as root.
#   install-deps.sh            everything: build, test, fuzz, Windows cross build and Wine
#   install-deps.sh main-job   only what the main job needs to build and run
# When every package is installed already, nothing is fetched (the main job
# calls this on every run).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  cmake make g++ libgtest-dev
  pkg-config libcairo2-dev libfontconfig-dev
  libgdal-dev gdal-bin
  libtomlplusplus-dev
)
if [ "${1:-all}" != main-job ]; then
  packages+=(
    clang libclang-rt-14-dev
    proj-bin
    g++-mingw-w64-x86-64 wine wine64 xvfb xauth imagemagick
    dpkg-dev file man-db groff-base pandoc
    clang-format ccache
  )
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
