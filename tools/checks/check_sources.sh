#!/usr/bin/env bash
# Source rules the compiler cannot see, checked over the tracked files:
#
# 1. Includes run downward only: support <- core <- colour, fonts, hardcopy
#    <- devices <- plot. A folder may include its own headers and those of
#    the folders below it; the three middle folders do not include each
#    other. The public C headers (plot/gplot.h, its Windows part
#    plot/gplot_win32.h, plot/gfonts.h and the export macro) declare types
#    and calls only and may be included from anywhere.
# 2. Windows code lives in *_win32.* files: no other library source names
#    <windows.h> or _WIN32 (the export macro's header and tests excepted).
#
# Prints every offending line and exits 1 when there is one.
set -uo pipefail
cd "$(dirname "$0")/../.."

declare -A rank=([support]=0 [core]=1 [colour]=2 [fonts]=2 [hardcopy]=2 [devices]=3 [plot]=4)
public='^plot/(gplot|gplot_win32|gfonts|vexl_export)\.h$'
status=0

while IFS=: read -r file line text; do
    own=${file%%/*}
    target=$(sed -E 's/.*#include *"([^"]+)".*/\1/' <<<"$text")
    dir=${target%%/*}
    [ "$dir" = "$own" ] && continue
    [ -n "${rank[$dir]:-}" ] || continue
    [[ $target =~ $public ]] && continue
    if [ "${rank[$dir]}" -ge "${rank[$own]}" ]; then
        echo "$file:$line: includes $target, which is not below $own/"
        status=1
    fi
done < <(git ls-files -- 'support/*' 'core/*' 'colour/*' 'fonts/*' 'hardcopy/*' 'devices/*' 'plot/*' |
    grep -E '\.(c|cpp|h)$' | xargs -r grep -nE '^\s*#\s*include\s*"[a-z_]+/' /dev/null)

while IFS= read -r hit; do
    echo "$hit: Windows code outside a *_win32 file"
    status=1
done < <(git grep -nE '#\s*include\s*<windows\.h>|\b_WIN32\b' -- '*.c' '*.cpp' '*.h' |
    grep -vE '^[^:]*_win32\.[a-z]+:|^(tests|bench|fuzz|tools)/|^plot/vexl_export\.h:')

[ "$status" -eq 0 ] && echo "source checks: includes run downward, Windows code in *_win32 files"
exit "$status"
