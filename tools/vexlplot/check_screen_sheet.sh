#!/bin/sh
# Has vexlplot draw the primitives sheet in a window and checks the picture it
# saves: a PNG of the window's 1000 x 700 client area with the sheet on it.
# The picture's pixels are stored uncompressed, so the bytes of the file that
# are not white (0xFF) tell a drawn sheet (about a tenth of its 2.1 MB) from a
# blank window, or from a black one (a read-back that left the DIB as made). That the sheet looks as hp2xx draws it is checked
# by scripts/demo, which has both pictures.
#
# The program runs on the X server of the caller (ctest under xvfb-run, whose
# default screen on Debian is 1280 x 1024 in true colour, room enough), or
# when there is none on a private one of that size. It does not start a
# server of its own under a caller's: a Wine server still running for the
# prefix from the previous test keeps to the display it started with, and
# its windows would not open on another.
#
# usage: check_screen_sheet.sh VEXLPLOT RUNNER [RUNNER ARGS]
set -u
vexlplot=${1:?usage: check_screen_sheet.sh VEXLPLOT RUNNER [RUNNER ARGS]}
shift

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT INT TERM
picture=$work/sheet.png

if [ -n "${DISPLAY:-}" ]; then
    "$@" "$vexlplot" --device screen --sheet primitives -o "$picture" >"$work/out" 2>&1
else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@" "$vexlplot" --device screen \
        --sheet primitives -o "$picture" >"$work/out" 2>&1
fi
status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: vexlplot --device screen exited with status $status:"
    cat "$work/out"
    exit 1
fi
# Signature, then the IHDR chunk: length 13, type, width and height.
header=$(od -An -tx1 -N24 "$picture" | tr -d ' \n')
expected=89504e470d0a1a0a0000000d49484452000003e8000002bc
if [ "$header" != "$expected" ]; then
    echo "FAIL: not a PNG of 1000 x 700 pixels; it begins $header"
    exit 1
fi
size=$(wc -c <"$picture")
ink=$(tr -d '\377' <"$picture" | wc -c)
# A blank window leaves only the row filter bytes, block and chunk headers.
if [ "$ink" -lt 100000 ] || [ "$ink" -gt 600000 ]; then
    echo "FAIL: the picture is not a sheet on white paper ($ink of $size bytes not white)"
    exit 1
fi
echo "ok: vexlplot --device screen saved $size bytes, $ink of them not white"
