#!/usr/bin/env bash
# Each program's page docs/<program>.md is made from its manual page
# docs/man/<program>.1, the one source of both.
#   docs.sh                   rewrites every docs/<program>.md (and removes a
#                             made page whose manual page is gone)
#   docs.sh --check [BIN]     changes nothing; fails when a made page differs
#                             from what this script makes, when a manual page
#                             gives groff warnings, or when a program in the
#                             build folder BIN has no manual page
# The pages are made with the pandoc of Debian 12 (2.17); another version may
# wrap or escape a line differently.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
made_note="<!-- Made from docs/man/%s.1 by scripts/docs.sh: edit the manual page, then run the script. -->"

command -v pandoc >/dev/null ||
  { echo "docs: pandoc is missing (bash scripts/install-deps.sh installs it)" >&2; exit 1; }

# The Markdown page of manual page $1, on standard output.
page() {
  local name
  name=$(basename "$1" .1)
  printf "$made_note\n\n" "$name"
  pandoc -f man -t gfm "$1"
}

if [ "${1:-}" != --check ]; then
  for man in "$root"/docs/man/*.1; do
    page "$man" >"$root/docs/$(basename "$man" .1).md"
  done
  for md in "$root"/docs/*.md; do
    name=$(basename "$md" .md)
    if grep -q '^<!-- Made from docs/man/' "$md" && [ ! -e "$root/docs/man/$name.1" ]; then
      rm "$md"
    fi
  done
  exit 0
fi

bin=${2:-}
failed=0
for man in "$root"/docs/man/*.1; do
  name=$(basename "$man" .1)
  if ! cmp -s <(page "$man") "$root/docs/$name.md"; then
    echo "docs/$name.md is not what docs/man/$name.1 makes: run scripts/docs.sh" >&2
    failed=1
  fi
  warnings=$(groff -man -ww -z "$man" 2>&1)
  if [ -n "$warnings" ]; then
    echo "docs/man/$name.1 gives groff warnings:" >&2
    echo "$warnings" >&2
    failed=1
  fi
done
for md in "$root"/docs/*.md; do
  name=$(basename "$md" .md)
  if grep -q '^<!-- Made from docs/man/' "$md" && [ ! -e "$root/docs/man/$name.1" ]; then
    echo "docs/$name.md has no manual page docs/man/$name.1: run scripts/docs.sh" >&2
    failed=1
  fi
done
if [ -n "$bin" ]; then
  # Every program the build made, apart from benchmarks and fuzz targets.
  for program in "$bin"/*; do
    name=$(basename "$program")
    [ -f "$program" ] && [ -x "$program" ] || continue
    case $name in bench-* | fuzz-*) continue ;; esac
    if [ ! -e "$root/docs/man/$name.1" ]; then
      echo "$name has no manual page docs/man/$name.1 (and so no docs/$name.md)" >&2
      failed=1
    fi
  done
fi
exit "$failed"
