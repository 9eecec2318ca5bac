#include "platform/GameFolder.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <string>
#include <system_error>

namespace kestrix {

namespace fs = std::filesystem;

namespace {

bool isThere(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool equalsIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// Windows finds System\Setup.exe in any letter case, and so must this check:
// a copy unpacked from a Windows disc may spell it "SETUP.EXE".
bool holdsSetupTool(const fs::path& gameFolder) {
    std::error_code error;
    for (fs::directory_iterator folder(gameFolder, error), end; !error && folder != end;
         folder.increment(error)) {
        if (!equalsIgnoringAsciiCase(folder->path().filename().string(), "System")) {
            continue;
        }
        std::error_code inner;
        for (fs::directory_iterator file(folder->path(), inner); !inner && file != end;
             file.increment(inner)) {
            if (equalsIgnoringAsciiCase(file->path().filename().string(), "Setup.exe")) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool GameFolder::isNativeLinuxBuild(const fs::path& hostGameFolder) {
    // The programs that the patch's Linux installs ship, for each processor.
    static const std::array<const char*, 4> linuxPrograms = {
        "System64/ut-bin-amd64", "System64/ucc-bin-amd64", "SystemARM64", "System/ut-bin"};
    return std::any_of(linuxPrograms.begin(), linuxPrograms.end(),
                       [&](const char* program) { return isThere(hostGameFolder / program); }) &&
           !holdsSetupTool(hostGameFolder);
}

fs::path GameFolder::playerSettingsFolder() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        return {};
    }
    return fs::path(home) / ".utpg" / "System";
}

}  // namespace kestrix
