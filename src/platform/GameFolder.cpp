#include "platform/GameFolder.h"

#include <system_error>

#include "platform/WindowsPath.h"

namespace kestrix {

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool hasSetupTool(const fs::path& system) {
    std::error_code error;
    for (fs::directory_iterator entry(system, error), end; !error && entry != end;
         entry.increment(error)) {
        if (WindowsPath::foldCase(entry->path().filename().string()) == "setup.exe") {
            return true;
        }
    }
    return false;
}

}  // namespace

bool GameFolder::isNativeLinuxBuild(const fs::path& hostGameFolder) {
    std::error_code error;
    const bool linuxPrograms = (isFile(hostGameFolder / "System64" / "ut-bin-amd64") &&
                                isFile(hostGameFolder / "System64" / "ucc-bin-amd64")) ||
                               fs::is_directory(hostGameFolder / "SystemARM64", error) ||
                               isFile(hostGameFolder / "System" / "ut-bin");
    return linuxPrograms && !hasSetupTool(hostGameFolder / "System");
}

}  // namespace kestrix
