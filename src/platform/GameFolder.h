#pragma once

#include <filesystem>

namespace kestrix {

// What kind of game installation a folder holds.
class GameFolder {
public:
    // The game's native Linux build with no setup tool of its own: no
    // System\Setup.exe (in any letter case), but the Linux programs of the
    // patched game (System64/ut-bin-amd64 with ucc-bin-amd64, or a
    // SystemARM64 folder) or of the older releases (System/ut-bin). Such a
    // folder has nothing to hand a package to. Never raises: a folder that
    // cannot be looked at is no native build.
    static bool isNativeLinuxBuild(const std::filesystem::path& hostGameFolder);
};

}  // namespace kestrix
