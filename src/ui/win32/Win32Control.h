#pragma once

#include <string>

#include "ui/win32/Win32Window.h"
#include "views/FormLayout.h"

namespace kestrix {

class DialogFont;
class ScreenScale;

// A control of one of Windows' own classes, placed in its window by the
// layout's twips and drawn in the dialog font.
class Win32Control : public Win32Window {
public:
    // Enter on the focused control: the window hands it on, since dialog
    // navigation takes the key before any control sees it.
    virtual void enterPressed() {}

protected:
    Win32Control() = default;

    void createControl(const wchar_t* className, DWORD style, const ControlLayout& layout,
                       HWND parent, int id, const ScreenScale& scale, const DialogFont& font);
};

}  // namespace kestrix
