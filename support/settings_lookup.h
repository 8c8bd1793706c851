// Looking a setting up: process environment first, then the "molvern"
// context of the configuration service.
#ifndef VEXL33_SUPPORT_SETTINGS_LOOKUP_H
#define VEXL33_SUPPORT_SETTINGS_LOOKUP_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

struct GuiEnvContext;

namespace vexl {

// Callers hand buffers of this size (and no smaller).
inline constexpr std::size_t kSettingBufferSize = 260;
// Longest value the configuration service hands out.
inline constexpr std::size_t kConfigValueLimit = 256;

// 1 and the value in buffer (kSettingBufferSize bytes) when name is found,
// else 0. An empty process-environment value counts as found. A process value
// too long for the buffer is refused (0) rather than cut. The configuration
// service is initialised on the first miss and again on every miss until an
// initialisation succeeds.
int lookup_setting(const char *name, char *buffer);

// A lookup with the contract of lookup_setting. Whatever reads settings takes
// one, so tests can hand in their own.
using SettingLookup = std::function<int(const char *name, char *buffer)>;

// A setting read as atoi reads it (leading blanks, a sign, digits; anything
// else ends the number, no digits give 0), but held at the int32 limits
// instead of overflowing; nothing when the setting is not set at all.
std::optional<int32_t> integer_setting(const char *name,
                                       const SettingLookup &lookup = lookup_setting);

// The configuration-service calls a lookup goes through; tests substitute
// their own.
struct ConfigServiceCalls {
    int (*init)();
    GuiEnvContext *(*open)(const char *context_name, int flags);
    int (*get_and_expand)(GuiEnvContext *context, const char *name, char *buffer,
                          std::size_t limit);
    int (*close)(GuiEnvContext *context, int flags);
};

// The companion library's own configuration service.
ConfigServiceCalls default_config_service();

// The lookup behind lookup_setting, with the "service initialised" memory as
// its own state: lookup_setting uses one instance for the whole process.
class SettingsLookup {
  public:
    explicit SettingsLookup(const ConfigServiceCalls &calls = default_config_service())
        : calls_(calls) {}

    int lookup(const char *name, char *buffer);
    bool service_initialised() const { return initialised_; }

  private:
    ConfigServiceCalls calls_;
    bool initialised_ = false;
};

} // namespace vexl

#endif // VEXL33_SUPPORT_SETTINGS_LOOKUP_H
