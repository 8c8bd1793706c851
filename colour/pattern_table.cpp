// Loading the pattern table from the fill-pattern file and its XBM bitmaps.
//
// A broken bitmap costs only its own entry (after asking the user, who may
// repair the file and retry); a broken or missing fill-pattern file leaves
// the default solid pattern as the only one, so fills always have something
// to draw with. The table is loaded once and then kept for the process.
#include "colour/pattern_table.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "colour/fill_file.h"
#include "colour/xbm_reader.h"
#include "core/errors.h"
#include "support/rtk_files.h"
#include "support/rtk_strings.h"

namespace vexl {

namespace {

constexpr const char *kCaption = "KDfill";

void copy_text(char *target, std::size_t size, const char *source) {
    std::size_t length = 0;
    while (length + 1 < size && source[length] != '\0')
        ++length;
    std::memcpy(target, source, length);
    target[length] = '\0';
}

bool side_divides_pattern(int32_t side) {
    return side > 0 && side <= kPatternSide && kPatternSide % side == 0;
}

PatternBitmap create_with(const BitmapFactory &create_bitmap, const PatternBits &bits) {
    return create_bitmap ? create_bitmap(bits) : PatternBitmap::create(bits);
}

// The pattern with every pixel set. In the device's bit order a set pixel is
// a 0 bit (the bitmap reader complements the file's bits), so solid is all
// zeros, the same bits a bitmap file with every pixel set gives; all ones
// would be a pattern without a single pixel, which fills nothing.
PatternEntry make_solid_entry(const BitmapFactory &create_bitmap) {
    PatternBits all_set;
    all_set.fill(0x00);
    PatternEntry solid;
    solid.bitmap = create_with(create_bitmap, all_set);
    solid.bits.assign(all_set.begin(), all_set.end());
    solid.width = kPatternSide;
    solid.height = kPatternSide;
    return solid;
}

} // namespace

std::optional<PatternBits> pattern_bits_for(const XbmBitmap &bitmap) {
    if (!side_divides_pattern(bitmap.width) || !side_divides_pattern(bitmap.height))
        return std::nullopt;
    const std::size_t row_bytes = (static_cast<std::size_t>(bitmap.width) + 7) / 8;
    if (bitmap.bits.size() < row_bytes * static_cast<std::size_t>(bitmap.height))
        return std::nullopt;
    PatternBits pattern{};
    for (int32_t y = 0; y < kPatternSide; ++y) {
        const uint8_t *row = bitmap.bits.data() + (y % bitmap.height) * row_bytes;
        for (int32_t x = 0; x < kPatternSide; ++x) {
            const int32_t from = x % bitmap.width;
            if (row[from / 8] & (0x80u >> (from % 8)))
                pattern[y * 2 + x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
        }
    }
    return pattern;
}

std::optional<PatternEntry> make_pattern_entry(const FillEntry &fill,
                                               const BitmapFactory &create_bitmap) {
    char path[sizeof fill.path];
    copy_text(path, sizeof path, fill.path);
    std::optional<XbmBitmap> xbm = read_xbm_file(path);
    if (!xbm)
        return std::nullopt;
    std::optional<PatternBits> bits = pattern_bits_for(*xbm);
    if (!bits)
        return std::nullopt;
    PatternEntry entry;
    entry.bitmap = create_with(create_bitmap, *bits);
    if (!entry.bitmap)
        return std::nullopt;
    entry.fill = fill;
    copy_text(entry.fill.path, sizeof entry.fill.path, path);
    entry.bits = std::move(xbm->bits);
    entry.width = xbm->width;
    entry.height = xbm->height;
    // The name is the file name alone: "${DIR}/patterns/hatch45.xbm" is "hatch45".
    astr_remove_extent(path);
    copy_text(entry.name, sizeof entry.name, astr_get_leaf_name(path));
    return entry;
}

int32_t PatternTable::size() const {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(entries_.size() < kMax ? entries_.size() : kMax);
}

void PatternTable::message(const char *text, MessageType type) const {
    if (sources_.show_message)
        sources_.show_message(text, kCaption, type);
}

bool PatternTable::load() {
    if (!entries_.empty())
        return true;
    try {
        FillEntries fills;
        const int32_t requested = read_fill_file(*fills.get());
        entries_.reserve(static_cast<std::size_t>(requested));
        for (int32_t i = 0; i < requested; ++i)
            load_entry(fills[i], i + 1);

        if (!solid_) {
            PatternEntry solid = make_solid_entry(sources_.create_bitmap);
            if (solid.bitmap)
                solid_ = std::move(solid);
            else if (current_error() == Error::NoError)
                fail(Error::CannotInitPattern);
        }

        if (!entries_.empty()) {
            if (size() < requested) {
                char text[128];
                std::snprintf(text, sizeof text,
                              "Could only load %d of the %d fill patterns requested",
                              static_cast<int>(size()), static_cast<int>(requested));
                message(text);
            }
        } else if (solid_) {
            entries_.push_back(*solid_);
            message("Loading default solid fill pattern . . .");
        }
    } catch (const std::bad_alloc &) {
        fail(Error::MallocFailed);
    }
    if (sources_.trace_enabled && sources_.trace_enabled()) {
        std::fprintf(stderr, "Successfully loaded %d fill patterns\n", static_cast<int>(size()));
        std::fflush(stderr);
    }
    return !entries_.empty();
}

int32_t PatternTable::read_fill_file(FillEntryList &list) {
    FilePtr file(sources_.open_setting_file ? sources_.open_setting_file("MOLVERN_FILL") : nullptr);
    if (!file) {
        message("Cannot locate fill pattern file");
        return 0;
    }
    const int read = kdfill_read(&list, file.get());
    if (read < 0) {
        message("Corrupt or invalid fill pattern file");
        return 0;
    }
    return read;
}

void PatternTable::load_entry(const FillEntry &fill, int32_t number) {
    // Retrying reads the bitmap file again, so the user can repair it while
    // the question is on the screen.
    for (;;) {
        if (std::optional<PatternEntry> entry = make_pattern_entry(fill, sources_.create_bitmap)) {
            entries_.push_back(std::move(*entry));
            return;
        }
        char path[sizeof fill.path];
        copy_text(path, sizeof path, fill.path);
        char text[sizeof path + 64];
        std::snprintf(text, sizeof text, "Corrupted bitmap file %d : %s\n",
                      static_cast<int>(number), path);
        if (!sources_.show_message ||
            sources_.show_message(text, kCaption, MSG_QUESTION_ABORT_RETRY_IGNORE) !=
                MSG_RESULT_RETRY)
            return;
    }
}

PatternSources process_pattern_sources() {
    return {&gplot_get_filename,
            &vexl_displayMsg,
            [] { return debug_mode_active_for("colpat", "pattern", nullptr) != 0; },
            {}};
}

PatternTable &process_pattern_table() {
    static PatternTable table(process_pattern_sources());
    return table;
}

bool load_pattern_table() {
    return process_pattern_table().load();
}

const std::vector<PatternEntry> &pattern_table() {
    return process_pattern_table().entries();
}

const PatternEntry *default_solid_pattern() {
    return process_pattern_table().solid_pattern();
}

} // namespace vexl
