#!/usr/bin/env bash
# Debian packages the kit needs to build, test and fuzz. Run as root.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
  cmake make g++ libgtest-dev \
  clang libclang-rt-14-dev \
  gdal-bin proj-bin \
  g++-mingw-w64-x86-64 wine wine64 xvfb xauth imagemagick \
  dpkg-dev file man-db
