#pragma once

#include <filesystem>

namespace kestrix {

// What the Wine found on PATH can run.
class WineLoader {
public:
    // False only where it is known that 32-bit Windows programs cannot run:
    // a 64-bit-only loader ("wine64" without its 32-bit "wine" beside it), or
    // Debian's and Ubuntu's launcher script whose 32-bit loader, from the
    // package wine32:i386, is not installed. That script then only writes a
    // hint to stderr, which a desktop program never shows.
    static bool runs32BitPrograms(const std::filesystem::path& wine);
};

}  // namespace kestrix
