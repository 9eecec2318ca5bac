#include "platform/SetupCommandLine.h"

namespace kestrix {

ProgramStart setupCommandLine(const std::string& gameDir, const std::string& packageDir,
                              const std::string& packageFile) {
    return {gameDir + "\\System\\setup.exe",
            std::string("install ") + '"' + packageDir + "\\" + packageFile + '"'};
}

}  // namespace kestrix
