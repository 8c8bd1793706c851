#include "support/config_loader.h"

#include <sys/stat.h>

#include "support/platform.h"
#include "support/rtk_config.h"
#include "support/rtk_dirs.h"
#include "support/rtk_files.h"

namespace vexl::config {

namespace {

constexpr const char *kConfigFileName = "molvern.cfg";

bool is_regular_file(const std::string &path) {
    return gfile_type(path.c_str()) == S_IFREG;
}

} // namespace

std::vector<std::string> config_file_candidates() {
    std::vector<std::string> candidates;
    const std::string separator(1, platform::path_separator());

    const char *named = rtk_getenv("MOLVERN_CONFIG");
    if (named && *named)
        candidates.emplace_back(named);
    std::string library = platform::library_directory();
    if (!library.empty())
        candidates.push_back(library + separator + kConfigFileName);
    std::string user = platform::user_config_directory();
    if (!user.empty())
        candidates.push_back(user + separator + "molvern" + separator + kConfigFileName);
    return candidates;
}

std::optional<std::string> read_config_file(const std::string &path) {
    if (!is_regular_file(path))
        return std::nullopt;
    FilePtr file(rtk_fopen(path.c_str(), "rb"));
    if (!file)
        return std::nullopt;

    std::string text;
    char chunk[8192];
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        if (got > kMaxConfigFileSize - text.size())
            return std::nullopt;
        text.append(chunk, got);
        if (got < sizeof chunk)
            break;
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    return text;
}

std::string config_directory_of(const std::string &path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::shared_ptr<const ConfigData> load_first_config(const std::vector<std::string> &candidates) {
    for (const std::string &path : candidates) {
        if (!is_regular_file(path))
            continue;
        std::optional<std::string> text = read_config_file(path);
        if (!text)
            return nullptr;
        ConfigData data = parse_config(*text);
        const std::string directory = config_directory_of(path);
        for (auto &section : data)
            section.second.emplace(kConfigDirName, directory); // unless the file sets it
        return std::make_shared<const ConfigData>(std::move(data));
    }
    return nullptr;
}

} // namespace vexl::config
