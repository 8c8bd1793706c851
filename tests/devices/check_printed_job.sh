#!/bin/sh
# A printer plot prints for real on the test printer (a CUPS queue on the
# PDF driver, named in VEXL_TEST_PRINTER; skipped without it): the hard-copy
# test sets its world window twice and draws, and exactly one PDF of its job
# must appear, with one page that is not blank and the text drawn on it.
#   check_printed_job.sh EMULATOR... TEST_PROGRAM
set -eu
if [ -z "${VEXL_TEST_PRINTER:-}" ]; then
    echo "no test printer (scripts/test sets one up): skipped"
    exit 77
fi
job=vexl33_hardcopy_$$
out=${HOME}/PDF
rm -f "$out/$job"*.pdf "$out/true_size_$job"*.pdf "$out/arcs_$job"*.pdf
VEXL_TEST_PRINT_JOB=$job "$@" --gtest_color=no --gtest_filter='PrinterHardcopy.*'

# The driver writes the PDF once the job has gone through the queue.
pdf=""
for attempt in $(seq 120); do
    pdf=$(ls "$out/$job"*.pdf 2>/dev/null | head -n 1 || true)
    [ -z "$pdf" ] || break
    sleep 0.5
done
[ -n "$pdf" ] || {
    echo "no PDF of job $job appeared in $out" >&2
    exit 1
}
# A cancelled first job would come through just as quickly.
sleep 3
count=$(ls "$out/$job"*.pdf | wc -l)
[ "$count" -eq 1 ] || {
    echo "$count PDFs of job $job: the world window set twice made more than one job" >&2
    exit 1
}
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 1 ] || {
    echo "$pdf has $pages pages, not 1" >&2
    exit 1
}
# Dark pixels on the page: the filled square and the diagonal.
dark=$(pdftoppm -r 20 -gray -singlefile "$pdf" | python3 -c '
import sys
data = sys.stdin.buffer.read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
pixels = data[pos + 1:]
print(sum(1 for p in pixels if p < 128))')
[ "$dark" -gt 0 ] || {
    echo "$pdf is blank" >&2
    exit 1
}
# The text drawn on the page comes back as text.
pdftotext "$pdf" - | grep -q "Printed by vexl33" || {
    echo "$pdf does not hold the text \"Printed by vexl33\"; pdftotext gives:" >&2
    pdftotext "$pdf" - >&2
    exit 1
}
echo "printed $pdf: 1 page, $dark dark pixels at 20 dpi, the text found again"
rm -f "$pdf" "$out/true_size_$job"*.pdf "$out/arcs_$job"*.pdf
