#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kestrix {

// Starts a host program that is to outlive KESTRIX, and watches it for a
// moment: a program, or a Wine, that cannot run ends at once and says why on
// stderr, which nobody sees when KESTRIX was started from the desktop's menu.
class WatchedStart {
public:
    struct Program {
        std::filesystem::path executable;
        // After the executable's own name.
        std::vector<std::string> arguments;
        std::filesystem::path folder;
        // NAME=value entries that replace or join KESTRIX's environment.
        std::vector<std::string> environment;
    };

    // How a program ended while it was watched.
    struct EarlyEnd {
        // The exit status, or 128 and the signal's number.
        int status;
        // The end of what it wrote to stderr.
        std::string said;
    };

    // Raises PlatformError when the program cannot be started at all. Returns
    // how it ended when it failed within the watch; nothing when it is still
    // running then, or ended well.
    static std::optional<EarlyEnd> start(const Program& program, std::chrono::milliseconds watch);
};

}  // namespace kestrix
