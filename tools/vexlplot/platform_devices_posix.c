/* Without a window system of the library's, only the portable kinds and no
 * printing. */
#include "devices.h"

const DeviceKind *platform_device_kinds(int *count) {
    *count = 0;
    return NULL;
}

int print_text_file(const char *file, const char *copy) {
    (void)copy;
    fprintf(stderr, "vexlplot: printing %s needs the Windows build\n", file);
    return 0;
}
