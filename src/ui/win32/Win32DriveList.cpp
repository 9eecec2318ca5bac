#include "ui/win32/Win32DriveList.h"

#include <utility>

#include "platform/win/Utf16.h"
#include "ui/win32/ScreenScale.h"

namespace kestrix {
namespace {
// Enough rows to show every drive letter a machine has, mostly without
// scrolling.
constexpr int DroppedRows = 8;
constexpr int ComboEdgePixels = 6;
}  // namespace

Win32DriveList::Win32DriveList(const ControlLayout& layout, HWND parent, int id,
                               const ScreenScale& scale, const DialogFont& font)
    : m_closedTwips(layout.height) {
    // A combo box's height in CreateWindow is that of its dropped list too;
    // the layout's height is the closed box's.
    ControlLayout dropped = layout;
    dropped.height = layout.height * (DroppedRows + 1);
    createControl(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, dropped, parent, id,
                  scale, font);
    setFieldHeight(scale);
}

// The closed box takes the layout's height: its field is the box less the
// sunken edge, three pixels above and three below.
void Win32DriveList::setFieldHeight(const ScreenScale& scale) {
    SendMessageW(handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 scale.yPixels(m_closedTwips) - ComboEdgePixels);
}

void Win32DriveList::rescale(const ScreenScale& scale, const DialogFont& font) {
    Win32Control::rescale(scale, font);
    setFieldHeight(scale);
}

void Win32DriveList::setItems(const std::vector<std::string>& texts) {
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& text : texts) {
        const std::wstring wide = Utf16::fromCodePage(text);
        SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

void Win32DriveList::setCurrentIndex(int index) {
    // CB_SETCURSEL sends no notification: no pick is reported.
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32DriveList::onPick(std::function<void(int index)> handler) {
    m_pick = std::move(handler);
}

void Win32DriveList::notified(WORD code) {
    // A pick in the dropped list ends in CBN_SELENDOK, even when the current
    // drive is picked again; the arrow keys on the closed box change the
    // selection with CBN_SELCHANGE alone.
    const bool dropped = SendMessageW(handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    const bool picked = code == CBN_SELENDOK || (code == CBN_SELCHANGE && !dropped);
    if (!picked || !m_pick) {
        return;
    }
    const auto index = static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0));
    if (index != CB_ERR) {
        m_pick(index);
    }
}

}  // namespace kestrix
