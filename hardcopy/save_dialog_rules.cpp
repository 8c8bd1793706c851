// The rules of the save dialogs that need no window: see save_dialog_rules.h.
#include "hardcopy/save_dialog_rules.h"

#include <cstdio>

namespace vexl {

namespace {

// Common-dialog flags (the values of commdlg.h).
constexpr uint32_t kHideReadOnly = 0x4;
constexpr uint32_t kNoChangeDir = 0x8;
constexpr uint32_t kEnableHook = 0x20;
constexpr uint32_t kEnableTemplate = 0x40;
constexpr uint32_t kExplorer = 0x80000;

// Templates of the companion module: the explorer-style child placed under
// the system's dialog, and the whole old-style dialog.
constexpr int kExplorerSaveTemplate = 1000;
constexpr int kOldStyleSaveTemplate = 1536;

// Windows 3.x has only the old-style dialogs.
constexpr int kOldStyleWindows = 3;

std::string filter_list(std::initializer_list<const char *> parts) {
    std::string list;
    for (const char *part : parts) {
        list += part;
        list += '\0';
    }
    list += '\0';
    return list;
}

} // namespace

SaveDialogSetup save_dialog_setup(SaveContent content, int windows_major_version) {
    const bool old_style = windows_major_version == kOldStyleWindows;
    const uint32_t common = kNoChangeDir | kHideReadOnly | (old_style ? 0 : kExplorer);
    if (content == SaveContent::Text)
        return {filter_list({"Text Files (*.txt)", "*.txt"}),
                "*.txt",
                "Print to File",
                common,
                0,
                false};
    return {filter_list({"Enhanced Metafile (*.emf)", "*.emf", "HP-GL/2 (*.hgl)", "*.hgl",
                         "Windows Metafile (*.wmf)", "*.wmf"}),
            "*.emf",
            "Print to File",
            common | kEnableTemplate | kEnableHook,
            old_style ? kOldStyleSaveTemplate : kExplorerSaveTemplate,
            true};
}

PrintFileType save_file_type(SaveContent content, uint32_t filter_index) {
    if (content == SaveContent::Graphics && filter_index == 2)
        return PrintFileType::Hpgl2;
    if (content == SaveContent::Graphics && filter_index == 3)
        return PrintFileType::Wmf;
    return PrintFileType::EmfOrText;
}

const char *save_extension(SaveContent content, PrintFileType type) {
    if (content == SaveContent::Text)
        return ".txt";
    switch (type) {
        case PrintFileType::Hpgl2:
            return ".hgl";
        case PrintFileType::Wmf:
            return ".wmf";
        default:
            return ".emf";
    }
}

ChosenFile with_extension(const std::string &name, const char *extension) {
    if (name.find('.') != std::string::npos)
        return {name, ""};
    return {name + extension, extension};
}

std::string overwrite_question(const std::string &title, const ChosenFile &chosen) {
    // The title is the name the user typed, without its folder; when the
    // extension was added it is not part of the title yet.
    return "Do you want to overwrite " + title + chosen.appended + " ?";
}

std::optional<PrintFileType> type_from_type_box(const char *text) {
    if (text == nullptr || text[0] == '\0')
        return std::nullopt;
    switch (text[0]) {
        case 'E':
            return PrintFileType::EmfOrText;
        case 'H':
            return PrintFileType::Hpgl2;
        case 'W':
            return PrintFileType::Wmf;
        default:
            return PrintFileType::None;
    }
}

} // namespace vexl
