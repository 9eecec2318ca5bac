#include "windows/LaunchMessage.h"

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

namespace kestrix {

std::string LaunchMessage::of(const PlatformError& error) {
    // A setup tool that is not there means the game folder chosen is not the
    // game's: the classic program's hint points the user back to it.
    if (error.number() == ErrorNumber::FileNotFound) {
        return "Make sure you have your Main UT Directory Selected.";
    }
    return error.description();
}

std::string LaunchMessage::nativeLinuxGame() {
    return "This copy of the game is its native Linux version, which has no setup tool "
           "(System\\Setup.exe): only the Windows version of the game ships one, and KESTRIX "
           "installs umods through it.";
}

std::string LaunchMessage::clipboardNotSet(const std::string& why, const std::string& gameDir) {
    return "The setup tool has started, but the game folder could not be put on the clipboard (" +
           why + "): type " + gameDir + " where it asks for it.";
}

}  // namespace kestrix
