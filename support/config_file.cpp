#include "support/config_file.h"

#include <algorithm>

namespace vexl::config {

namespace {

unsigned char lower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool is_comment_start(char c) {
    return c == '#' || c == ';';
}

// The section name of a "[name]" line, or nothing when the header is
// malformed.
std::optional<std::string_view> section_header(std::string_view line) {
    std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    std::string_view name = trim(line.substr(1, close - 1));
    std::string_view rest = trim(line.substr(close + 1));
    if (name.empty() || (!rest.empty() && !is_comment_start(rest.front())))
        return std::nullopt;
    return name;
}

bool is_name_char(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '(' || c == ')' || c == '.' || c == '-';
}

bool is_reference_name(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), is_name_char);
}

} // namespace

bool AsciiCaseLess::operator()(const std::string &a, const std::string &b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y));
    });
}

ConfigData parse_config(std::string_view text) {
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    ConfigData data;
    Section *current = nullptr;
    while (!text.empty()) {
        std::size_t end = text.find_first_of("\r\n");
        std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || is_comment_start(line.front()))
            continue;
        if (line.find('\0') != std::string_view::npos)
            continue;
        if (line.front() == '[') {
            std::optional<std::string_view> name = section_header(line);
            current = name ? &data[std::string(*name)] : nullptr;
            continue;
        }
        std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos)
            continue;
        std::string_view name = trim(line.substr(0, equals));
        if (name.empty())
            continue;
        (*current)[std::string(name)] = std::string(trim(line.substr(equals + 1)));
    }
    return data;
}

const std::string *find_value(const ConfigData &data, const std::string &section,
                              const std::string &name) {
    auto found_section = data.find(section);
    if (found_section == data.end())
        return nullptr;
    auto found = found_section->second.find(name);
    return found == found_section->second.end() ? nullptr : &found->second;
}

std::optional<std::string> expand_references(std::string_view text, const EnvLookup &env,
                                             std::size_t limit) {
    std::string out;
    auto append = [&](std::string_view piece) {
        if (piece.size() > limit - out.size())
            return false;
        out.append(piece);
        return true;
    };
    auto append_variable = [&](std::string_view name) {
        const std::optional<std::string> value =
            env ? env(std::string(name)) : std::optional<std::string>();
        return append(value ? std::string_view(*value) : std::string_view());
    };

    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t next = text.find_first_of("$%", i);
        if (next == std::string_view::npos)
            next = text.size();
        if (!append(text.substr(i, next - i)))
            return std::nullopt;
        i = next;
        if (i == text.size())
            break;

        if (text[i] == '%') {
            std::size_t close = text.find('%', i + 1);
            if (close == i + 1) { // "%%" stands for one '%'
                if (!append("%"))
                    return std::nullopt;
                i = close + 1;
                continue;
            }
            if (close != std::string_view::npos &&
                is_reference_name(text.substr(i + 1, close - i - 1))) {
                if (!append_variable(text.substr(i + 1, close - i - 1)))
                    return std::nullopt;
                i = close + 1;
                continue;
            }
        } else if (text.substr(i, 2) == "${") {
            std::size_t close = text.find('}', i + 2);
            if (close != std::string_view::npos &&
                is_reference_name(text.substr(i + 2, close - i - 2))) {
                if (!append_variable(text.substr(i + 2, close - i - 2)))
                    return std::nullopt;
                i = close + 1;
                continue;
            }
        }
        // Not a reference: the character stands for itself.
        if (!append(text.substr(i, 1)))
            return std::nullopt;
        ++i;
    }
    return out;
}

} // namespace vexl::config
