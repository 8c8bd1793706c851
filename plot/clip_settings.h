// The clipping settings a plot reads when it is opened, before its device
// exists: whether the interface clips in world coordinates for this kind of
// output, and if so how arcs are treated.
#ifndef VEXL33_PLOT_CLIP_SETTINGS_H
#define VEXL33_PLOT_CLIP_SETTINGS_H

#include <cstdint>

#include "plot/gplot.h"
#include "support/settings_lookup.h"

namespace vexl {

struct ClipSettings {
    int32_t clip_mode = 0;    // world-level clipping on (1) or off (0)
    int32_t arc_clipping = 0; // arcs may become clipped poly-lines
    int32_t arc_step = 0;     // steps per full circle; 0 or less: automatic
};

// MOLVERN_CLIPPING lists the kinds that clip (tokens separated by tab, '|',
// ';', ',' or space, matched exactly); only when it turns clipping on for
// this kind are MOLVERN_ARC_CLIPPING and MOLVERN_ARC_STEPVALUE consulted.
ClipSettings read_clip_settings(int kind, const SettingLookup &lookup = lookup_setting);

} // namespace vexl

#endif // VEXL33_PLOT_CLIP_SETTINGS_H
