#!/bin/sh
# Checks that the shared library exports exactly the names of the expected
# lists together, and that GplotErrno is exported as data. Names only one
# platform exports go in an extra list given after the tool.
#   check_exports.sh elf LIBRARY EXPECTED NM [EXPECTED...]
#   check_exports.sh pe  DLL     EXPECTED OBJDUMP [EXPECTED...]
set -eu
export LC_ALL=C
format=$1 library=$2 first_list=$3 tool=$4
shift 4
actual=$(mktemp)
expected=$(mktemp)
trap 'rm -f "$actual" "$expected"' EXIT
sort -u "$first_list" "$@" >"$expected"

if [ "$format" = elf ]; then
    # Defined dynamic symbols, without the versioning and runtime markers.
    "$tool" -D --defined-only "$library" |
        awk '$2 != "A" { print $3 }' | sed 's/@.*//' | sort -u >"$actual"
    data_type=$("$tool" -D --defined-only "$library" | awk '$3 == "GplotErrno" { print $2 }')
    case "$data_type" in
        B | D) ;;
        *) echo "GplotErrno is not exported as data (type '$data_type')"; exit 1 ;;
    esac
else
    dump=$(mktemp)
    trap 'rm -f "$actual" "$expected" "$dump"' EXIT
    "$tool" -p "$library" >"$dump"
    # "[index] name" rows of the name table; the index also selects the
    # entry of the address table.
    awk '/\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
         names && NF == 0 { names = 0 }
         names { print $NF }' "$dump" | sort -u >"$actual"
    index=$(awk '/\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
                 names && $NF == "GplotErrno" { gsub(/[^0-9]/, "", $2); print $2; exit }' "$dump")
    [ -n "$index" ] || { echo "GplotErrno is not exported"; exit 1; }
    rva=$(awk -v want="$index" '/^Export Address Table -- / { table = 1; next }
               table && NF == 0 { table = 0 }
               table { line = $0; sub(/^[^[]*\[ */, "", line); sub(/\].*/, "", line)
                       if (line + 0 == want + 0) { print $(NF - 2); exit } }' "$dump")
    base=$(awk '/^ImageBase/ { print $2 }' "$dump")
    # GplotErrno must lie in a writable section that holds no code.
    found=""
    "$tool" -h "$library" | awk 'NR > 3 && NF >= 6 && $1 ~ /^[0-9]+$/ { name = $2; size = $3; vma = $4; getline; print name, size, vma, $0 }' >"$dump"
    while read -r name size vma flags; do
        start=$((0x$vma - 0x$base))
        if [ $((0x$rva)) -ge "$start" ] && [ $((0x$rva)) -lt $((start + 0x$size)) ]; then
            found="$name $flags"
            break
        fi
    done <"$dump"
    case "$found" in
        "") echo "GplotErrno (RVA $rva) lies in no section"; exit 1 ;;
        *CODE* | *READONLY*) echo "GplotErrno is not exported as data: $found"; exit 1 ;;
    esac
fi

if ! diff -u "$expected" "$actual"; then
    echo "exported names differ from $first_list $* (- expected, + exported)"
    exit 1
fi
echo "exports: $(wc -l <"$actual") names as expected"
