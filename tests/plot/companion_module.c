/* A stand-in for the companion print module: counts the calls of its print
 * entry and remembers the table it was handed. */
#ifdef _WIN32
#define MODULE_EXPORT __declspec(dllexport)
#else
#define MODULE_EXPORT __attribute__((visibility("default")))
#endif

static int print_init_calls = 0;
static void *last_table = 0;

MODULE_EXPORT void DllPrintInit(void *table) {
    ++print_init_calls;
    last_table = table;
}

MODULE_EXPORT int test_module_print_init_calls(void) {
    return print_init_calls;
}

MODULE_EXPORT void *test_module_last_table(void) {
    return last_table;
}
