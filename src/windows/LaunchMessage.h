#pragma once

#include <string>

namespace kestrix {

class PlatformError;

// What the installer tells the user when the setup tool cannot be started.
class LaunchMessage {
public:
    static std::string of(const PlatformError& error);
    // The game folder holds the game's native Linux version, which has no
    // setup tool to start.
    static std::string nativeLinuxGame();
    // The tool has started, but the clipboard, held by another program,
    // could not be given the game folder.
    static std::string clipboardNotSet(const std::string& why, const std::string& gameDir);
};

}  // namespace kestrix
