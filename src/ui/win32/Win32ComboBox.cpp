#include "ui/win32/Win32ComboBox.h"

#include "platform/win/Utf16.h"
#include "ui/win32/ScreenScale.h"

namespace kestrix {
namespace {
constexpr int DroppedRows = 8;
constexpr int ComboEdgePixels = 6;

// A typed name that the code page cannot write is no header's name; it comes
// back with each such character spelled as its number ("<U+0416>"), so that
// it matches no package and the user is told which name was not found.
std::string codePageText(const std::wstring& text) {
    return Utf16::toCodePage(text).value_or(Utf16::describe(text));
}
}  // namespace

Win32ComboBox::Win32ComboBox(const ControlLayout& layout, HWND parent, int id,
                             const ScreenScale& scale, const DialogFont& font) {
    // As with the drive list, the height given to CreateWindow includes the
    // dropped list; the closed box keeps the layout's height.
    ControlLayout dropped = layout;
    dropped.height = layout.height * (DroppedRows + 1);
    createControl(L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, dropped,
                  parent, id, scale, font);
    // The closed box takes the layout's height: its field is the box less the
    // sunken edge, three pixels above and three below.
    SendMessageW(handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 scale.yPixels(layout.height) - ComboEdgePixels);
}

void Win32ComboBox::addItem(const std::string& text) {
    const std::wstring wide = Utf16::fromCodePage(text);
    SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32ComboBox::removeItem(int index) {
    SendMessageW(handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

int Win32ComboBox::count() const {
    return static_cast<int>(SendMessageW(handle(), CB_GETCOUNT, 0, 0));
}

std::string Win32ComboBox::itemText(int index) const {
    const auto length = SendMessageW(handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return codePageText(text);
}

std::string Win32ComboBox::editText() const {
    const int length = GetWindowTextLengthW(handle());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(handle(), text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return codePageText(text);
}

void Win32ComboBox::setEditText(const std::string& text) {
    // Choosing no item first: choosing one would show its text instead.
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(handle(), Utf16::fromCodePage(text).c_str());
}

void Win32ComboBox::clear() {
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    SetWindowTextW(handle(), L"");
}

}  // namespace kestrix
