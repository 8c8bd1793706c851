// Drawing and measuring TrueType text on a GDI device context. The text is
// handed to GDI line by line as pointer and length, so it is never copied:
// there is no buffer to run out of and no length limit beyond GDI's own.
#include "fonts/gdi_text_win32.h"

#include <climits>
#include <cstring>
#include <vector>

#include "plot/gplot_win32.h"
#include "support/int32_conversions.h"

namespace vexl {

namespace {

// Bottom alignment: the point given is the bottom left of the text.
constexpr UINT kBottomLeft = TA_BOTTOM | TA_LEFT;

// GDI counts characters in an int; the wrappers take an unsigned count.
unsigned gdi_count(std::size_t length) {
    return length > UINT_MAX ? UINT_MAX : static_cast<unsigned>(length);
}

const char *face_of(const GFontTable *table) {
    return table != nullptr ? table->name : nullptr;
}

} // namespace

LOGFONTA to_logfont(const GdiFontRequest &request) {
    LOGFONTA font{};
    font.lfHeight = request.height;
    font.lfEscapement = request.escapement;
    font.lfWeight = request.weight;
    font.lfItalic = request.italic;
    font.lfOutPrecision = request.out_precision;
    font.lfClipPrecision = request.clip_precision;
    font.lfQuality = request.quality;
    static_assert(sizeof font.lfFaceName == kGdiFaceNameBytes);
    std::memcpy(font.lfFaceName, request.face, kGdiFaceNameBytes);
    return font;
}

SelectedGdiFont::SelectedGdiFont(HDC dc, const GdiFontRequest &request) : dc_(dc), font_(nullptr) {
    const LOGFONTA font = to_logfont(request);
    font_ = CreateFontIndirectA(&font);
    if (font_ == nullptr)
        return;
    previous_ = SelectObject(dc_, font_);
    if (previous_ == nullptr || previous_ == HGDI_ERROR) {
        previous_ = nullptr;
        return;
    }
    SetTextAlign(dc_, kBottomLeft);
}

SelectedGdiFont::~SelectedGdiFont() {
    if (previous_ != nullptr)
        SelectObject(dc_, previous_);
    if (font_ != nullptr)
        DeleteObject(font_);
}

int32_t gdi_line_width(HDC dc, const char *text, std::size_t length) {
    SIZE size{};
    if (!vexl_GetTextExtentPoint32(dc, text, gdi_count(length), &size))
        return 0;
    return size.cx;
}

int write_gdi_text(GXWINbase &device, HDC dc, const GFontTable *table, const WorldPointS &position,
                   int32_t height, double angle, const char *text) {
    GPlot *plot = device.plot;
    if (text == nullptr || text[0] == '\0' || height == 0 || plot->device_kind == GPLOT_HPGL2)
        return 1;
    const int32_t size = gttfont_worldToPointSize(plot, const_cast<GFontTable *>(table), height);
    if (size < 1) {
        device.draw_point_device(device.world_to_device(position));
        return 1;
    }
    const SelectedGdiFont font(dc, gdi_text_font(face_of(table), size, angle));
    if (!font.ok())
        return 0;

    const std::size_t length = std::strlen(text);
    const auto text_out = [&](const WorldPointS &at, const TextLine &line) {
        const DevicePointS p = device.world_to_device(at);
        return vexl_TextOut(dc, p.x, p.y, text + line.begin, gdi_count(line.length));
    };
    // One line has nothing to line up with: no need to measure it.
    if (std::memchr(text, '\n', length) == nullptr)
        return text_out(position, {0, length});

    const std::vector<TextLine> lines = split_text_lines(text, length);
    const auto width = [dc](const char *line, std::size_t n) {
        return gdi_line_width(dc, line, n);
    };
    const int32_t widest = widest_line_width(text, lines, width);

    const int32_t justification = plot->justification;
    // A shift in pixels is a world distance along x; measured from the
    // device origin so that it does not depend on where the line is.
    const WorldPointS world_origin = device.device_to_world({0, 0});
    int result = 1;
    for (std::size_t i = 0; i < lines.size() && result != 0; ++i) {
        int32_t shift_world = 0;
        if (justification == 2 || justification == 3) {
            const int32_t shift = justification_shift(
                justification, widest, width(text + lines[i].begin, lines[i].length));
            const WorldPointS shifted = device.device_to_world({shift, 0});
            shift_world = saturate_to_int32(int64_t{shifted.x} - world_origin.x);
        }
        result = text_out(line_start(position, i, height, shift_world, angle), lines[i]);
    }
    return result;
}

GdiTextExtent measure_gdi_text(HDC dc, const GFontTable *table, int32_t size, const char *text) {
    GdiTextExtent extent;
    const SelectedGdiFont font(dc, gdi_text_font(face_of(table), size, 0.0));
    extent.empty = text == nullptr || text[0] == '\0';
    // An empty text is still one line of the font: measured as "gM".
    const char *measured = extent.empty ? "gM" : text;
    const std::size_t length = std::strlen(measured);
    const std::vector<TextLine> lines = split_text_lines(measured, length);
    extent.lines = lines.size();
    extent.widest = widest_line_width(measured, lines, [dc](const char *line, std::size_t n) {
        return gdi_line_width(dc, line, n);
    });
    return extent;
}

} // namespace vexl
