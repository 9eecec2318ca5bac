#include "platform/posix/WinePrefix.h"

#include <cstdlib>
#include <system_error>

namespace kestrix {

namespace fs = std::filesystem;

std::optional<fs::path> WinePrefix::containing(const fs::path& hostPath) {
    for (fs::path folder = fs::absolute(hostPath).lexically_normal();;
         folder = folder.parent_path()) {
        std::error_code error;
        if (fs::is_directory(folder / "drive_c", error) &&
            fs::is_regular_file(folder / "system.reg", error)) {
            return folder;
        }
        if (folder == folder.parent_path()) {
            return std::nullopt;
        }
    }
}

fs::path WinePrefix::standard() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') {
        return prefix;
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : "") / ".wine";
}

}  // namespace kestrix
