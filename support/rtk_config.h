// Configuration services of the companion support library.
//
// Settings live in INI files; the first that exists of: the file named by the
// environment variable MOLVERN_CONFIG, molvern.cfg beside the library module,
// and the per-user molvern/molvern.cfg. A context is a [section]. Values may
// refer to other names as ${NAME} or %NAME%: a process environment variable
// of that name, else the setting of that name in the "molvern" context, else
// nothing. Every section also knows MOLVERN_CONFIG_DIR, the directory of the
// file it was read from. A value whose expansion exceeds the caller's limit is
// refused, never truncated.
#ifndef VEXL33_SUPPORT_RTK_CONFIG_H
#define VEXL33_SUPPORT_RTK_CONFIG_H

#include <cstddef>

struct GuiEnvContext;

// Process environment value, or null.
const char *rtk_getenv(const char *name);

// Finds and reads the configuration file. Non-zero when a file was read; 0
// when none exists or it cannot be read, in which case a later call tries again.
int gui_env_init();

// Opens the named context; null when the service is not initialised or has
// no such section. Close with gui_env_close.
GuiEnvContext *gui_env_open(const char *context_name, int flags);

// Looks name up in the context and writes its expanded value (at most limit
// characters plus the terminating zero) into buffer. 0 means found; non-zero
// means absent, or refused because the expansion is longer than limit.
int gui_env_get_kd_and_expand(GuiEnvContext *context, const char *name, char *buffer,
                              std::size_t limit);

// Releases a context from gui_env_open: 1 when one was closed, 0 for null.
int gui_env_close(GuiEnvContext *context, int flags);

// Expands environment references inside text into out. Non-zero on success;
// 0 (out empty) when the result would exceed 255 characters or out_size.
int gui_env_expand_str(const char *text, char *out, std::size_t out_size);

#endif // VEXL33_SUPPORT_RTK_CONFIG_H
