// The save dialogs' decisions that need no window: how each dialog opens on
// each generation of Windows, the extension a chosen name gets, the overwrite
// question, and how the Aldus box follows the file-type box. The dialogs
// themselves are driven for real in save_dialog_win32_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "hardcopy/save_dialog_rules.h"

namespace {

using vexl::PrintFileType;
using vexl::SaveContent;

TEST(SaveDialogSetup, ExplorerStyleExceptOnWindows3) {
    for (int version : {4, 5, 6, 10}) {
        const vexl::SaveDialogSetup graphics =
            vexl::save_dialog_setup(SaveContent::Graphics, version);
        EXPECT_EQ(graphics.flags, 0x8006Cu) << version;
        EXPECT_EQ(graphics.template_id, 1000);
        EXPECT_TRUE(graphics.hooked);
        const vexl::SaveDialogSetup text = vexl::save_dialog_setup(SaveContent::Text, version);
        EXPECT_EQ(text.flags, 0x8000Cu);
        EXPECT_EQ(text.template_id, 0);
        EXPECT_FALSE(text.hooked);
    }
    const vexl::SaveDialogSetup old_graphics = vexl::save_dialog_setup(SaveContent::Graphics, 3);
    EXPECT_EQ(old_graphics.flags, 0x6Cu);
    EXPECT_EQ(old_graphics.template_id, 1536);
    EXPECT_TRUE(old_graphics.hooked);
    EXPECT_EQ(vexl::save_dialog_setup(SaveContent::Text, 3).flags, 0xCu);
}

TEST(SaveFileType, FilterIndexGivesTypeAndExtension) {
    struct Case {
        SaveContent content;
        unsigned index;
        PrintFileType type;
        const char *extension;
    };
    const Case cases[] = {
        {SaveContent::Graphics, 1, PrintFileType::EmfOrText, ".emf"},
        {SaveContent::Graphics, 2, PrintFileType::Hpgl2, ".hgl"},
        {SaveContent::Graphics, 3, PrintFileType::Wmf, ".wmf"},
        // No custom filter is offered, so 0 and 4 never come back from the
        // dialog; should they, the first type is the safe reading.
        {SaveContent::Graphics, 0, PrintFileType::EmfOrText, ".emf"},
        {SaveContent::Graphics, 4, PrintFileType::EmfOrText, ".emf"},
        {SaveContent::Text, 1, PrintFileType::EmfOrText, ".txt"},
        {SaveContent::Text, 3, PrintFileType::EmfOrText, ".txt"},
    };
    for (const Case &c : cases) {
        const PrintFileType type = vexl::save_file_type(c.content, c.index);
        EXPECT_EQ(type, c.type) << c.index;
        EXPECT_STREQ(vexl::save_extension(c.content, type), c.extension) << c.index;
    }
}

TEST(ChosenFileName, ExtensionOnlyWhenNoDotAnywhere) {
    struct Case {
        const char *typed;
        const char *written;
        const char *appended;
    };
    const Case cases[] = {
        {"C:\\plots\\sheet", "C:\\plots\\sheet.wmf", ".wmf"},
        {"C:\\plots\\sheet.wmf", "C:\\plots\\sheet.wmf", ""},
        {"C:\\plots\\sheet.emf", "C:\\plots\\sheet.emf", ""}, // another type's extension stays
        {"C:\\plots\\sheet.", "C:\\plots\\sheet.", ""},
        // A dot in a folder counts: the name is written as typed.
        {"C:\\plots.d\\sheet", "C:\\plots.d\\sheet", ""},
        {".\\sheet", ".\\sheet", ""},
    };
    for (const Case &c : cases) {
        const vexl::ChosenFile chosen = vexl::with_extension(c.typed, ".wmf");
        EXPECT_EQ(chosen.name, c.written) << c.typed;
        EXPECT_STREQ(chosen.appended, c.appended) << c.typed;
    }
}

// The question names the file that is about to be replaced. The dialog's
// title lacks the extension the loop adds; and when a dotted folder keeps
// the name as typed, no extension is written, so none may be named.
TEST(OverwriteQuestion, NamesTheFileThatWouldBeReplaced) {
    EXPECT_EQ(vexl::overwrite_question("sheet", vexl::with_extension("C:\\p\\sheet", ".emf")),
              "Do you want to overwrite sheet.emf ?");
    EXPECT_EQ(
        vexl::overwrite_question("sheet.hgl", vexl::with_extension("C:\\p\\sheet.hgl", ".emf")),
        "Do you want to overwrite sheet.hgl ?");
    EXPECT_EQ(vexl::overwrite_question("sheet", vexl::with_extension("C:\\p.d\\sheet", ".emf")),
              "Do you want to overwrite sheet ?");
}

TEST(FileTypeBox, FirstLetterNamesTheType) {
    EXPECT_EQ(vexl::type_from_type_box("Enhanced Metafile (*.emf)"), PrintFileType::EmfOrText);
    EXPECT_EQ(vexl::type_from_type_box("HP-GL/2 (*.hgl)"), PrintFileType::Hpgl2);
    EXPECT_EQ(vexl::type_from_type_box("Windows Metafile (*.wmf)"), PrintFileType::Wmf);
    EXPECT_EQ(vexl::type_from_type_box("windows metafile"), PrintFileType::None); // case counts
    EXPECT_EQ(vexl::type_from_type_box("Text Files (*.txt)"), PrintFileType::None);
    EXPECT_EQ(vexl::type_from_type_box(""), std::nullopt);
    EXPECT_EQ(vexl::type_from_type_box(nullptr), std::nullopt);
}

TEST(SaveTypeTracker, AldusBoxChangesOnlyWithTheType) {
    vexl::SaveTypeTracker types;
    EXPECT_FALSE(types.open_on(PrintFileType::EmfOrText));
    EXPECT_EQ(types.change_to(PrintFileType::EmfOrText), std::nullopt);
    EXPECT_EQ(types.change_to(PrintFileType::Wmf), true);
    EXPECT_EQ(types.change_to(PrintFileType::Wmf), std::nullopt);
    EXPECT_EQ(types.change_to(PrintFileType::None), false);
    EXPECT_EQ(types.change_to(PrintFileType::Hpgl2), false);
    // A new showing starts from the type it opens on, whatever the last
    // showing ended with.
    EXPECT_TRUE(types.open_on(PrintFileType::Wmf));
    EXPECT_EQ(types.change_to(PrintFileType::Wmf), std::nullopt);
    EXPECT_FALSE(types.open_on(PrintFileType::EmfOrText));
    EXPECT_EQ(types.change_to(PrintFileType::Wmf), true);
}

} // namespace
