// The parts of the font front door (gttfont_*) that do not depend on process
// state: what MOLVERN_FONT_TYPE selects, how the TrueType face list is put
// together from its two sources, and loading a name into a font table. The
// C functions keep one decision and one list of each kind for the process;
// tests drive these pieces directly so that every setting can be tried in
// one process.
#ifndef VEXL33_FONTS_TRUETYPE_SELECTION_H
#define VEXL33_FONTS_TRUETYPE_SELECTION_H

#include <set>
#include <string>
#include <vector>

#include "plot/gfonts.h"

namespace vexl {

enum class FontMode { hershey, truetype };

// The mode for a MOLVERN_FONT_TYPE value (null when the setting is absent):
// Hershey only for "Hershey" in any case, TrueType otherwise. With trace set,
// an explicit "Hershey" or "TrueType" says so on stderr.
FontMode font_mode_for_setting(const char *value, bool trace);

// True when the value ("windows" in any case) restricts the TrueType list to
// the faces GDI reports, leaving the font directory out.
bool lists_gdi_faces_only(const char *value);

// Folds one source's faces into the list: an empty list takes them whole, an
// empty source changes nothing, otherwise only names in both are kept. So a
// face is offered when every source that found anything has it.
void merge_face_names(std::set<std::string> &available, const std::set<std::string> &found);

// The face list from GDI's faces and, unless null, the font directory's,
// each merged in that order. With trace set, each source and the result are
// listed on stderr.
std::set<std::string> available_face_names(const std::set<std::string> &gdi_faces,
                                           const std::set<std::string> *directory_faces,
                                           bool trace);

// A sorted set of names with a C array of pointers into it, in set order,
// as gttfont_getFontList hands it out. Not copyable: the pointers point into
// this object's own strings.
class FontNameList {
  public:
    explicit FontNameList(std::set<std::string> names);
    FontNameList(const FontNameList &) = delete;
    FontNameList &operator=(const FontNameList &) = delete;

    const std::set<std::string> &names() const { return names_; }
    // The pointer array and its length, capped at INT32_MAX.
    const char **data() { return pointers_.data(); }
    int count() const;

  private:
    std::set<std::string> names_;
    std::vector<const char *> pointers_;
};

// The names of the Hershey tables in the font-table directory (none when it
// cannot be read), listed on stderr with trace set.
std::set<std::string> hershey_table_names(bool trace);

// TrueType loading: a name found in available becomes the table's name (the
// old one released); an unknown name leaves the table as it was. 1 with kind
// 2 when the table then has a name, else 0.
int load_truetype_name(GFontTable *table, const char *name, const std::set<std::string> &available);

// Hershey loading: the named occidental ASCII table, or the built-in one when
// that fails; 0 only when neither loads. The requested name is kept as the
// table's name even when the built-in glyphs stand in for it.
int load_hershey_table(GFontTable *table, const char *name);

} // namespace vexl

#endif // VEXL33_FONTS_TRUETYPE_SELECTION_H
