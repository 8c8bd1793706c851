#!/bin/sh
# Text files print for real on the test printer (a CUPS queue on the PDF
# driver, named in VEXL_TEST_PRINTER; skipped without it). The test program
# prints a text file and writes the lines the printer's font must give; the
# PDF of that job must hold exactly those lines. A second file printed with a
# copy count of 3 must come out as three jobs, three PDFs.
#   check_printed_text.sh EMULATOR... TEST_PROGRAM
# Jobs are told apart by a name inside their text: other programs may be
# printing to the same queue at the same time.
set -eu
if [ -z "${VEXL_TEST_PRINTER:-}" ]; then
    echo "no test printer (scripts/test sets one up): skipped"
    exit 77
fi
job=vexl33_text_$$
out=${HOME}/PDF
mkdir -p "$out"
since=$(mktemp)
trap 'rm -f "$since" "$job.expected"' EXIT
VEXL_TEST_PRINT_JOB=$job "$@" --gtest_color=no --gtest_filter='PrintedText.*'
[ -s "$job.expected" ] || {
    echo "the test program wrote no expected lines ($job.expected)" >&2
    exit 1
}

# The PDFs made since the run began whose text names the job.
pdfs_of() {
    find "$out" -name '*.pdf' -newer "$since" 2>/dev/null | while read -r pdf; do
        if pdftotext "$pdf" - 2>/dev/null | grep -qx "vexl33 text job $1"; then
            echo "$pdf"
        fi
    done
}

# The driver writes each PDF once its job has gone through the queue.
text_pdf="" copies=0
for attempt in $(seq 120); do
    text_pdf=$(pdfs_of "$job" | head -n 1)
    copies=$(pdfs_of "${job}_copies" | wc -l)
    [ -z "$text_pdf" ] || [ "$copies" -lt 3 ] || break
    sleep 0.5
done
[ -n "$text_pdf" ] || {
    echo "no PDF of the text job $job appeared in $out" >&2
    exit 1
}
# A fourth job would come through just as quickly.
sleep 3
copies=$(pdfs_of "${job}_copies" | wc -l)
[ "$copies" -eq 3 ] || {
    echo "$copies PDFs of ${job}_copies, not 3: a copy count of 3 makes three jobs" >&2
    exit 1
}

# The lines as placed on the page. The printer's font is fixed-pitch, so a
# word's column is its left edge over the width of one character (taken from
# the first word); blanks are counted by position, not guessed from gaps.
printed=$(pdftotext -bbox "$text_pdf" - | python3 -c '
import re, sys
words = re.findall(r"<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\"[^>]*>([^<]*)</word>",
                   sys.stdin.read())
if not words:
    sys.exit("no text on the page")
first = words[0]
pitch = (float(first[2]) - float(first[0])) / len(first[3])
lines = {}
for x, y, _, text in words:
    lines.setdefault(round(float(y)), []).append((round(float(x) / pitch), text))
for y in sorted(lines):
    row = ""
    for column, text in sorted(lines[y]):
        row = row.ljust(column) + text
    print(row)
')
expected=$(cat "$job.expected")
[ "$printed" = "$expected" ] || {
    echo "$text_pdf does not hold the lines of the text file." >&2
    echo "expected:" >&2
    echo "$expected" >&2
    echo "printed:" >&2
    echo "$printed" >&2
    exit 1
}
echo "printed $text_pdf: $(echo "$expected" | wc -l) lines as the printer's font lays them out; 3 copies, 3 PDFs"
pdfs_of "$job" | while read -r pdf; do rm -f "$pdf"; done
pdfs_of "${job}_copies" | while read -r pdf; do rm -f "$pdf"; done
