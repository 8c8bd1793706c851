// The process-wide pattern table: one 16 x 16 monochrome bitmap per entry of
// the fill-pattern file, loaded on first use.
//
// The loading itself lives in PatternTable, which takes the file lookup, the
// user messages and the debug switch from outside, so it can be driven
// without touching the process-wide table, the configuration or a message box.
#ifndef VEXL33_COLOUR_PATTERN_TABLE_H
#define VEXL33_COLOUR_PATTERN_TABLE_H

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "colour/pattern_bitmap.h"
#include "plot/gplot.h"

namespace vexl {

struct XbmBitmap;

struct PatternEntry {
    FillEntry fill{};          // the file entry (empty path: default solid)
    PatternBitmap bitmap;      // the device bitmap; bitmap.handle() is the pixmap id
    std::vector<uint8_t> bits; // bitmap data as read, device bit order
    int32_t width = 0;         // size stated in the bitmap file
    int32_t height = 0;
    char name[257] = {}; // file name of the path without directory or extension
};

// Makes the device bitmap of a pattern; PatternBitmap::create unless a test
// wants to see the platform refuse.
using BitmapFactory = std::function<PatternBitmap(const PatternBits &bits)>;

// What loading needs from the rest of the library.
struct PatternSources {
    // Opens the file a setting names (gplot_get_filename); null when none.
    // The table closes it with rtk_fclose.
    std::function<std::FILE *(const char *setting)> open_setting_file;
    // Shows a user message (vexl_displayMsg).
    std::function<MessageResult(const char *text, const char *caption, MessageType type)>
        show_message;
    // True when pattern loading should be traced on the error stream.
    std::function<bool()> trace_enabled;
    // Empty: PatternBitmap::create.
    BitmapFactory create_bitmap;
};

// The library's own: gplot_get_filename, vexl_displayMsg and
// debug_mode_active_for("colpat", "pattern").
PatternSources process_pattern_sources();

class PatternTable {
  public:
    explicit PatternTable(PatternSources sources) : sources_(std::move(sources)) {}

    // Loads the table unless it already has entries; true when it holds at
    // least one pattern. When nothing at all could be loaded (not even the
    // default solid pattern) the table stays empty and the next call tries
    // again.
    bool load();

    const std::vector<PatternEntry> &entries() const { return entries_; }
    // Number of entries, capped at INT32_MAX.
    int32_t size() const;
    // The 16 x 16 pattern with every pixel set; null until a load has
    // made it.
    const PatternEntry *solid_pattern() const { return solid_ ? &*solid_ : nullptr; }

  private:
    // Reads the fill-pattern file into list; the number of entries to load.
    int32_t read_fill_file(FillEntryList &list);
    // Appends the pattern of one file entry (number counts from 1), asking
    // the user what to do while it fails.
    void load_entry(const FillEntry &fill, int32_t number);
    void message(const char *text, MessageType type = MSG_INFORMATION) const;

    PatternSources sources_;
    std::vector<PatternEntry> entries_;
    std::optional<PatternEntry> solid_;
};

// The pattern of one file entry: its bitmap read and made into a device
// bitmap, its name derived from the path. Nothing when the bitmap file is
// missing or unreadable, its size is not supported, or the device bitmap
// cannot be made.
std::optional<PatternEntry> make_pattern_entry(const FillEntry &fill,
                                               const BitmapFactory &create_bitmap = {});

// The 16 x 16 device pattern of a bitmap. 16 x 16 bitmaps are taken as they
// are. Smaller ones whose sides divide 16 (8 x 8, 4 x 2, ...) are repeated to
// fill 16 x 16, which paints exactly the same fill since a pattern brush
// repeats anyway. Any other size would be cut or skewed, so it is refused.
std::optional<PatternBits> pattern_bits_for(const XbmBitmap &bitmap);

// The process-wide table, loaded on first use.
PatternTable &process_pattern_table();

// Loads the process-wide table on first use; true when it holds at least one
// pattern.
bool load_pattern_table();

// The loaded entries of the process-wide table (empty until
// load_pattern_table succeeded).
const std::vector<PatternEntry> &pattern_table();

// The process-wide default solid pattern (for fill pattern -2); null until
// the table was loaded or when it could not be made.
const PatternEntry *default_solid_pattern();

} // namespace vexl

#endif // VEXL33_COLOUR_PATTERN_TABLE_H
