#pragma once

#include <string>
#include <string_view>

namespace kestrix {

// Where a game folder keeps its manifest, as Windows texts joined as they
// stand: a game folder at a drive root ("C:\") gives doubled separators, which
// the drive table reads as one.
class ManifestLocation {
public:
    static std::string iniPath(std::string_view gameDir);
    static std::string newPath(std::string_view gameDir);
    static std::string bakPath(std::string_view gameDir);
};

}  // namespace kestrix
