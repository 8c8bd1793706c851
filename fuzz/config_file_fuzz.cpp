// Fuzzes the configuration file reader: INI parsing and the expansion of
// environment references in every value, with a fixed, deterministic
// environment so a crash reproduces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "support/config_file.h"

namespace {

constexpr std::size_t kLimit = 256;

std::optional<std::string> fake_env(const std::string &name) {
    static const std::string long_value(300, 'L');
    if (name.empty())
        return std::nullopt;
    switch (name[0]) {
        case 'L':
            return long_value.c_str();
        case 'E':
            return "";
        case 'R':
            return "${R}%R%"; // must be inserted, never expanded again
        case 'U':
            return std::nullopt;
        default:
            return "/opt/molvern";
    }
}

void check(const std::optional<std::string> &expanded) {
    if (expanded && expanded->size() > kLimit)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string_view text(reinterpret_cast<const char *>(data), size);
    vexl::config::ConfigData config = vexl::config::parse_config(text);
    for (const auto &[section_name, section] : config) {
        if (section_name.empty())
            std::abort();
        for (const auto &[name, value] : section) {
            if (name.empty() || vexl::config::find_value(config, section_name, name) != &value)
                std::abort();
            check(vexl::config::expand_references(value, fake_env, kLimit));
        }
    }
    check(vexl::config::expand_references(text, fake_env, kLimit));
    return 0;
}
