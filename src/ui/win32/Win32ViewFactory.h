#pragma once

#include "ui/win32/DialogFont.h"
#include "ui/win32/ScreenScale.h"
#include "views/ViewFactory.h"

namespace kestrix {

// Builds the program's windows from their layout tables with Windows' own
// controls, at the screen's density and in the dialog font.
class Win32ViewFactory final : public ViewFactory {
public:
    Win32ViewFactory();
    explicit Win32ViewFactory(const ScreenScale& scale);

    FormViews create(const FormLayout& layout) override;

private:
    ScreenScale m_scale;
    DialogFont m_font;
};

}  // namespace kestrix
