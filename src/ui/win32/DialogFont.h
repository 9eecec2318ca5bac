#pragma once

#include "ui/win32/ScreenScale.h"
#include "ui/win32/Win32Handles.h"

namespace kestrix {

// The font of every control: 8-point "MS Shell Dlg", which Windows maps to its
// dialog face (MS Sans Serif on the classic systems, Tahoma under Wine), at
// the screen's density. The layouts' sizes were drawn for it.
class DialogFont {
public:
    explicit DialogFont(const ScreenScale& scale);

    HFONT handle() const { return m_font.get(); }

private:
    FontHandle m_font;
};

}  // namespace kestrix
