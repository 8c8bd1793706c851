#!/bin/sh
# Runs one Windows program under Wine for CTest:
#   wine-run.sh [--win32] PREFIX PROGRAM [ARGS]
#
# Every program of a build tree shares the tree's own WINEPREFIX (an absolute
# path), created on first use (under a lock, as CTest may start two programs
# at once). The 64-bit DLL's programs run under wine64 in a 64-bit prefix;
# with --win32 the 32-bit DLL's programs run under the 32-bit loader in a
# prefix made with WINEARCH=win32, which has no 64-bit half to fall back on.
# Without a display of its own, the program gets a private X server.
set -eu
arch=win64
if [ "${1:-}" = --win32 ]; then
    arch=win32
    shift
fi
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=$arch
if [ "$arch" = win32 ]; then
    wine=/usr/lib/wine/wine
    if [ ! -x "$wine" ]; then
        echo "wine-run.sh: no 32-bit Wine ($wine); install wine32:i386 (scripts/setup does)" >&2
        exit 127
    fi
else
    wine=/usr/lib/wine/wine64
    [ -x "$wine" ] || wine=wine64
fi

run() {
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a "$wine" "$@"
    else
        "$wine" "$@"
    fi
}

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            run wineboot -i >/dev/null 2>&1 || true
        fi
    ) 9>"$prefix.lock"
fi

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a "$wine" "$@"
fi
exec "$wine" "$@"
