#include "ui/win32/Win32FileList.h"

#include "platform/win/Utf16.h"

namespace kestrix {

Win32FileList::Win32FileList(const ControlLayout& layout, HWND parent, int id,
                             const ScreenScale& scale, const DialogFont& font) {
    // Not LBS_SORT: FileListBox has put the names in order already.
    createControl(L"LISTBOX",
                  LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, layout,
                  parent, id, scale, font);
}

void Win32FileList::setEntries(const std::vector<std::string>& names) {
    // Drawn once when filled, not after each row; room for every row at once.
    SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle(), LB_RESETCONTENT, 0, 0);
    SendMessageW(handle(), LB_INITSTORAGE, names.size(), 0);
    for (const std::string& name : names) {
        const std::wstring text = Utf16::fromCodePage(name);
        SendMessageW(handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);
}

std::optional<int> Win32FileList::selectedIndex() const {
    const auto index = static_cast<int>(SendMessageW(handle(), LB_GETCURSEL, 0, 0));
    if (index == LB_ERR) {
        return std::nullopt;
    }
    return index;
}

}  // namespace kestrix
