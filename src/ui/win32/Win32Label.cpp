#include "ui/win32/Win32Label.h"

namespace kestrix {

Win32Label::Win32Label(const ControlLayout& layout, HWND parent, int id, const ScreenScale& scale,
                       const DialogFont& font) {
    // SS_NOPREFIX: an ampersand in a text is shown, not taken for a shortcut.
    createControl(L"STATIC", SS_LEFT | SS_NOPREFIX, layout, parent, id, scale, font);
}

}  // namespace kestrix
