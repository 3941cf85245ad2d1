#!/usr/bin/env bash
# Debian packages the kit needs to build, test and fuzz. Run as root. When
# every one is installed already, nothing is fetched (the main job calls
# this on every run).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  cmake make g++ libgtest-dev
  clang libclang-rt-14-dev
  gdal-bin proj-bin
  pkg-config libcairo2-dev libfontconfig-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ "${#missing[@]}" -eq 0 ] && exit 0
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
