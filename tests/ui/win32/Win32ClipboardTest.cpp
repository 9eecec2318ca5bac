#include "ui/win32/Win32Clipboard.h"

#include <gtest/gtest.h>
#include "ui/win32/WindowsApi.h"

#include <string>

#include "platform/win/Utf16.h"

namespace kestrix {
namespace {

// What another program finds on the clipboard in format, or "<none>".
std::string readAs(UINT format) {
    if (!OpenClipboard(nullptr)) {
        return "<not opened>";
    }
    std::string text = "<none>";
    if (HANDLE data = GetClipboardData(format)) {
        const void* locked = GlobalLock(data);
        text = format == CF_UNICODETEXT ? Utf16::describe(static_cast<const wchar_t*>(locked))
                                        : std::string(static_cast<const char*>(locked));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// The setup tool reads the game's folder in the 8-bit format, newer programs
// in the Unicode one: both hold the text. Each clipboard object (each start
// of the program) replaces the text another one left.
TEST(Win32ClipboardTest, OtherProgramsReadTheLastTextInBothFormatsAndNoneOnceCleared) {
    for (const std::string text : {"C:\\UT", "Z:\\tmp\\with blanks\\UT", ""}) {
        Win32Clipboard clipboard;
        clipboard.setText(text);
        EXPECT_EQ(readAs(CF_UNICODETEXT), text);
        EXPECT_EQ(readAs(CF_TEXT), text);
    }
    Win32Clipboard clipboard;
    clipboard.setText("C:\\UT");
    clipboard.clear();
    EXPECT_EQ(readAs(CF_UNICODETEXT), "<none>");
}

}  // namespace
}  // namespace kestrix
