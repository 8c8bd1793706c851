#!/usr/bin/env bash
# No exception may leave an exported call: every VEXL_API function definition
# of the library (both builds, *_win32 files included) must be a
# function-try-block,
#
#     VEXL_API int gplot_flush(GPlot *plot) VEXL_TRY {
#         ...
#     }
#     VEXL_CATCH_RETURN(0)
#
# and every exported function name (tests/exports/expected_exports*.txt) must
# have such a definition, so a call exported through its declaration alone
# cannot slip past the first rule.
#
# Prints every offending definition and exits 1 when there is one.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1
export LC_ALL=C

sources=$(git ls-files -- 'support/*' 'core/*' 'colour/*' 'fonts/*' 'hardcopy/*' 'devices/*' \
    'plot/*' | grep -E '\.(c|cpp|h)$')
guarded=$(mktemp)
trap 'rm -f "$guarded"' EXIT

# shellcheck disable=SC2086
awk -v guarded="$guarded" '
    function report(what) { printf "%s:%d: %s %s\n", FILENAME, start, name, what; bad = 1 }
    FNR == 1 { state = "" }
    state == "" && /^(extern "C" )?VEXL_API / { state = "signature"; start = FNR; text = "" }
    state == "signature" {
        text = text " " $0
        if (index($0, ";") && !index(text, "{")) { state = ""; next } # a declaration or datum
        if (!index($0, "{")) next
        name = text
        sub(/\(.*/, "", name); sub(/.*[ *]/, "", name)
        if ($0 !~ /\) VEXL_TRY \{$/) report("does not open a function-try-block (VEXL_TRY)")
        state = "body"; next
    }
    state == "body" && /^}/ {
        if ($0 != "}") { report("does not end its body on a line of its own"); state = ""; next }
        state = "handler"; next
    }
    state == "handler" {
        if ($0 ~ /^VEXL_CATCH_RETURN\(/) print name > guarded
        else report("has no VEXL_CATCH_RETURN handler")
        state = ""
    }
    END { exit bad }
' $sources
status=$?

missing=$(cat tests/exports/expected_exports*.txt | grep -v '^GplotErrno$' |
    awk '/^_Z[0-9]/ { match($0, /^_Z[0-9]+/); n = substr($0, 3, RLENGTH - 2) + 0
                      print substr($0, RLENGTH + 1, n); next } { print }' |
    sort -u | comm -23 - <(sort -u "$guarded"))
if [ -n "$missing" ]; then
    # shellcheck disable=SC2086 # one line of names
    echo "exported without a guarded VEXL_API definition:" $missing
    status=1
fi

[ "$status" -eq 0 ] && echo "c boundary: $(wc -l <"$guarded") exported definitions guarded"
exit "$status"
