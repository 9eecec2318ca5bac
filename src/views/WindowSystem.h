#pragma once

namespace kestrix {

// The toolkit's services that are about all windows at once, for Module1.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Hides every window without running a handler, which also ends every
    // modal show.
    virtual void hideAllWindows() = 0;
    // Ends the event loop; the process exits with this code.
    virtual void quit(int exitCode) = 0;
    // Runs the window events that are waiting, then returns.
    virtual void runPendingEvents() = 0;
};

}  // namespace kestrix
