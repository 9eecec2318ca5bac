#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/FolderEntries.h"

namespace kestrix {

// folderEntryNames' own reading, which tells a folder that cannot be read
// (nothing) from an empty one.
std::optional<std::vector<std::filesystem::path>> readFolderEntries(
    const std::filesystem::path& folder, EntryType type);

}  // namespace kestrix
