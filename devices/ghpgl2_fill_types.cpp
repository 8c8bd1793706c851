// Building the HP-GL/2 fill-type table from the fill-pattern file.
//
// The table is rebuilt at every device creation and announces itself in the
// new plot file as "MG" comment lines, one per fill type, so that whoever
// reads a plot file can tell which FT instruction stands for which pattern
// index of the application.
#include "devices/ghpgl2_fill_types.h"

#include <algorithm>
#include <cstdio>

#include "colour/fill_file.h"
#include "core/errors.h"
#include "devices/ghpgl2_writer.h"
#include "plot/gplot.h"
#include "support/rtk_files.h"

namespace vexl {

void FillTypeTable::rebuild(PlotFile &plot_file) {
    entries_.clear();
    const FilePtr fill_file(gplot_get_filename("MOLVERN_FILL"));
    if (!fill_file) {
        std::fputs("kdfill: cannot locate \"molvfill.cfg\" file.\n", stderr);
        return;
    }

    FillEntries read;
    const int count = kdfill_read(read.get(), fill_file.get());
    if (count < 1) {
        // An unusable file is reported once per process; the plot files
        // opened afterwards simply have no patterned fills.
        fail(Error::NoPatternsInFillFile);
        if (!empty_file_reported_) {
            empty_file_reported_ = true;
            std::fprintf(stderr, "kdfill: %s\n", gplot_get_error_message());
        }
        return;
    }

    // The reader's count and its list agree; taking the smaller of the two
    // keeps a disagreement from reading past the list.
    const int32_t usable = std::min<int32_t>(count, read->count);
    const FillEntry *file_entries = read->entries;
    entries_.reserve(static_cast<std::size_t>(std::max<int32_t>(usable, 0)));
    for (int32_t i = 0; i < usable; ++i) {
        const FillEntry &entry = file_entries[i];
        entries_.push_back({entry.fill_type, entry.fill_option1, entry.fill_option2});
        plot_file.write("MG FT%d = FT%d,%d,%lf\n", {i, entry.fill_type, entry.fill_option1,
                                                    static_cast<double>(entry.fill_option2)});
    }
}

const FillType *FillTypeTable::find(int32_t pattern) const {
    if (pattern < 0 || static_cast<std::size_t>(pattern) >= entries_.size())
        return nullptr;
    return &entries_[static_cast<std::size_t>(pattern)];
}

FillTypeTable &hpgl2_fill_types() {
    static FillTypeTable shared;
    return shared;
}

} // namespace vexl
