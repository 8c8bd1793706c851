// The configuration file format, without any file or process state: INI text
// turned into sections, and environment references expanded in a value.
//
// Format rules (kept deliberately forgiving, since the files are edited by
// hand and may come from either platform):
// - Lines end in "\n", "\r\n" or a lone "\r". A UTF-8 byte-order mark at the
//   start is ignored.
// - "[name]" starts a section (a context); whitespace around the name and a
//   trailing comment after "]" are allowed. A header without "]", with an
//   empty name, or with other text after "]" is malformed: the entries that
//   follow it belong to no section until the next good header, so they can
//   never be mistaken for settings of the section before it.
// - "NAME = value": name and value are trimmed of spaces and tabs. Lines whose
//   first visible character is '#' or ';' are comments. A '#' or ';' later in
//   a line is part of the value (paths may contain them).
// - Entries before the first section, lines without '=', lines with an empty
//   name and lines holding a NUL byte are ignored.
// - Section and entry names compare case-insensitively (ASCII). When a name
//   occurs twice in a section the last one wins; a section that appears twice
//   is one section.
#ifndef VEXL33_SUPPORT_CONFIG_FILE_H
#define VEXL33_SUPPORT_CONFIG_FILE_H

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vexl::config {

struct AsciiCaseLess {
    bool operator()(const std::string &a, const std::string &b) const;
};

using Section = std::map<std::string, std::string, AsciiCaseLess>;
using ConfigData = std::map<std::string, Section, AsciiCaseLess>;

ConfigData parse_config(std::string_view text);

// Value of name in section, or null.
const std::string *find_value(const ConfigData &data, const std::string &section,
                              const std::string &name);

// What a reference names: the value, or nothing when the name is unknown.
using EnvLookup = std::function<std::optional<std::string>(const std::string &name)>;

// Replaces ${NAME} and %NAME% by the variable's value (empty when unset) and
// "%%" by a single '%'. A name is made of letters, digits and "_().-"; a
// reference that is unterminated or holds any other character is kept as
// written. Values are inserted as they are, never expanded again. Returns
// nothing when the result would be longer than limit characters: a cut value
// would name the wrong file, so it is refused whole.
std::optional<std::string> expand_references(std::string_view text, const EnvLookup &env,
                                             std::size_t limit);

} // namespace vexl::config

#endif // VEXL33_SUPPORT_CONFIG_FILE_H
