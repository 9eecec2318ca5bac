#pragma once

#include <string>

namespace kestrix {

// What the three windows share for the life of the process. The windows pass
// no arguments to each other; they meet here and in the settings store.
struct AppState {
    std::string PackageFile;
    std::string GameDir;
    std::string PackageDir;
    std::string CurrentDrive;
    std::string SavedGameDir;
    std::string SavedGameDrive;
    std::string SavedPackageDir;
    std::string SavedPackageDrive;
    std::string ManifestItem;
    std::string ItemPart;
    std::string ChosenPackage;
    std::string ManifestIniPath;
    std::string ManifestNewPath;
    std::string ManifestBakPath;
    std::string DeletePath;
    std::string ClipboardGameDir;
};

}  // namespace kestrix
