#pragma once

#include <functional>
#include <string>

#include "app/AppState.h"
#include "platform/PlatformServices.h"

namespace kestrix {

class PlatformError;
class WindowSystem;

// The two folders the program remembers between runs.
enum class RememberedFolder { Game, Package };

// The process-wide part of the program: the state the windows share, the
// services they use, the two remembered settings, and the only ways the
// program ends.
class Module1 {
public:
    Module1(PlatformServices services, WindowSystem& windowSystem);

    AppState& state() { return m_state; }
    PlatformServices& services() { return m_services; }
    WindowSystem& windowSystem() { return m_windowSystem; }

    std::string stored(RememberedFolder folder) const;
    void store(RememberedFolder folder, const std::string& dir);

    // Runs one window handler. An error that the handler does not trap ends
    // here, in FatalErrorReport, so that nothing is thrown through the event
    // loop. Once the program is ending, handlers no longer run.
    void runHandler(const std::function<void()>& handler);

    // Ends the program: every window goes away without running further
    // handlers, and the event loop ends through the toolkit's own shutdown,
    // which hands the clipboard over to a clipboard manager.
    void EndProgram();
    // Shows the error's number and description, then ends as EndProgram does.
    void FatalErrorReport(const PlatformError& error);

    bool programEnding() const { return m_ending; }

private:
    void endWith(int exitCode);

    AppState m_state;
    PlatformServices m_services;
    WindowSystem& m_windowSystem;
    bool m_ending = false;
};

}  // namespace kestrix
