// Storage of the process-wide coordinate switch.
#include "core/coordinate_flags.h"

namespace vexl {

bool world_units_on = false;

} // namespace vexl
