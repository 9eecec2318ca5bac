#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/CodePage.h"

namespace kestrix {

class DriveTable;

// The installed packages that a manifest's bytes record: the names of its
// section headers in the order of the file, duplicates kept, the game's own
// sections and groups (GameGroups) and headers that name nothing left out.
// Names are code page texts, as the window shows them (ManifestEncoding).
std::vector<std::string> listPackages(std::string_view manifest,
                                      const CodePage& codePage = CodePage::system());

// The same for the manifest of a game folder, GameDir + "\system\manifest.ini".
// A missing manifest raises FileNotFound, a drive that is not ready
// DeviceUnavailable.
std::vector<std::string> listPackages(const std::string& gameDir, const DriveTable& drives);

}  // namespace kestrix
