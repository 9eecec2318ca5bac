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

}  // namespace kestrix
