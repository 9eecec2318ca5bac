#pragma once

#include "ui/win32/WindowsApi.h"

#include "platform/MessageBox.h"

namespace kestrix {

// The program's message box as Windows draws it: the text, OK, no icon, the
// title "KESTRIX". It is owned by the window that is active when it is shown,
// so that it stays above it and that window takes no input meanwhile.
class Win32MessageBox final : public MessageBox {
public:
    void show(const std::string& text) override;
};

}  // namespace kestrix
