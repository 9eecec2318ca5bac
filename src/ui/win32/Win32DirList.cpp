#include "ui/win32/Win32DirList.h"

#include <algorithm>
#include <utility>

#include "platform/win/Utf16.h"
#include "ui/win32/ScreenScale.h"
#include "ui/win32/Win32Handles.h"

namespace kestrix {
namespace {

// A row is as high as a label of the layouts (255 twips, 17 pixels at normal
// size, never less than the 16-pixel glyph of the classic list), the glyph
// 225 twips square, and each level of depth 105 twips further right.
constexpr int RowTwips = 255;
constexpr int MinimumRowPixels = 16;
constexpr int GlyphTwips = 225;
constexpr int IndentTwips = 105;

// The glyph's colours: the classic folder's yellow with a darker outline.
constexpr COLORREF FolderFill = RGB(255, 255, 153);
constexpr COLORREF FolderEdge = RGB(128, 128, 0);

// A folder glyph of size pixels with its top-left at x, y: a tab and a body,
// the open one with its front flap tilted.
void drawFolder(HDC dc, int x, int y, int size, bool open) {
    const PenHandle pen(CreatePen(PS_SOLID, 1, FolderEdge));
    const BrushHandle brush(CreateSolidBrush(FolderFill));
    HGDIOBJ oldPen = SelectObject(dc, pen.get());
    HGDIOBJ oldBrush = SelectObject(dc, brush.get());
    const int unit = size / 8 > 0 ? size / 8 : 1;
    const int top = y + 2 * unit;
    const int bottom = y + size - unit;
    const POINT tab[] = {
        {x, top}, {x + unit, top - unit}, {x + 3 * unit, top - unit}, {x + 4 * unit, top}};
    Polygon(dc, tab, 4);
    Rectangle(dc, x, top, x + size - unit, bottom);
    if (open) {
        const POINT flap[] = {{x + 2 * unit, top + 2 * unit},
                              {x + size, top + 2 * unit},
                              {x + size - 2 * unit, bottom - 1},
                              {x, bottom - 1}};
        Polygon(dc, flap, 4);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

}  // namespace

Win32DirList::Win32DirList(const ControlLayout& layout, HWND parent, int id,
                           const ScreenScale& scale, const DialogFont& font) {
    measure(scale);
    createControl(L"LISTBOX",
                  LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                      WS_VSCROLL | WS_BORDER | WS_TABSTOP,
                  layout, parent, id, scale, font);
    // WM_MEASUREITEM comes during CreateWindow, before the parent knows the
    // list; the height is set here instead.
    SendMessageW(handle(), LB_SETITEMHEIGHT, 0, m_rowPixels);
}

void Win32DirList::measure(const ScreenScale& scale) {
    m_rowPixels = std::max(scale.yPixels(RowTwips), MinimumRowPixels);
    m_indentPixels = scale.xPixels(IndentTwips);
    m_glyphPixels = scale.yPixels(GlyphTwips);
}

void Win32DirList::rescale(const ScreenScale& scale, const DialogFont& font) {
    measure(scale);
    SendMessageW(handle(), LB_SETITEMHEIGHT, 0, m_rowPixels);
    Win32Control::rescale(scale, font);
}

void Win32DirList::setEntries(const std::vector<DirEntry>& entries, int current) {
    m_entries = entries;
    SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle(), LB_RESETCONTENT, 0, 0);
    // Room for every row at once, not grown a few rows at a time.
    SendMessageW(handle(), LB_INITSTORAGE, m_entries.size(), 0);
    for (const DirEntry& entry : m_entries) {
        // An owner-drawn list keeps its rows' texts only with LBS_HASSTRINGS:
        // screen readers read them with LB_GETTEXT. The drawing takes them
        // from m_entries.
        const std::wstring text = Utf16::fromCodePage(entry.text);
        SendMessageW(handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(handle(), LB_SETCURSEL, static_cast<WPARAM>(current), 0);
    SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle(), nullptr, TRUE);
}

void Win32DirList::onOpen(std::function<void(int index)> handler) {
    m_open = std::move(handler);
}

void Win32DirList::notified(WORD code) {
    if (code == LBN_DBLCLK) {
        open();
    }
}

void Win32DirList::enterPressed() {
    open();
}

void Win32DirList::open() {
    const auto index = static_cast<int>(SendMessageW(handle(), LB_GETCURSEL, 0, 0));
    if (index != LB_ERR && m_open) {
        m_open(index);
    }
}

void Win32DirList::drawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) ||
        item.itemID >= static_cast<UINT>(m_entries.size())) {
        return;
    }
    const DirEntry& entry = m_entries[item.itemID];
    HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));

    const int glyphLeft = item.rcItem.left + 2 + entry.depth * m_indentPixels;
    const int glyphTop = item.rcItem.top + (m_rowPixels - m_glyphPixels) / 2;
    drawFolder(dc, glyphLeft, glyphTop, m_glyphPixels, entry.open);

    // Only the name is highlighted, as in the classic list.
    const std::wstring text = Utf16::fromCodePage(entry.text);
    RECT textRect = item.rcItem;
    textRect.left = glyphLeft + m_glyphPixels + 3;
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    textRect.right = textRect.left + extent.cx + 4;
    if (textRect.right > item.rcItem.right) {
        textRect.right = item.rcItem.right;
    }
    FillRect(dc, &textRect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inner = textRect;
    inner.left += 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inner,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &textRect);
    }
}

}  // namespace kestrix
