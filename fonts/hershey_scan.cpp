#include "fonts/hershey_scan.h"

#include "support/integer_scan.h"

namespace vexl::hershey {

bool scan_int(const char *&text, int width, int32_t &value) {
    const ScannedInteger number = scan_integer(text, IntegerBase::Decimal, width);
    const std::optional<int32_t> exact = number.exact_int32();
    if (!exact)
        return false;
    value = *exact;
    text += number.length;
    return true;
}

Scan scan_int(std::FILE *stream, int32_t &value) {
    const ScannedInteger number = scan_integer(stream);
    if (number.at_end)
        return Scan::End;
    const std::optional<int32_t> exact = number.exact_int32();
    if (!exact)
        return Scan::NoNumber;
    value = *exact;
    return Scan::Number;
}

void skip_space(std::FILE *stream) {
    skip_c_space(stream);
}

} // namespace vexl::hershey
