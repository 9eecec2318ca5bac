#pragma once

#include <filesystem>

namespace kestrix {

// What a game folder on the host holds, beyond what its Windows paths say.
class GameFolder {
public:
    // The game's native Linux build (the community patch's Linux install):
    // its Linux programs are there and the Windows setup tool is not, so
    // packages cannot be handed to that tool.
    static bool isNativeLinuxBuild(const std::filesystem::path& hostGameFolder);
};

}  // namespace kestrix
