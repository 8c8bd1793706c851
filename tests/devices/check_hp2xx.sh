#!/bin/sh
# Renders every HP-GL/2 golden file with hp2xx, an HP-GL reader that owes
# nothing to this library, so the golden files (and with them the device's
# output) are known to be plot files a real reader accepts.
#
# The "MG" comment lines are left out first: hp2xx reads MG as a label
# instruction that runs to the end of the file. Fails when hp2xx exits with a
# non-zero status, reports an error, ignores an instruction, meets an
# unexpected event or writes no picture.
#
# usage: check_hp2xx.sh GOLDEN_DIR [HP2XX]
set -u
golden_dir=${1:?usage: check_hp2xx.sh GOLDEN_DIR [HP2XX]}
hp2xx=${2:-hp2xx}

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT INT TERM

status=0
count=0
for golden in "$golden_dir"/*.hgl; do
    [ -f "$golden" ] || continue
    count=$((count + 1))
    name=$(basename "$golden" .hgl)
    grep -v '^MG' "$golden" >"$work/$name.hgl"
    (cd "$work" && "$hp2xx" -m png -f "$name.png" "$name.hgl") >"$work/$name.log" 2>&1
    exit_status=$?
    if [ "$exit_status" -ne 0 ]; then
        echo "FAIL $name: hp2xx exited with status $exit_status"
        status=1
        continue
    fi
    # The log holds progress output with control characters; read it as text.
    problems=$(tr -d '\000' <"$work/$name.log" |
        grep -a -i -e 'error' -e 'warning' -e ': ignored' -e '^hp2xx (' \
            -e 'command(s) ignored: [1-9]' -e 'Unexpected event(s): *[1-9]')
    if [ -n "$problems" ]; then
        echo "FAIL $name:"
        echo "$problems"
        status=1
    elif [ ! -s "$work/$name.png" ]; then
        echo "FAIL $name: no picture written"
        status=1
    else
        echo "ok   $name"
    fi
done
if [ "$count" -eq 0 ]; then
    echo "FAIL: no golden files in $golden_dir"
    status=1
fi
exit $status
