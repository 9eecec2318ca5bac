#pragma once

#include "platform/Clipboard.h"
#include "ui/win32/Win32Handles.h"

namespace kestrix {

// The Windows clipboard. The text is handed to the system in the Unicode text
// format, from which Windows derives the 8-bit one for older programs such as
// the game's setup tool, and it stays there after the program has ended.
class Win32Clipboard final : public Clipboard {
public:
    Win32Clipboard();

    void clear() override;
    void setText(const std::string& text) override;

private:
    // Emptying the clipboard makes the window that opened it the owner of
    // what is put there next; a clipboard opened by no window refuses data.
    WindowHandle m_owner;
};

}  // namespace kestrix
