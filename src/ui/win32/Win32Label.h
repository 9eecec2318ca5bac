#pragma once

#include "ui/win32/Win32Control.h"

namespace kestrix {

// A label: a STATIC text that never changes after the layout has drawn it.
class Win32Label final : public Win32Control {
public:
    Win32Label(const ControlLayout& layout, HWND parent, int id, const ScreenScale& scale,
               const DialogFont& font);
};

}  // namespace kestrix
