#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "support/FakeWindow.h"
#include "views/ViewFactory.h"
#include "views/WindowSystem.h"

namespace kestrix {

// The toolkit for window tests: builds fake windows from the layout tables
// and records what Module1 asks of the window system. No event loop runs: a
// modal show takes the next step the test queued and runs it at once.
class FakeDesktop : public ViewFactory, public WindowSystem {
public:
    FormViews create(const FormLayout& layout) override;

    void hideAllWindows() override;
    void quit(int exitCode) override { quitCodes.push_back(exitCode); }
    void runPendingEvents() override;

    // What the user does while the next window is shown modally. A modal
    // show with no step left is closed by its frame at once.
    void whileShownModally(std::function<void()> step) { m_steps.push_back(std::move(step)); }
    std::function<void()> nextStep();

    std::vector<int> quitCodes;
    int pendingEventRuns = 0;
    // Runs inside runPendingEvents, so that a test sees when they ran.
    std::function<void()> onPendingEvents;

private:
    std::vector<FakeWindow*> m_windows;
    std::deque<std::function<void()>> m_steps;
};

}  // namespace kestrix
