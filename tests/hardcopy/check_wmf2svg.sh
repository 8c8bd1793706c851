#!/bin/sh
# An independent reader opens every Windows metafile the export tests wrote
# (they leave a copy of each in DIR): libwmf's wmf2svg must convert each one
# without an error, and the picture must hold the shapes the tests recorded
# (a rectangle, an ellipse and a poly-line).
#   check_wmf2svg.sh DIR WMF2SVG
set -eu
dir=$1
reader=$2
command -v "$reader" >/dev/null 2>&1 || {
    echo "check_wmf2svg.sh: $reader not found (scripts/setup installs libwmf-bin)" >&2
    exit 1
}
found=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for wmf in "$dir"/*.wmf; do
    [ -f "$wmf" ] || continue
    found=$((found + 1))
    svg=$scratch/$(basename "$wmf" .wmf).svg
    if ! "$reader" -o "$svg" "$wmf" >"$scratch/log" 2>&1 || grep -qi error "$scratch/log"; then
        echo "wmf2svg cannot read $wmf:" >&2
        cat "$scratch/log" >&2
        exit 1
    fi
    for shape in rect ellipse polyline; do
        grep -q "<$shape[ >]" "$svg" || {
            echo "wmf2svg drew no $shape for $wmf" >&2
            exit 1
        }
    done
done
[ "$found" -gt 0 ] || {
    echo "check_wmf2svg.sh: no metafiles in $dir (the unit tests write them)" >&2
    exit 1
}
echo "wmf2svg read $found metafiles, each with its rectangle, ellipse and poly-line"
