#!/bin/sh
# An independent reader opens every enhanced metafile the hard-copy tests
# recorded (they leave a copy of each in DIR): emf2svg-conv must convert each
# one without an error and write a picture.
#   check_emf2svg.sh DIR EMF2SVG-CONV
set -eu
dir=$1
reader=$2
command -v "$reader" >/dev/null 2>&1 || {
    echo "check_emf2svg.sh: $reader not found (scripts/setup installs emf2svg)" >&2
    exit 1
}
found=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for emf in "$dir"/*.emf; do
    [ -f "$emf" ] || continue
    found=$((found + 1))
    svg=$scratch/$(basename "$emf" .emf).svg
    if ! "$reader" -i "$emf" -o "$svg" >"$scratch/log" 2>&1; then
        echo "emf2svg-conv cannot read $emf:" >&2
        cat "$scratch/log" >&2
        exit 1
    fi
    grep -q "<svg" "$svg" || {
        echo "emf2svg-conv wrote no picture for $emf" >&2
        exit 1
    }
done
[ "$found" -gt 0 ] || {
    echo "check_emf2svg.sh: no metafiles in $dir (the unit tests write them)" >&2
    exit 1
}
echo "emf2svg-conv read $found metafiles"
