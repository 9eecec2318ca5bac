#include "ui/win32/Win32Button.h"

#include <utility>

namespace kestrix {

Win32Button::Win32Button(const ControlLayout& layout, HWND parent, int id, const ScreenScale& scale,
                         const DialogFont& font) {
    createControl(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, layout, parent, id, scale, font);
}

void Win32Button::onClick(std::function<void()> handler) {
    m_click = std::move(handler);
}

void Win32Button::notified(WORD code) {
    if (code == BN_CLICKED && m_click) {
        m_click();
    }
}

}  // namespace kestrix
