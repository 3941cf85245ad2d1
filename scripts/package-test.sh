#!/usr/bin/env bash
# Builds the Debian package in a build folder, installs it with apt, checks
# that the programs run from the path and that their manual pages show, and
# removes it again. Run as root on a machine without the package.
#
#   bash scripts/package-test.sh [BUILD-FOLDER]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
package=groundwater-kit
export DEBIAN_FRONTEND=noninteractive

if [ "$(id -u)" != 0 ]; then
  echo "package test: needs root to install the package; not run" >&2
  exit 1
fi
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
  echo "package test: $package is installed already; remove it first (apt remove $package)" >&2
  exit 1
fi

rm -f "$build"/"$package"_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
debs=("$build"/"$package"_*.deb)
[ "${#debs[@]}" = 1 ] && [ -f "${debs[0]}" ] || { echo "package test: no single .deb in $build" >&2; exit 1; }
deb=${debs[0]}
echo "package test: built $(basename "$deb")"

# Minimal Debian images tell dpkg to leave manual pages out
# (path-exclude=/usr/share/man/* in /etc/dpkg/dpkg.cfg.d/). The pages are part
# of what is tested, so while the test runs a rule read after those lets this
# package's own pages in (a later path-include wins); it goes at the end.
override=/etc/dpkg/dpkg.cfg.d/zz-$package-package-test
pages=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed -n 's|^\./usr/share/man/|/usr/share/man/|p')
cleanup() {
  apt-get remove -y "$package" >/dev/null 2>&1 || true
  rm -f "$override"
}
trap cleanup EXIT
if grep -Eqs '^[[:space:]]*path-exclude[=[:space:]]+/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
  echo "package test: dpkg excludes /usr/share/man here; including this package's pages for the test"
  for page in $pages; do echo "path-include=$page"; done >"$override"
fi

apt install -y "$deb" 2>&1 | grep -v 'does not have a stable CLI' | tail -n 2

fail() { echo "package test: FAILED: $*" >&2; exit 1; }
[ "$(command -v tallowin)" = /usr/bin/tallowin ] || fail "tallowin is not on the path from the package"
version=$(tallowin --version)
[ "$version" = "tallowin (groundwater model kit) $(dpkg-deb -f "$deb" Version)" ] || fail "tallowin --version gave \"$version\""
manual=$(MANWIDTH=80 man tallowin 2>&1) || fail "man tallowin: $manual"
grep -q 'TALLOWIN(1)' <<<"$manual" && grep -q 'Surfer' <<<"$manual" || fail "man tallowin shows: $manual"
# Every program of the package has its page, and runs.
for program in $(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed -n 's|^\./usr/bin/||p'); do
  man -w "$program" >/dev/null 2>&1 || fail "no manual page for $program"
  "$program" --version >/dev/null || fail "$program --version"
done
answer=$(cd /tmp && avocet 43.5 85.25) || fail "avocet from the path"
grep -q 'Stop - Program terminated.' <<<"$answer" || fail "avocet shows: $answer"

apt-get remove -y "$package" >/dev/null
hash -r
[ ! -e /usr/bin/tallowin ] && ! command -v tallowin >/dev/null || fail "tallowin is still on the path after removal"
echo "package test: installed, ran tallowin --version and man tallowin, removed: OK"
