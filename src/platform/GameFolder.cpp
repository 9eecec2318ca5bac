#include "platform/GameFolder.h"

#include <string_view>
#include <system_error>

namespace kestrix {

namespace fs = std::filesystem;

namespace {

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Compared in the host's own characters: a name that the code page cannot
// write must not raise here.
bool isSetupTool(const fs::path::string_type& name) {
    constexpr std::string_view setup = "setup.exe";
    if (name.size() != setup.size()) {
        return false;
    }
    for (std::size_t i = 0; i < setup.size(); ++i) {
        const auto c = name[i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != setup[i]) {
            return false;
        }
    }
    return true;
}

bool hasSetupTool(const fs::path& system) {
    std::error_code error;
    for (fs::directory_iterator entry(system, error), end; !error && entry != end;
         entry.increment(error)) {
        if (isSetupTool(entry->path().filename().native())) {
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
