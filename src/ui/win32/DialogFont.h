#pragma once

#include "ui/win32/ScreenScale.h"
#include "ui/win32/Win32Handles.h"

namespace kestrix {

// The font of every control: 8-point MS Sans Serif, the face Windows' "MS Shell
// Dlg" stands for, at the screen's density, in its outline form "Microsoft
// Sans Serif" where the system has it. It is named itself because Wine maps
// "MS Shell Dlg" to the wider Tahoma, in which "Uninstall Umod" no longer fits
// its 81-pixel button; the layouts' sizes were drawn for MS Sans Serif.
class DialogFont {
public:
    explicit DialogFont(const ScreenScale& scale);

    HFONT handle() const { return m_font.get(); }

private:
    FontHandle m_font;
};

}  // namespace kestrix
