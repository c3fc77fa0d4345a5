#!/usr/bin/env bash
# `make reproducible`: builds SonvaroSet.exe a second time from the same files in a scratch folder elsewhere
# and compares it, byte for byte, with the one in the build tree. Prints both SHA-256 sums; fails when they
# differ or when the build path shows in the program.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
first=$build/bin/SonvaroSet.exe
[[ -f $first ]] || { echo "$first is missing: run make build first" >&2; exit 1; }

scratch=$(mktemp -d /tmp/sonvaro-rebuild.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
# The files a clone would have, with any changes not yet committed, configured as `make build` does.
mkdir "$scratch/src"
git ls-files -co --exclude-standard -z | tar --null --ignore-failed-read -T - -cf - 2>/dev/null |
  tar -xf - -C "$scratch/src"
make -C "$scratch/src" configure BUILD="$scratch/build" ${CMAKE_FLAGS:+CMAKE_FLAGS="$CMAKE_FLAGS"} >/dev/null
cmake --build "$scratch/build" -j2 --target SonvaroSet >/dev/null
second=$scratch/build/bin/SonvaroSet.exe

sha256sum "$first" "$second" | sed "s|$scratch|<scratch>|"
for tree in "$PWD" "$scratch"; do
  # grep reads all (no -q): a pipe closed early would fail the pipeline under pipefail.
  if { strings "$first" "$second" && strings -el "$first" "$second"; } | grep -F "$tree" >/dev/null; then
    echo "the build folder $tree is in the program" >&2
    exit 1
  fi
done
cmp -s "$first" "$second" || { echo "the two builds differ in $(cmp -l "$first" "$second" | wc -l) bytes" >&2; exit 1; }
echo "the same exe, byte for byte"
