#pragma once

#include <functional>

#include "ui/win32/WindowsApi.h"

namespace kestrix {

// The program's message loops: the outer one, each modal window's nested one,
// and the drive change's run of pending events. All pass keyboard input
// through dialog navigation first, so that Tab moves through the controls in
// their tab order.
class Win32MessageLoop {
public:
    // Runs until WM_QUIT; returns its exit code.
    static int run();
    // Runs while the condition holds. Returns false when WM_QUIT came first,
    // which is posted again so that every enclosing loop ends too.
    static bool runWhile(const std::function<bool()>& condition);
    // Runs the messages that are waiting, then returns.
    static void runPending();
    // Drops the clicks and keys waiting for the program's windows; the
    // frame's own buttons and what the program posts itself stay.
    static void dropInput();

private:
    static void dispatch(MSG& message);
};

}  // namespace kestrix
