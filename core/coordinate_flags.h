// The process-wide coordinate switch shared by every plot.
//
// Whether a plot's world window fits its device is not here: that belongs to
// each plot (GXWINbase::world_out_of_range), since one plot's world window
// says nothing about another's.
#ifndef VEXL33_CORE_COORDINATE_FLAGS_H
#define VEXL33_CORE_COORDINATE_FLAGS_H

namespace vexl {

// When set, line widths are given in world units and scaled by the device.
extern bool world_units_on;

} // namespace vexl

#endif // VEXL33_CORE_COORDINATE_FLAGS_H
