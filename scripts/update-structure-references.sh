#!/bin/sh
# Writes the reference of every page of the structural colouring corpus
# (tests/data/editor/structure/*.html): the tokens bench-colour prints for it,
# one "start end class" line each. Read the diff before committing.
#
#   scripts/update-structure-references.sh [BUILD_DIR]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
bench=$build/bin/bench-colour
[ -x "$bench" ] || { echo "build bench-colour first: $bench" >&2; exit 1; }
for page in "$here"/tests/data/editor/structure/*.html; do
    QT_QPA_PLATFORM=offscreen "$bench" --spans --structure "$page" > "$page.ref"
done
