#include "support/rtk_config.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "support/config_file.h"
#include "support/config_loader.h"

// An open context keeps the data it was opened on alive, so a later
// gui_env_init that replaces the loaded file cannot pull it from under it.
struct GuiEnvContext {
    std::shared_ptr<const vexl::config::ConfigData> data;
    const vexl::config::Section *section;
};

namespace {

// The loaded configuration of the process; null until gui_env_init succeeds.
std::shared_ptr<const vexl::config::ConfigData> &loaded_config() {
    static std::shared_ptr<const vexl::config::ConfigData> data;
    return data;
}

// Longest result gui_env_expand_str hands out.
constexpr std::size_t kExpandedPathLimit = 255;

// References deeper than this are taken as a cycle and expand to nothing.
constexpr int kMaxReferenceDepth = 8;

// What a reference in a value or a path names: the process environment
// first, then the setting of that name in the "molvern" context, itself
// expanded, so one setting (MOLVERN_DIR, say) can anchor the others.
std::optional<std::string> resolve_reference(const std::string &name, int depth) {
    if (const char *value = rtk_getenv(name.c_str()))
        return std::string(value);
    const auto &data = loaded_config();
    if (!data || depth >= kMaxReferenceDepth)
        return std::nullopt;
    const std::string *raw = vexl::config::find_value(*data, "molvern", name);
    if (raw == nullptr)
        return std::nullopt;
    return vexl::config::expand_references(
        *raw, [depth](const std::string &inner) { return resolve_reference(inner, depth + 1); },
        vexl::config::kMaxConfigFileSize);
}

std::optional<std::string> reference_value(const std::string &name) {
    return resolve_reference(name, 0);
}

} // namespace

const char *rtk_getenv(const char *name) {
    return name ? std::getenv(name) : nullptr;
}

int gui_env_init() {
    try {
        loaded_config() = vexl::config::load_first_config(vexl::config::config_file_candidates());
    } catch (const std::bad_alloc &) {
        loaded_config().reset();
    }
    return loaded_config() ? 1 : 0;
}

GuiEnvContext *gui_env_open(const char *context_name, int /*flags*/) {
    const auto &data = loaded_config();
    if (!data || !context_name)
        return nullptr;
    auto section = data->find(context_name);
    if (section == data->end())
        return nullptr;
    return new (std::nothrow) GuiEnvContext{data, &section->second};
}

int gui_env_get_kd_and_expand(GuiEnvContext *context, const char *name, char *buffer,
                              std::size_t limit) {
    if (!buffer)
        return 1;
    buffer[0] = '\0';
    if (!context || !name)
        return 1;
    try {
        auto found = context->section->find(name);
        if (found == context->section->end())
            return 1;
        std::optional<std::string> value =
            vexl::config::expand_references(found->second, reference_value, limit);
        if (!value)
            return 2; // longer than the caller's limit
        std::memcpy(buffer, value->c_str(), value->size() + 1);
        return 0;
    } catch (const std::bad_alloc &) {
        return 1;
    }
}

int gui_env_close(GuiEnvContext *context, int /*flags*/) {
    if (!context)
        return 0;
    delete context;
    return 1;
}

int gui_env_expand_str(const char *text, char *out, std::size_t out_size) {
    if (!out || out_size == 0)
        return 0;
    out[0] = '\0';
    if (!text)
        return 0;
    std::size_t limit = std::min(kExpandedPathLimit, out_size - 1);
    try {
        std::optional<std::string> value =
            vexl::config::expand_references(text, reference_value, limit);
        if (!value)
            return 0;
        std::memcpy(out, value->c_str(), value->size() + 1);
        return 1;
    } catch (const std::bad_alloc &) {
        return 0;
    }
}
