#pragma once

#include <filesystem>
#include <optional>

namespace kestrix {

// The Wine prefix (the folder of a Windows installation that Wine keeps: its
// drive_c, registry and drive links) that a Windows program is run in.
class WinePrefix {
public:
    // The prefix that holds a host path: the nearest folder above it (or the
    // path itself) with both drive_c and system.reg, as Lutris, Bottles,
    // Heroic and Steam's Proton give each game one of its own.
    static std::optional<std::filesystem::path> containing(const std::filesystem::path& hostPath);

    // The user's own prefix, as Wine chooses it: WINEPREFIX when it is set,
    // else ~/.wine.
    static std::filesystem::path standard();
};

}  // namespace kestrix
