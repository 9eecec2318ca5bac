#pragma once

#include <functional>

#include "ui/win32/Win32Control.h"
#include "views/ButtonView.h"

namespace kestrix {

// A push button, never the default one: Enter does not click it.
class Win32Button final : public Win32Control, public ButtonView {
public:
    Win32Button(const ControlLayout& layout, HWND parent, int id, const ScreenScale& scale,
                const DialogFont& font);

    void onClick(std::function<void()> handler) override;
    void notified(WORD code) override;

private:
    std::function<void()> m_click;
};

}  // namespace kestrix
