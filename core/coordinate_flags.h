// The two process-wide coordinate switches shared by every plot.
#ifndef VEXL33_CORE_COORDINATE_FLAGS_H
#define VEXL33_CORE_COORDINATE_FLAGS_H

namespace vexl {

// 1 when the last world window, world clip rectangle or arc that a device
// set or drew had a corner (or start point or centre) beyond the device's
// integer range; the interface then clips in world coordinates.
extern int world_out_of_range;

// When set, line widths are given in world units and scaled by the device.
extern bool world_units_on;

} // namespace vexl

#endif // VEXL33_CORE_COORDINATE_FLAGS_H
