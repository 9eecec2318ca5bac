#include "platform/SetupCommandLine.h"

namespace kestrix {

std::string setupCommandLine(const std::string& gameDir, const std::string& packageDir,
                             const std::string& packageFile) {
    return gameDir + "\\System\\setup.exe install " + '"' + packageDir + "\\" + packageFile + '"';
}

}  // namespace kestrix
