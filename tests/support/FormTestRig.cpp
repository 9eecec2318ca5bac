#include "support/FormTestRig.h"

#include <fstream>

namespace kestrix {

FormTestRig::FormTestRig() {
    const std::filesystem::path base = root.path().toStdString();
    std::filesystem::create_directories(base / "c" / "cwd");
    std::filesystem::create_directories(base / "d");
    drives = std::make_unique<DriveTable>(
        std::vector<Drive>{{'C', base / "c"}, {'D', base / "d"}, {'X', base / "missing"}},
        base / "c" / "cwd");
    settings = std::make_unique<QtSettingsStore>(root.filePath("settings.ini"));
    module = std::make_unique<Module1>(
        PlatformServices{*settings, messageBox, clipboard, processLauncher, *drives, files},
        [this](int exitCode) { quitCodes.push_back(exitCode); });
    forms = std::make_unique<Forms>(*module);
}

std::string FormTestRig::makeFolder(const std::string& windowsPath) {
    std::filesystem::create_directories(host(windowsPath));
    return windowsPath;
}

void FormTestRig::makeFile(const std::string& windowsPath, const std::string& content) {
    const std::filesystem::path file = host(windowsPath);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

std::filesystem::path FormTestRig::host(const std::string& windowsPath) const {
    return drives->toHost(windowsPath);
}

}  // namespace kestrix
