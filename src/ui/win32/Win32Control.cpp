#include "ui/win32/Win32Control.h"

#include "platform/win/Utf16.h"
#include "ui/win32/DialogFont.h"
#include "ui/win32/ScreenScale.h"

namespace kestrix {

void Win32Control::createControl(const wchar_t* className, DWORD style, const ControlLayout& layout,
                                 HWND parent, int id, const ScreenScale& scale,
                                 const DialogFont& font) {
    m_layout = layout;
    const RECT place = scale.pixels(layout.left, layout.top, layout.width, layout.height);
    create(0, className, Utf16::fromCodePage(layout.text), WS_CHILD | WS_VISIBLE | style, place,
           parent, id);
    // Controls start in the system font; the layouts were drawn for the dialog
    // font.
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.handle()), FALSE);
}

void Win32Control::rescale(const ScreenScale& scale, const DialogFont& font) {
    const RECT place = scale.pixels(m_layout.left, m_layout.top, m_layout.width, m_layout.height);
    SetWindowPos(handle(), nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.handle()), TRUE);
}

}  // namespace kestrix
