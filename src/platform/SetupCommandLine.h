#pragma once

#include <string>

#include "platform/ProgramStart.h"

namespace kestrix {

// What hands a package to the game's own setup tool: the tool in the game's
// System folder, and "install" with the package path in double quotes. The
// parts are joined as they stand, nothing escaped, as the setup tool reads
// the line as players have always passed it.
ProgramStart setupCommandLine(const std::string& gameDir, const std::string& packageDir,
                              const std::string& packageFile);

}  // namespace kestrix
