#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/win32/DialogFont.h"
#include "ui/win32/ScreenScale.h"
#include "ui/win32/Win32Control.h"
#include "ui/win32/Win32Window.h"
#include "views/FormLayout.h"
#include "views/WindowView.h"

namespace kestrix {

// One of the program's windows: a fixed frame around a client area of the
// layout's twips at the screen's density, holding its controls. A modal show
// disables the owner and runs a nested message loop until the window is
// hidden or closed.
class Win32WindowView final : public Win32Window, public WindowView {
public:
    Win32WindowView(const FormLayout& layout, const ScreenScale& scale, const DialogFont& font);

    // Takes a control created inside this window; it lives as long as the
    // window does.
    template <typename Control>
    Control* adopt(std::unique_ptr<Control> control) {
        Control* view = control.get();
        m_controls.push_back(std::move(control));
        return view;
    }

    // The buttons that Enter and Escape click, as the layout names them.
    void setKeyButtons(Win32Control* enter, Win32Control* escape) {
        m_enterClicks = enter;
        m_escapeClicks = escape;
    }

    void show() override;
    void showModal(WindowView& owner) override;
    void hide() override;
    TwipsSize outerSize() const override;
    TwipsSize screenSize() const override;
    void moveTo(float left, float top) override;
    void onFrameClose(std::function<void()> handler) override;

    // Whether a top-level window is one of the program's windows.
    static bool isFormWindow(HWND window);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int twipsX(int pixels) const;
    int twipsY(int pixels) const;

    void rescale(int dotsPerInchX, int dotsPerInchY, const RECT& suggested);

    ScreenScale m_scale;
    // The font at the density the window moved to; until it moves, the one
    // all windows share.
    std::unique_ptr<DialogFont> m_movedFont;
    std::function<void()> m_frameClose;
    Win32Control* m_enterClicks = nullptr;
    Win32Control* m_escapeClicks = nullptr;
    // Destroyed before the window that holds them.
    std::vector<std::unique_ptr<Win32Control>> m_controls;
};

}  // namespace kestrix
