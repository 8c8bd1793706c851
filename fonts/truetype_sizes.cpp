// Text heights between world units, device pixels and font sizes. Each scale
// is formed as a double quotient first and then applied, so the results do
// not depend on the size of the operands.
#include "core/c_boundary.h"
#include "core/errors.h"
#include "core/gxwin_base.h"
#include "plot/gplot.h"
#include "support/rtk_math.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72.0;

double world_width(const GPlot &plot) {
    return static_cast<double>(plot.world[2]) - plot.world[0];
}

double world_height(const GPlot &plot) {
    return static_cast<double>(plot.world[3]) - plot.world[1];
}

// The extent's left edge is the device origin, so its right x is the width.
double device_width(const GPlot &plot) {
    return plot.device_extent[2];
}

// Bottom minus top: device y grows downwards.
double device_height(const GPlot &plot) {
    return static_cast<double>(plot.device_extent[1]) - plot.device_extent[3];
}

// A plot without its device has no extent to convert with: code 1, like
// every other call on it, so a 0 from a conversion is never a silent one.
bool unusable(const GPlot *plot) {
    return plot == nullptr || plot->device == nullptr;
}

double inches_per_unit(DBUnitCode units) {
    switch (units) {
        case DB_UNIT_MIL:
            return 0.001;
        case DB_UNIT_INCH:
            return 1.0;
        case DB_UNIT_MICROMETRE:
            return 0.0000393700787;
        case DB_UNIT_MILLIMETRE:
            return 0.0393700787;
        case DB_UNIT_CENTIMETRE:
            return 0.393700787;
    }
    return 1.0;
}

} // namespace

extern "C" {

VEXL_API int gttfont_worldToDeviceWidth(GPlot *plot, int width) VEXL_TRY {
    if (unusable(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return gmath_kdround(device_width(*plot) / world_width(*plot) * width);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont_worldToDeviceHeight(GPlot *plot, int height) VEXL_TRY {
    if (unusable(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return gmath_kdround(device_height(*plot) / world_height(*plot) * height);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont_deviceToWorldWidth(GPlot *plot, int pixels) VEXL_TRY {
    if (unusable(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return gmath_kdround(world_width(*plot) / device_width(*plot) * pixels);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont_deviceToWorldHeight(GPlot *plot, int pixels) VEXL_TRY {
    if (unusable(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    return gmath_kdround(world_height(*plot) / device_height(*plot) * pixels);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont_worldToPointSize(GPlot *plot, GFontTable *, int height) VEXL_TRY {
    if (unusable(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    if (height < 1)
        return 0;
    const int pixels = gttfont_worldToDeviceHeight(plot, height);
    const double inches = pixels / plot->device->pixels_per_mm_y / kMillimetresPerInch;
    // The device knows what a font size means for it (points, pixels, ...).
    return gmath_kdround(plot->device->inches_to_font_height(inches));
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont_pointSizeToWorld(GPlot *plot, GFontTable *, int point_size) VEXL_TRY {
    if (unusable(plot))
        return vexl::fail(vexl::Error::InvalidPlot);
    if (point_size < 1)
        return 0;
    const int pixels = gmath_kdround(plot->device->pixels_per_mm_y *
                                     (point_size / kPointsPerInch * kMillimetresPerInch));
    return gttfont_deviceToWorldHeight(plot, pixels);
}
VEXL_CATCH_RETURN(0)

VEXL_API int gttfont_db_worldToPointSize(GFontTable *, DBUnitCode units, double scale,
                                         int height) VEXL_TRY {
    return gmath_kdround(height * scale * inches_per_unit(units) * kPointsPerInch);
}
VEXL_CATCH_RETURN(0)

} // extern "C"
