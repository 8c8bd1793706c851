// The HP-GL/2 fill-type table: for each entry of the fill-pattern file, the
// three parameters of the FT instruction that fills like that pattern.
//
// A plot's fill pattern i is entry i of this table. The table is process-wide
// (every HP-GL/2 device reads the same one) and rebuilt from the fill-pattern
// file each time a device is created, so a plot file always describes the
// fills of the file that was current when it was opened. The pattern table of
// the bitmap devices is separate: it reads the same file once per process and
// also loads the bitmaps, which a plot file does not need.
#ifndef VEXL33_DEVICES_GHPGL2_FILL_TYPES_H
#define VEXL33_DEVICES_GHPGL2_FILL_TYPES_H

#include <cstdint>
#include <vector>

namespace vexl {

class PlotFile;

struct FillType {
    int32_t fill_type;    // first FT parameter
    int32_t fill_option1; // second FT parameter
    int32_t fill_option2; // third FT parameter, written as a double
};

class FillTypeTable {
  public:
    // Reads MOLVERN_FILL's file into the table and writes one "MG" comment
    // line per fill type into plot_file. Without a file, or with a file that
    // yields no entry, the table is emptied and the reason is written on the
    // error stream (the second reason only the first time for this table);
    // the device is still usable then, it just has no patterned fills.
    void rebuild(PlotFile &plot_file);

    // The entry for fill pattern i, or null when i is not in the table.
    const FillType *find(int32_t pattern) const;
    const std::vector<FillType> &entries() const { return entries_; }

  private:
    std::vector<FillType> entries_;
    bool empty_file_reported_ = false;
};

// The table all HP-GL/2 devices of the process share.
FillTypeTable &hpgl2_fill_types();

} // namespace vexl

#endif // VEXL33_DEVICES_GHPGL2_FILL_TYPES_H
