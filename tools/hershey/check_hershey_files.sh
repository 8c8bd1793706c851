#!/bin/sh
# Regenerates the Hershey glyph files into a temporary folder and checks them
# and the font tables of data/fonts against each other:
# - every physical line of hersh.oc and hersh.or has at most 72 characters;
# - each record's numbers ascend strictly, its pairs fill its lines in the
#   layout the reader expects (31 on the first line, then 36 a line) and
#   number its vertex count less one;
# - hersh.or numbers its glyphs 1, 2, 3, ...;
# - each .asc has a valid cell box and exactly 96 entries for the characters
#   32 to 127, each naming the glyph its source .jhf file gives that
#   character, unchanged in hersh.oc;
# - each .vft has a valid cell box and distinct codes;
# - every glyph an .asc or .vft names is in hersh.oc.
#
# usage: check_hershey_files.sh [SOURCE_DIR]   (default /usr/share/hershey-fonts)
set -u
export LC_ALL=C
source_dir=${1:-/usr/share/hershey-fonts}
here=$(cd "$(dirname "$0")" && pwd) || exit 1
fonts_dir=$here/../../data/fonts

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM

if ! sh "$here/make_hershey_files.sh" "$source_dir" "$work" >"$work/log" 2>&1; then
    echo "FAIL: make_hershey_files.sh failed:"
    cat "$work/log"
    exit 1
fi
if grep -q differs "$work/log"; then
    echo "FAIL: a glyph has different records in different files:"
    cat "$work/log"
    exit 1
fi

# shellcheck disable=SC2016 # awk programs, expanded by awk alone
# Prints each record of a glyph file joined into one line, "number record",
# after checking the layout; exits 1 after reporting the first fault.
joined_records='
    function fail(what) {
        printf "FAIL: %s:%d: %s\n", FILENAME, FNR, what > "/dev/stderr"
        failed = 1
        exit 1
    }
    length($0) > 72 { fail("line longer than 72 characters") }
    /^#/ { next }
    left > 0 {
        take = left < 36 ? left : 36
        if (length($0) != 2 * take) fail("continuation line should hold " take " pairs")
        record = record $0
        left -= take
        if (left == 0) print number, record
        next
    }
    {
        if (substr($0, 1, 8) !~ /^ *[0-9]+ *[0-9]+$/) fail("not a record header")
        number = substr($0, 1, 5) + 0
        count = substr($0, 6, 3) + 0
        if (count < 1) fail("vertex count below 1")
        if (records++ > 0 && number <= last) fail("number " number " after " last)
        if (consecutive && number != records) fail("number " number ", expected " records)
        last = number
        left = count - 1
        take = left < 31 ? left : 31
        if (length($0) != 10 + 2 * take) fail("first line should hold " take " pairs")
        record = $0
        left -= take
        if (left == 0) print number, record
    }
    END {
        if (failed) exit 1
        if (left > 0) problem = "the last record lacks " left " pairs"
        if (records == 0) problem = "no records"
        if (problem != "") {
            printf "FAIL: %s: %s\n", FILENAME, problem > "/dev/stderr"
            exit 1
        }
    }'
awk "$joined_records" "$work/hersh.oc" >"$work/oc.joined" || exit 1
awk -v consecutive=1 "$joined_records" "$work/hersh.or" >"$work/or.joined" || exit 1

# shellcheck disable=SC2016
# Checks one .asc or .vft file against the joined hersh.oc records and the
# .jhf file its "# Source:" comment names (.asc only).
check_table='
    function fail(what) {
        printf "FAIL: %s:%d: %s\n", FILENAME, FNR, what > "/dev/stderr"
        failed = 1
        exit 1
    }
    FILENAME == joined { glyph[$1] = substr($0, index($0, " ") + 1); next }
    FILENAME == source { sub(/\r$/, ""); source_record[FNR] = $0; next }
    /^#/ && !header_seen { next }
    !header_seen {
        if (length($0) + 1 > 14 || $0 !~ /^-?[0-9]+ -?[0-9]+\t-?[0-9]+ -?[0-9]+$/)
            fail("not a cell box \"x_min x_max<TAB>y_min y_max\" of at most 13 characters")
        split($0, box, /[ \t]/)
        if (box[1] + 0 >= box[2] + 0 || box[3] + 0 >= box[4] + 0) fail("empty cell box")
        header_seen = 1
        next
    }
    ascii {
        entries++
        expected = entries == 1 ? "^^" : entries == 96 ? "$$" : sprintf("%c", entries + 31)
        if (substr($0, 1, 2) != expected " " && substr($0, 1, 2) != expected)
            fail("entry " entries " should be for \"" expected "\"")
        rest = substr($0, 3)
        if (rest !~ /^ *[0-9]+$/) fail("no glyph number")
        number = rest + 0
        if (!(number in glyph)) fail("glyph " number " is not in hersh.oc")
        if (glyph[number] != source_record[entries])
            fail("glyph " number " differs from record " entries " of " source)
        next
    }
    {
        entries++
        if ($0 !~ /^-?[0-9]+ [0-9]+$/) fail("not \"code number\"")
        if ($1 + 0 < -2147483648 || $1 + 0 > 2147483647) fail("code outside int32")
        if ($1 in codes) fail("code " $1 " listed twice")
        codes[$1] = 1
        if (!($2 in glyph)) fail("glyph " $2 " is not in hersh.oc")
    }
    END {
        if (failed) exit 1
        if (!header_seen) { printf "FAIL: %s: no cell box\n", FILENAME; exit 1 }
        if (ascii && entries != 96) {
            printf "FAIL: %s: %d entries, 96 expected\n", FILENAME, entries
            exit 1
        }
        if (entries == 0) { printf "FAIL: %s: no entries\n", FILENAME; exit 1 }
    }'
tables=0
for table in "$fonts_dir"/*.asc "$fonts_dir"/*.vft; do
    [ -f "$table" ] || continue
    tables=$((tables + 1))
    case $table in
    *.asc)
        source_name=$(sed -n 's/^# Source: *\([^ ]*\.jhf\) *$/\1/p' "$table" | head -n 1)
        if [ -z "$source_name" ] || [ ! -f "$source_dir/$source_name" ]; then
            echo "FAIL: $table names no .jhf file of $source_dir in a \"# Source:\" comment"
            exit 1
        fi
        awk -v ascii=1 -v joined="$work/oc.joined" -v source="$source_dir/$source_name" \
            "$check_table" "$work/oc.joined" "$source_dir/$source_name" "$table" || exit 1
        ;;
    *)
        awk -v joined="$work/oc.joined" "$check_table" "$work/oc.joined" "$table" || exit 1
        ;;
    esac
done
if [ "$tables" -eq 0 ]; then
    echo "FAIL: no .asc or .vft files in $fonts_dir"
    exit 1
fi
echo "ok: hersh.oc $(wc -l <"$work/oc.joined") glyphs, hersh.or $(wc -l <"$work/or.joined")" \
    "glyphs, $tables font tables"
