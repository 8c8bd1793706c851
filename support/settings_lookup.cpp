#include "support/settings_lookup.h"

#include <cstring>

#include "support/integer_scan.h"
#include "support/rtk_config.h"

namespace vexl {

namespace {

constexpr const char *kContextName = "molvern";

// Closes an open context however the lookup ends.
class OpenContext {
  public:
    OpenContext(const ConfigServiceCalls &calls, GuiEnvContext *context)
        : calls_(calls), context_(context) {}
    ~OpenContext() {
        if (context_)
            calls_.close(context_, 0);
    }
    OpenContext(const OpenContext &) = delete;
    OpenContext &operator=(const OpenContext &) = delete;

    GuiEnvContext *get() const { return context_; }

  private:
    const ConfigServiceCalls &calls_;
    GuiEnvContext *context_;
};

} // namespace

ConfigServiceCalls default_config_service() {
    return {gui_env_init, gui_env_open, gui_env_get_kd_and_expand, gui_env_close};
}

int SettingsLookup::lookup(const char *name, char *buffer) {
    if (!name || !buffer)
        return 0;

    if (const char *value = rtk_getenv(name)) {
        std::size_t length = std::strlen(value);
        // A cut value would name the wrong file or number; refuse it.
        if (length >= kSettingBufferSize)
            return 0;
        std::memcpy(buffer, value, length + 1);
        return 1;
    }

    if (!initialised_) {
        if (calls_.init() == 0)
            return 0; // the next miss tries again
        initialised_ = true;
    }

    OpenContext context(calls_, calls_.open(kContextName, 0));
    if (!context.get())
        return 0;
    return calls_.get_and_expand(context.get(), name, buffer, kConfigValueLimit) == 0 ? 1 : 0;
}

int lookup_setting(const char *name, char *buffer) {
    static SettingsLookup process_lookup;
    return process_lookup.lookup(name, buffer);
}

std::optional<int32_t> integer_setting(const char *name, const SettingLookup &lookup) {
    char value[kSettingBufferSize] = {};
    if (!lookup(name, value))
        return std::nullopt;
    return scan_integer(value).saturated_int32();
}

} // namespace vexl
