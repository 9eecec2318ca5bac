#pragma once

#include <string>

namespace kestrix {

class PlatformError;

// What the installer tells the user when the setup tool cannot be started.
class LaunchMessage {
public:
    static std::string of(const PlatformError& error);
};

}  // namespace kestrix
