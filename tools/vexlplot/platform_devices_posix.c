/* Without a window system of the library's, only the portable kinds. */
#include "devices.h"

const DeviceKind *platform_device_kinds(int *count) {
    *count = 0;
    return NULL;
}
