#!/bin/sh
# Runs one Windows program under Wine for CTest: wine-run.sh PREFIX PROGRAM [ARGS].
#
# Every program of a build tree shares the tree's own WINEPREFIX, created on
# first use (under a lock, as CTest may start two programs at once). Without
# a display of its own, the program gets a private X server.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine64

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
