#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

class DriveTable;

// The installed packages that a manifest records: the names of its section
// headers in the order of the file, duplicates kept, the game's own sections
// and headers that name nothing left out.
std::vector<std::string> listPackages(std::string_view manifest);

// The same for the manifest of a game folder, GameDir + "\system\manifest.ini".
// A missing manifest raises FileNotFound, a drive that is not ready
// DeviceUnavailable.
std::vector<std::string> listPackages(const std::string& gameDir, const DriveTable& drives);

}  // namespace kestrix
