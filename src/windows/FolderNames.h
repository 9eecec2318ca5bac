#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FolderEntries.h"

namespace kestrix {

class DriveTable;

// One name of a folder's listing as the classic lists show it.
struct FolderName {
    // The Windows text of the name (in the code page, as every path of the
    // program), or, when the code page cannot write the name, its description
    // with each missing character spelled as its number ("<U+0416>"): such a
    // name is shown for what it is, but no path may be made from it.
    std::string text;
    bool hasWindowsText = true;
    // As the host spells it, so that a name without a Windows text can still
    // be reported by its place on disk.
    std::filesystem::path hostName;
};

// The names of a folder's sub-folders or files as the classic lists show
// them: hidden ones left out (on Linux a leading dot hides a name, as the
// hidden attribute does on Windows), in Windows' name order, which ignores
// letter case. A folder that cannot be read lists nothing.
std::vector<FolderName> visibleNames(const DriveTable& drives, const std::filesystem::path& folder,
                                     EntryType type);

}  // namespace kestrix
