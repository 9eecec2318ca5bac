#pragma once

#include "platform/ProgramStart.h"

namespace kestrix {

// Starts a program as a normal window with focus, in the program's own
// folder, as the game's shortcuts start its tools, and returns without
// waiting for it to finish. A program that cannot be found raises
// ErrorNumber::FileNotFound.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    virtual void start(const ProgramStart& program) = 0;
};

}  // namespace kestrix
