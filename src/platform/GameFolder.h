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

    // Where the native game keeps the player's own settings files
    // (UnrealTournament.ini, User.ini): ~/.utpg/System. Empty where there is
    // no home folder to find it in.
    static std::filesystem::path playerSettingsFolder();
};

}  // namespace kestrix
