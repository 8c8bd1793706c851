// The companion library's own debug selector.
#ifndef VEXL33_SUPPORT_RTK_DEBUG_H
#define VEXL33_SUPPORT_RTK_DEBUG_H

// Non-zero when the setting named variable (normally MOLVERN_DEBUG_MODE)
// equals one of the keys; null keys are skipped. Looked up on every call.
int is_debug_mode_active_for(const char *variable, const char *key1, const char *key2,
                             const char *key3);

#endif // VEXL33_SUPPORT_RTK_DEBUG_H
