/* Links against the installed library and reads its version. */
#include <stdio.h>

#include <gplot.h>

int main(void) {
    VexlVersion version = vexl_get_version();
    printf("%s\n", version.text);
    return version.text[0] == ' ' ? 0 : 1;
}
