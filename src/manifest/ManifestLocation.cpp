#include "manifest/ManifestLocation.h"

#include <array>

namespace kestrix {

namespace {

constexpr std::string_view kIni = "system\\manifest.ini";
constexpr std::string_view kNew = "system\\manifest.new";
constexpr std::string_view kBak = "system\\manifest.bak";
constexpr std::string_view kInProgress = ".tmp";

std::string join(std::string_view gameDir, std::string_view name) {
    std::string path(gameDir);
    path.push_back('\\');
    path.append(name);
    return path;
}

}  // namespace

std::string ManifestLocation::iniPath(std::string_view gameDir) {
    return join(gameDir, kIni);
}

std::string ManifestLocation::newPath(std::string_view gameDir) {
    return join(gameDir, kNew);
}

std::string ManifestLocation::bakPath(std::string_view gameDir) {
    return join(gameDir, kBak);
}

std::string ManifestLocation::bakInProgressPath(std::string_view gameDir) {
    return bakPath(gameDir).append(kInProgress);
}

std::filesystem::path ManifestLocation::bakInProgressPath(
    const std::filesystem::path& hostBakPath) {
    return std::filesystem::path(hostBakPath) += kInProgress;
}

bool ManifestLocation::isManifestFile(std::string_view sameFileKey) {
    constexpr std::array names = {kIni, kNew, kBak};
    for (const std::string_view name : names) {
        if (sameFileKey == name) {
            return true;
        }
    }
    return sameFileKey.size() == kBak.size() + kInProgress.size() &&
           sameFileKey.starts_with(kBak) && sameFileKey.ends_with(kInProgress);
}

}  // namespace kestrix
