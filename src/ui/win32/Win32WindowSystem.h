#pragma once

#include "views/WindowSystem.h"

namespace kestrix {

// The services about all of the program's windows at once, on the message
// loops of Win32MessageLoop.
class Win32WindowSystem final : public WindowSystem {
public:
    void hideAllWindows() override;
    void quit(int exitCode) override;
    void runPendingEvents() override;
};

}  // namespace kestrix
