// Finding and reading the configuration file.
#ifndef VEXL33_SUPPORT_CONFIG_LOADER_H
#define VEXL33_SUPPORT_CONFIG_LOADER_H

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/config_file.h"

namespace vexl::config {

// A configuration file is a few kilobytes; anything above this is not one.
inline constexpr std::size_t kMaxConfigFileSize = 1024 * 1024;

// Where the configuration may live, in order of preference: the file named by
// MOLVERN_CONFIG, molvern.cfg beside the library module, and molvern.cfg in
// the user's molvern configuration directory. Places that cannot be named
// (variable unset or empty, directory unknown) are left out.
std::vector<std::string> config_file_candidates();

// Whole text of a regular file of at most kMaxConfigFileSize bytes; nothing
// when the path is not such a file or reading fails.
std::optional<std::string> read_config_file(const std::string &path);

// Every section of a loaded file also answers this name with the directory
// that holds the file (unless the file sets it itself), so a configuration
// shipped beside its data can name that data without an absolute path.
inline constexpr const char *kConfigDirName = "MOLVERN_CONFIG_DIR";

// The directory part of a file path ("." when there is none).
std::string config_directory_of(const std::string &path);

// Parses the first candidate that is an existing regular file. Null when there
// is none, or when that file cannot be read: a broken file the user chose is
// reported as no configuration rather than quietly replaced by another one.
std::shared_ptr<const ConfigData> load_first_config(const std::vector<std::string> &candidates);

} // namespace vexl::config

#endif // VEXL33_SUPPORT_CONFIG_LOADER_H
