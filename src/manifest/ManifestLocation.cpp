#include "manifest/ManifestLocation.h"

namespace kestrix {

std::string ManifestLocation::iniPath(std::string_view gameDir) {
    return std::string(gameDir) + "\\system\\manifest.ini";
}

std::string ManifestLocation::newPath(std::string_view gameDir) {
    return std::string(gameDir) + "\\system\\manifest.new";
}

std::string ManifestLocation::bakPath(std::string_view gameDir) {
    return std::string(gameDir) + "\\system\\manifest.bak";
}

}  // namespace kestrix
