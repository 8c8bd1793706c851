/* Links against the installed library and reads its version; on Windows it
   also links the DLL's own calls through their header. */
#include <stdio.h>

#ifdef _WIN32
#include <gplot_win32.h>
#else
#include <gplot.h>
#endif

int main(void) {
#ifdef _WIN32
    /* Binds the DLL's own import; with no device context it draws nothing. */
    vexl_TextOut(NULL, 0, 0, "", 0);
#endif
    VexlVersion version = vexl_get_version();
    printf("%s\n", version.text);
    return version.text[0] == ' ' ? 0 : 1;
}
