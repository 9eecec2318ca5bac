#include "ui/win32/Win32MessageBox.h"

#include "platform/win/Utf16.h"

namespace kestrix {

void Win32MessageBox::show(const std::string& text) {
    const std::wstring wide = Utf16::fromCodePage(text);
    MessageBoxW(GetActiveWindow(), wide.c_str(), L"KESTRIX", MB_OK);
}

}  // namespace kestrix
