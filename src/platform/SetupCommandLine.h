#pragma once

#include <string>

namespace kestrix {

// The command line that hands a package to the game's own setup tool. It is
// joined exactly so, with nothing quoted but the package path and nothing
// escaped: Windows finds the tool's unquoted path with blanks by itself, and
// the setup tool reads the line as players have always passed it.
std::string setupCommandLine(const std::string& gameDir, const std::string& packageDir,
                             const std::string& packageFile);

}  // namespace kestrix
