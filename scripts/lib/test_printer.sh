# The test printer, shared by scripts/test and scripts/demo (sourced, not
# run): a CUPS queue on the PDF driver (printer-driver-cups-pdf, installed by
# scripts/setup), made the system's default destination, which Wine's
# spooler then reports as the default printer. A scheduler started here stays
# up for later runs; the queue is made again each time, so a machine fresh
# from scripts/setup needs nothing else.
#
# The driver writes each job as a PDF named after the job's title into the
# folder test_printer_output_dir names.

test_printer=vexl33-pdf

# Starts cupsd when it is not running and makes $test_printer the default
# destination; exports VEXL_TEST_PRINTER with its name. Fails (status 1)
# when any step does.
start_test_printer() {
    local sudo="" ppd attempt
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    if ! lpstat -r 2>/dev/null | grep -qx "scheduler is running"; then
        echo "== starting cupsd for the test printer"
        $sudo cupsd </dev/null >/dev/null 2>&1 || return 1
        for attempt in $(seq 50); do
            lpstat -r 2>/dev/null | grep -qx "scheduler is running" && break
            sleep 0.2
        done
    fi
    ppd=$(dpkg -L printer-driver-cups-pdf 2>/dev/null | grep -m1 '/CUPS-PDF_opt\.ppd$') || return 1
    # lpadmin warns that PPD drivers are deprecated; they still work.
    $sudo lpadmin -p "$test_printer" -v cups-pdf:/ -E -P "$ppd" 2>/dev/null || return 1
    $sudo lpadmin -d "$test_printer" || return 1
    lpstat -d 2>/dev/null | grep -q ": $test_printer\$" || return 1
    export VEXL_TEST_PRINTER=$test_printer
}

# Where the driver puts the PDFs of this user's jobs: "Out ${HOME}/PDF" in
# Debian's cups-pdf.conf, the home folder being the account's, whatever
# HOME says.
test_printer_output_dir() {
    local home
    home=$(getent passwd "$(id -un)" | cut -d: -f6)
    echo "${home:-$HOME}/PDF"
}
