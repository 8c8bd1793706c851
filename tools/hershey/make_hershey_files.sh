#!/bin/sh
# Builds the Hershey glyph files the stroke text reads, from the .jhf files
# of Debian's hershey-fonts-data package:
#
#   hersh.oc  occidental glyphs: every record of the .jhf files that carry
#             the original Hershey numbers (the files whose numbers are not
#             all the placeholder 12345), one record per number, ascending.
#             A number found in several files must have the same record in
#             each; when it does not, the first file in byte order of the
#             file names wins and a warning goes to standard error.
#   hersh.or  oriental glyphs: the records of japanese.jhf, which carry no
#             original numbers; they are numbered 1, 2, 3, ... in file order.
#
# Both files use the library's record layout: columns 1-5 the number
# ("%5d"), 6-8 the vertex count ("%3d", the bound pair included), 9-10 the
# left and right bounds, then the coordinate pairs. A record takes physical
# lines of at most 72 characters: the first holds the 10-character header and
# up to 31 pairs, each continuation line up to 36 pairs and no header; a pair
# never splits. Lines starting with '#' are comments.
#
# The output depends only on the source folder's name and files, so running
# the tool again rewrites the same bytes.
#
# usage: make_hershey_files.sh [SOURCE_DIR] OUTPUT_DIR
#        SOURCE_DIR defaults to /usr/share/hershey-fonts.
set -eu
export LC_ALL=C

usage="usage: make_hershey_files.sh [SOURCE_DIR] OUTPUT_DIR"
case $# in
1) source_dir=/usr/share/hershey-fonts output_dir=$1 ;;
2) source_dir=${1:-/usr/share/hershey-fonts} output_dir=$2 ;;
*)
    echo "$usage" >&2
    exit 2
    ;;
esac
me=make_hershey_files
# "dir" and "dir/" name the same folder and must give the same comments.
while [ "${source_dir%/}" != "$source_dir" ] && [ "$source_dir" != / ]; do
    source_dir=${source_dir%/}
done

if [ ! -d "$source_dir" ]; then
    echo "$me: $source_dir is not a folder (install hershey-fonts-data)" >&2
    exit 1
fi
set -- "$source_dir"/*.jhf
if [ ! -f "$1" ]; then
    echo "$me: no .jhf files in $source_dir (install hershey-fonts-data)" >&2
    exit 1
fi
oriental_source=$source_dir/japanese.jhf
if [ ! -f "$oriental_source" ]; then
    echo "$me: $oriental_source is missing" >&2
    exit 1
fi

# Keeps in "$@" the files with original numbers: some record's number is
# not 12345.
for file; do
    shift
    [ "$file" = "$oriental_source" ] && continue
    if awk '/[^ \r]/ && substr($0, 1, 5) + 0 != 12345 { found = 1; exit }
            END { exit !found }' "$file"; then
        set -- "$@" "$file"
    fi
done
if [ $# -eq 0 ]; then
    echo "$me: no .jhf file in $source_dir carries original Hershey numbers" >&2
    exit 1
fi

mkdir -p "$output_dir"
work=$(mktemp -d "$output_dir/.hershey.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 1' INT TERM

# shellcheck disable=SC2016 # awk programs, expanded by awk alone
# Reads .jhf records: checks each and prints
#   number TAB file-index TAB line TAB file TAB record
# with the number taken from the record, or counted from 1 with -v renumber=1.
# Empty lines are skipped; a malformed record stops the tool.
read_records='
    FNR == 1 { file_index++ }
    { sub(/\r$/, "") }
    $0 == "" { next }
    {
        count = substr($0, 6, 3)
        if (substr($0, 1, 5) !~ /^ *[0-9]+$/ || count !~ /^ *[0-9]+$/ ||
            count + 0 < 1 || length($0) != 8 + 2 * count || index($0, "\t")) {
            printf "%s:%d: not a Hershey record\n", FILENAME, FNR > "/dev/stderr"
            failed = 1
            exit 1
        }
        number = renumber ? ++records : substr($0, 1, 5) + 0
        if (number == 12345) {
            printf "%s:%d: placeholder number 12345 skipped\n", FILENAME, FNR > "/dev/stderr"
            next
        }
        printf "%d\t%d\t%d\t%s\t%s\n", number, file_index, FNR, FILENAME, $0
    }
    END { exit failed }'

# shellcheck disable=SC2016
# Writes sorted records in the library layout, one record per number; a
# repeated number is dropped, with a warning when its record differs.
write_records='
    BEGIN { FS = "\t" }
    $1 == previous {
        repeated++
        if ($5 != kept) {
            differing++
            printf "%s: glyph %d differs between %s and %s:%d; keeping the first\n",
                   me, $1, kept_from, $4, $3 > "/dev/stderr"
        }
        next
    }
    {
        previous = $1
        kept = $5
        kept_from = $4 ":" $3
        written++
        pairs = substr($5, 11)
        left = substr($5, 6, 3) - 1
        take = left < 31 ? left : 31
        print sprintf("%5d%3d", $1, left + 1) substr($5, 9, 2) substr(pairs, 1, 2 * take)
        at = 2 * take + 1
        left -= take
        while (left > 0) {
            take = left < 36 ? left : 36
            print substr(pairs, at, 2 * take)
            at += 2 * take
            left -= take
        }
    }
    END {
        printf "%s: %d glyphs (%d repeated numbers, %d differing)",
               name, written, repeated, differing > summary
    }'

# Comment lines naming the generator and the source files, wrapped at 72.
header() {
    printf '# %s\n' "$1"
    echo "# Generated by tools/hershey/make_hershey_files.sh"
    echo "# from $source_dir:"
    shift
    for file in "$@"; do
        basename "$file"
    done | awk '{ if (length(line) + length($0) + 1 > 70) { print "#" line; line = "" }
                  line = line " " $0 }
                END { if (line != "") print "#" line }'
}

# Each step writes a file of its own, so a failing step stops the tool.
tab=$(printf '\t')
awk "$read_records" "$@" >"$work/oc.records"
sort -t "$tab" -k1,1n -k2,2n -k3,3n "$work/oc.records" >"$work/oc.sorted"
awk -v renumber=1 "$read_records" "$oriental_source" >"$work/or.sorted"
{
    header "Hershey occidental glyphs, original numbers, ascending" "$@"
    awk -v me="$me" -v name=hersh.oc -v summary="$work/oc.summary" \
        "$write_records" "$work/oc.sorted"
} >"$work/hersh.oc"
{
    header "Hershey oriental glyphs, numbered 1, 2, 3, ... in file order" "$oriental_source"
    awk -v me="$me" -v name=hersh.or -v summary="$work/or.summary" \
        "$write_records" "$work/or.sorted"
} >"$work/hersh.or"

mv -f "$work/hersh.oc" "$output_dir/hersh.oc"
mv -f "$work/hersh.or" "$output_dir/hersh.or"
echo "$me: wrote $output_dir/$(cat "$work/oc.summary"), $(cat "$work/or.summary")"
