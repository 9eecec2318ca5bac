#pragma once

#include <string>

#include "platform/ProcessLauncher.h"

namespace kestrix {

// Starts a command line with Windows' own CreateProcessW, given the line as it
// stands and no program name, so that Windows finds the program by its own
// rules: an unquoted path with blanks is tried at each blank, shortest first.
class WinProcessLauncher final : public ProcessLauncher {
public:
    void start(const std::string& commandLine) override;
};

}  // namespace kestrix
