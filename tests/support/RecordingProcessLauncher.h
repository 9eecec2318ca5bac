#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/ProcessLauncher.h"

namespace kestrix {

// Keeps the command lines it is asked to start, joined as players type them;
// raises the error it is given.
class RecordingProcessLauncher : public ProcessLauncher {
public:
    void start(const ProgramStart& program) override {
        started.push_back(program.joined());
        if (failure) {
            throw *failure;
        }
    }

    std::vector<std::string> started;
    std::optional<PlatformError> failure;
};

}  // namespace kestrix
