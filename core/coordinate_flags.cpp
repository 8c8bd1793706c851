// Storage of the process-wide coordinate switches.
#include "core/coordinate_flags.h"

namespace vexl {

int world_out_of_range = 0;
bool world_units_on = false;

} // namespace vexl
