#!/bin/sh
# Renders the sheets into a temporary directory and has hp2xx read them:
# vexlplot must exit 0 and write a non-empty plot file that hp2xx turns into
# a picture without reporting an error or ignoring an instruction. The text
# sheet is rendered only when the Hershey glyph file exists, and must report
# no font table that failed to load.
#
# usage: check_vexlplot.sh VEXLPLOT [HP2XX [HERSHEY_FILE]]
set -u
vexlplot=${1:?usage: check_vexlplot.sh VEXLPLOT [HP2XX [HERSHEY_FILE]]}
hp2xx=${2:-hp2xx}
hershey_file=${3:-}

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT INT TERM

# check_sheet NAME: renders sheet NAME to $work/NAME.hgl and reads it back.
check_sheet() {
    sheet=$1
    plot_file=$work/$sheet.hgl
    "$vexlplot" --sheet "$sheet" -o "$plot_file" 2>"$work/$sheet.err"
    status=$?
    if [ "$status" -ne 0 ]; then
        echo "FAIL: vexlplot --sheet $sheet exited with status $status:"
        cat "$work/$sheet.err"
        exit 1
    fi
    if [ ! -s "$plot_file" ]; then
        echo "FAIL: vexlplot --sheet $sheet wrote no plot file"
        exit 1
    fi
    # hp2xx reads the "MG" comment lines as a label running to the end of file.
    grep -v '^MG' "$plot_file" >"$work/read.hgl"
    rm -f "$work/read.png"
    if ! (cd "$work" && "$hp2xx" -m png -f read.png read.hgl) >"$work/hp2xx.log" 2>&1; then
        echo "FAIL: hp2xx could not read the $sheet plot file:"
        tr -d '\000' <"$work/hp2xx.log"
        exit 1
    fi
    # Warnings (a skipped zero-length edge, say) leave the picture as drawn.
    problems=$(tr -d '\000' <"$work/hp2xx.log" |
        grep -a -i -e 'error' -e ': ignored' -e 'command(s) ignored: [1-9]')
    if [ -n "$problems" ] || [ ! -s "$work/read.png" ]; then
        echo "FAIL: hp2xx complained about the $sheet sheet or drew nothing:"
        echo "$problems"
        exit 1
    fi
    echo "ok: vexlplot --sheet $sheet wrote $(wc -c <"$plot_file") bytes; hp2xx read them"
}

check_sheet primitives

# Without -o the plot file is the device's default, in the working directory.
if ! (cd "$work" && "$vexlplot" 2>"$work/default.err") || [ ! -s "$work/vexlplot.hgl" ]; then
    echo "FAIL: vexlplot without -o did not write vexlplot.hgl:"
    cat "$work/default.err"
    exit 1
fi
# The screen is a kind of the Windows builds only: elsewhere it is bad usage.
"$vexlplot" --device screen -o "$work/screen.png" 2>"$work/screen.err"
status=$?
if [ "$status" -ne 2 ] || ! grep -q "unknown device 'screen'; known: hpgl2$" "$work/screen.err"; then
    echo "FAIL: vexlplot --device screen gave status $status here:"
    cat "$work/screen.err"
    exit 1
fi
echo "ok: the default plot file is vexlplot.hgl; the screen kind is refused here"
# So is printing: a text file is neither printed nor copied.
(cd "$work" && "$vexlplot" --print-text "$vexlplot" -o printed.txt) 2>"$work/print.err"
status=$?
if [ "$status" -ne 1 ] || ! grep -q "needs the Windows build" "$work/print.err" ||
    [ -e "$work/printed.txt" ]; then
    echo "FAIL: vexlplot --print-text gave status $status here:"
    cat "$work/print.err"
    exit 1
fi
echo "ok: printing a text file is refused here"

if [ -z "$hershey_file" ] || [ ! -f "$hershey_file" ]; then
    echo "skipped the text sheet: no Hershey glyph file ${hershey_file:-given} (run scripts/setup)"
    exit 0
fi
check_sheet text
# Every shipped font table loads: a table that fails is reported, not fatal.
if grep -q . "$work/text.err"; then
    echo "FAIL: the text sheet reported problems:"
    cat "$work/text.err"
    exit 1
fi
