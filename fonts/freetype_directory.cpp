// The font directory of the TrueType text: where it is, which of its files
// are TrueType faces, and the full face name of each.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "fonts/freetype_engine.h"
#include "fonts/freetype_font.h"
#include "fonts/freetype_fonts.h"
#include "plot/gplot.h"
#include "support/platform.h"
#include "support/rtk_dirs.h"
#include "support/rtk_strings.h"
#include "support/settings_lookup.h"

#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H

namespace vexl {

namespace {

// Longest font directory scanned: the paths below are built in buffers of
// this size plus a file name's room. A longer one is refused whole; cutting
// it would scan some other folder.
constexpr std::size_t kMaxDirectoryLength = 255;
constexpr std::size_t kPathBufferSize = kSettingBufferSize;
// Name strings are UTF-16: at most this many bytes (256 characters) are read.
constexpr FT_UInt kMaxNameBytes = 512;
constexpr FT_UShort kFullNameId = TT_NAME_ID_FULL_NAME;

std::string &font_directory() {
    static std::string directory;
    return directory;
}

// Face name -> file path; the first path recorded for a name stays.
std::map<std::string, std::string> &font_paths() {
    static std::map<std::string, std::string> paths;
    return paths;
}

// The setting's value. A process value too long for the lookup's buffer is
// still the setting: it is returned whole (and then refused as a directory)
// rather than taken as absent, which would fall back to another folder.
std::optional<std::string> setting(const char *name) {
    char buffer[kPathBufferSize] = {};
    if (gplot_get_environment(name, buffer))
        return std::string(buffer);
    if (const char *too_long = std::getenv(name))
        return std::string(too_long);
    return std::nullopt;
}

std::string compute_font_directory() {
    const std::string separator(1, platform::path_separator());
    const std::string lib_fonts = separator + "lib" + separator + "fonts";
    std::string directory;
    if (std::optional<std::string> fonts = setting("MOLVERN_FONT_DIR"))
        directory = *fonts;
    else if (std::optional<std::string> home = setting("MOLVERN_DIR"))
        directory = *home + lib_fonts;
    else
        directory = separator + "molvern" + lib_fonts;
    return directory;
}

// '*' matches any run of characters (tried at each place the character after
// it occurs), '?' any one character, anything else itself.
bool wildcard_match(const char *pattern, const char *name) {
    while (*name != '\0') {
        if (*pattern == '*') {
            const char next = pattern[1];
            if (next == '\0')
                return true;
            for (const char *rest = name; *rest != '\0'; ++rest)
                if ((next == '?' || next == *rest) && wildcard_match(pattern + 2, rest + 1))
                    return true;
            return false;
        }
        if (*pattern != '?' && *pattern != *name)
            return false;
        ++pattern;
        ++name;
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

bool is_truetype_file_name(const std::string &entry) {
    std::string name = entry;
    char pattern[] = "*ttf";
    gparse_uptolow(name.data());
    gparse_uptolow(pattern);
    return wildcard_match(pattern, name.c_str());
}

bool is_english_full_name(const FT_SfntName &record) {
    if (record.name_id != kFullNameId)
        return false;
    if (record.platform_id == TT_PLATFORM_MICROSOFT)
        return (record.encoding_id == TT_MS_ID_UNICODE_CS ||
                record.encoding_id == TT_MS_ID_SYMBOL_CS) &&
               (record.language_id & 0x3FF) == 9;
    return record.platform_id == TT_PLATFORM_APPLE_UNICODE && record.language_id == 0;
}

// The low byte of each big-endian UTF-16 character.
std::string low_bytes(const FT_SfntName &record) {
    const FT_UInt length = record.string_len < kMaxNameBytes ? record.string_len : kMaxNameBytes;
    std::string text;
    for (FT_UInt i = 1; i < length; i += 2)
        text.push_back(static_cast<char>(record.string[i]));
    return text;
}

struct FaceCloser {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};

} // namespace

bool start_freetype_engine() {
    return start_freetype_engine(process_freetype_engine());
}

std::optional<std::string> read_freetype_face_name(const char *path) {
    FT_Face opened = nullptr;
    const FT_Error error = FT_New_Face(freetype_engine(), path, 0, &opened);
    if (error != 0) {
        report_freetype_failure(error, "Font file face error, while looking up font name [%s].\n",
                                path);
        return std::nullopt;
    }
    const std::unique_ptr<FT_FaceRec_, FaceCloser> face(opened);
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face.get());
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName record{};
        if (FT_Get_Sfnt_Name(face.get(), i, &record) == 0 && is_english_full_name(record))
            return low_bytes(record);
    }
    return std::nullopt;
}

const std::string &freetype_font_directory() {
    return font_directory();
}

const std::string *freetype_font_file(const std::string &face_name) {
    const auto found = font_paths().find(face_name);
    return found == font_paths().end() ? nullptr : &found->second;
}

bool scan_freetype_font_directory(std::set<std::string> &names) {
    names.clear();
    font_directory() = compute_font_directory();
    const std::string &directory = font_directory();
    if (!start_freetype_engine())
        return false;
    if (directory.size() > kMaxDirectoryLength) {
        std::fprintf(stderr, "Cannot find any TrueType fonts in %s.\n", directory.c_str());
        return false;
    }

    char opened_path[kPathBufferSize] = {};
    std::strcpy(opened_path, directory.c_str());
    gfile_strip_dir_name(opened_path);
    char prefix[kPathBufferSize] = {};
    std::strcpy(prefix, directory.c_str());
    gfile_prepare_dir_name(prefix, sizeof prefix);

    DirectoryReader reader(opened_path);
    std::string entry;
    while (reader.is_open() && reader.next(entry)) {
        if (!is_truetype_file_name(entry))
            continue;
        const std::string path = std::string(prefix) + entry;
        const int type = gfile_type(path.c_str());
        if (type == 0)
            break; // the directory changed under the walk: stop here
        if (type == kGfileTypeDirectory)
            continue;
        if (std::optional<std::string> name = read_freetype_face_name(path.c_str())) {
            names.insert(*name);
            font_paths().emplace(*name, path);
        }
    }

    if (names.empty()) {
        std::fprintf(stderr, "Cannot find any TrueType fonts in %s.\n", directory.c_str());
        return false;
    }
    if (debug_mode_active_for("font", nullptr, nullptr)) {
        std::fprintf(stderr, "\n");
        for (const std::string &name : names)
            std::fprintf(stderr, "%-40s | %s\n", name.c_str(), freetype_font_file(name)->c_str());
        std::fprintf(stderr, "Number of FreeType fonts = %d\n", static_cast<int>(names.size()));
        std::fprintf(stderr, "\n");
    }
    return true;
}

} // namespace vexl
