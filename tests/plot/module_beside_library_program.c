/* An application in a folder of its own that loads vexl33.dll by its full
 * path (argv[1]) and asks it for the companion print module, which sits
 * beside the DLL and nowhere on the search path. Exits 0 when the module is
 * loaded and carries the print dialog template. */
#include <stdio.h>
#include <windows.h>

typedef int (*LoadEntry)(int kind);
typedef int (*StatusEntry)(void);

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s PATH-OF-vexl33.dll\n", argv[0]);
        return 2;
    }
    HMODULE library = LoadLibraryA(argv[1]);
    if (library == NULL) {
        fprintf(stderr, "cannot load %s\n", argv[1]);
        return 2;
    }
    LoadEntry load = (LoadEntry)(void (*)(void))GetProcAddress(library, "vexldll_load");
    StatusEntry status = (StatusEntry)(void (*)(void))GetProcAddress(library, "vexldll_loadStatus");
    if (load == NULL || status == NULL) {
        fprintf(stderr, "vexl33.dll lacks the loader entries\n");
        return 2;
    }
    if (load(3) != 1 || status() != 1) {
        fprintf(stderr, "the companion module beside vexl33.dll was not loaded\n");
        return 1;
    }
    HMODULE module = GetModuleHandleA("vexl");
    if (module == NULL ||
        FindResourceA(module, MAKEINTRESOURCEA(1538), (LPCSTR)RT_DIALOG) == NULL) {
        fprintf(stderr, "the loaded module has no print dialog template\n");
        return 1;
    }
    printf("companion module loaded from beside vexl33.dll\n");
    return 0;
}
