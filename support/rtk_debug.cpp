#include "support/rtk_debug.h"

#include <cstring>
#include <initializer_list>

#include "support/settings_lookup.h"

int is_debug_mode_active_for(const char *variable, const char *key1, const char *key2,
                             const char *key3) {
    char value[vexl::kSettingBufferSize];
    if (!variable || !vexl::lookup_setting(variable, value))
        return 0;
    for (const char *key : {key1, key2, key3}) {
        if (key && std::strcmp(value, key) == 0)
            return 1;
    }
    return 0;
}
