#pragma once

#include "views/WindowSystem.h"

namespace kestrix {

class QtWindowSystem : public WindowSystem {
public:
    void hideAllWindows() override;
    void quit(int exitCode) override;
    void runPendingEvents() override;
};

}  // namespace kestrix
