#include "support/FakeWindow.h"

#include "support/FakeDesktop.h"

namespace kestrix {

FakeWindow::FakeWindow(FakeDesktop& desktop, const FormLayout& layout)
    // A frame as Windows draws one: borders and a title bar.
    : outer{layout.clientWidth + 120, layout.clientHeight + 450}, m_desktop(desktop) {}

void FakeWindow::showModal(WindowView& modalOwner) {
    shown = true;
    modal = true;
    owner = &modalOwner;
    if (const auto step = m_desktop.nextStep()) {
        step();
    }
    if (shown) {
        closeByFrame();
    }
}

void FakeWindow::closeByFrame() {
    shown = false;
    m_frameClosed();
}

}  // namespace kestrix
