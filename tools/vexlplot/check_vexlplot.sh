#!/bin/sh
# Renders the primitives sheet into a temporary directory and has hp2xx read
# it: vexlplot must exit 0 and write a non-empty plot file that hp2xx turns
# into a picture without reporting an error or ignoring an instruction.
#
# usage: check_vexlplot.sh VEXLPLOT [HP2XX]
set -u
vexlplot=${1:?usage: check_vexlplot.sh VEXLPLOT [HP2XX]}
hp2xx=${2:-hp2xx}

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT INT TERM

"$vexlplot" -o "$work/primitives.hgl"
status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: vexlplot exited with status $status"
    exit 1
fi
if [ ! -s "$work/primitives.hgl" ]; then
    echo "FAIL: vexlplot wrote no plot file"
    exit 1
fi
# hp2xx reads the "MG" comment lines as a label running to the end of file.
grep -v '^MG' "$work/primitives.hgl" >"$work/read.hgl"
if ! (cd "$work" && "$hp2xx" -m png -f read.png read.hgl) >"$work/hp2xx.log" 2>&1; then
    echo "FAIL: hp2xx could not read the plot file:"
    tr -d '\000' <"$work/hp2xx.log"
    exit 1
fi
# Warnings (a skipped zero-length edge, say) leave the picture as drawn.
problems=$(tr -d '\000' <"$work/hp2xx.log" |
    grep -a -i -e 'error' -e ': ignored' -e 'command(s) ignored: [1-9]')
if [ -n "$problems" ] || [ ! -s "$work/read.png" ]; then
    echo "FAIL: hp2xx complained or drew nothing:"
    echo "$problems"
    exit 1
fi
echo "ok: vexlplot wrote $(wc -c <"$work/primitives.hgl") bytes; hp2xx read them"
