#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FolderEntries.h"

namespace kestrix {

// The names of a folder's sub-folders or files as the classic lists show
// them: hidden ones left out (on Linux a leading dot hides a name, as the
// hidden attribute does on Windows), in Windows' name order, which ignores
// letter case. A folder that cannot be read lists nothing.
std::vector<std::string> visibleNames(const std::filesystem::path& folder, EntryType type);

}  // namespace kestrix
