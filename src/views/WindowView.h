#pragma once

#include <functional>

namespace kestrix {

struct TwipsSize {
    int width;
    int height;
};

// A top-level window as the window handlers see it. The window does not
// change its size; its controls are the other views of the same window.
class WindowView {
public:
    virtual ~WindowView() = default;

    // Shows the window without waiting: the first window, and the main window
    // when it comes back.
    virtual void show() = 0;
    // Shows the window modally, owned by another window, and returns when it
    // has been hidden or closed.
    virtual void showModal(WindowView& owner) = 0;
    // Hides the window without running a handler; ends its modal show.
    virtual void hide() = 0;

    // The outer size, frame included, and the size of the screen the window
    // is on.
    virtual TwipsSize outerSize() const = 0;
    virtual TwipsSize screenSize() const = 0;
    // Moves the outer top-left to a place on that screen, keeping the size.
    // The place comes in single-precision twips as computed; the view cuts it
    // to the toolkit's own units.
    virtual void moveTo(float left, float top) = 0;

    // The user closed the window by its frame; the window is hidden by the
    // time the handler runs.
    virtual void onFrameClose(std::function<void()> handler) = 0;
};

}  // namespace kestrix
