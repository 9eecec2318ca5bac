#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/Utf16.h"
#include "ui/win32/Win32DirList.h"
#include "ui/win32/Win32ViewFactory.h"
#include "ui/win32/Win32WindowView.h"
#include "ui/win32/WindowsApi.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

namespace kestrix {
namespace {

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::string windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return Utf16::describe(text);
}

// A control's place inside its window's client area, in pixels.
RECT placeInClient(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> childrenInZOrder(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

// The Windows class and the style bits that make each kind of control.
struct KindLook {
    const wchar_t* className;
    DWORD style;
    DWORD styleMask;
};

KindLook lookOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return {L"Static", 0, 0};
        case ControlKind::Button:
            return {L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0x0F | WS_TABSTOP};
        case ControlKind::DriveList:
            return {L"ComboBox", CBS_DROPDOWNLIST | WS_TABSTOP, 0x03 | WS_TABSTOP};
        case ControlKind::DirList:
            // Owner-drawn rows that keep their text, for screen readers.
            return {L"ListBox", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_TABSTOP,
                    LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_SORT | WS_TABSTOP};
        case ControlKind::FileList:
            return {L"ListBox", WS_TABSTOP, LBS_OWNERDRAWFIXED | LBS_SORT | WS_TABSTOP};
        case ControlKind::ComboBox:
            return {L"ComboBox", CBS_DROPDOWN | WS_TABSTOP, 0x03 | WS_TABSTOP | CBS_SORT};
    }
    return {L"", 0, 0};
}

// Each window of the program shows what its table draws: its title and
// client area, and each control of its Windows class and style, with its
// text, at its place, in tab order, in the dialog font with room for its
// text.
// At normal size and on denser screens, where everything grows with the
// density.
class Win32ViewsAtDensity : public ::testing::TestWithParam<int> {};

TEST_P(Win32ViewsAtDensity, WindowsShowWhatTheirTablesDraw) {
    const ScreenScale scale(GetParam(), GetParam());
    Win32ViewFactory factory(scale);
    // Between them the three windows hold every kind of control.
    for (const FormLayout* layout : {&Form1::layout(), &Form2::layout(), &Form3::layout()}) {
        const FormLayout& table = *layout;
        SCOPED_TRACE(table.title);
        FormViews views = factory.create(table);
        HWND window = static_cast<Win32WindowView&>(views.window()).handle();
        EXPECT_EQ(windowText(window), table.title);
        EXPECT_FALSE(IsWindowVisible(window));
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, scale.xPixels(table.clientWidth));
        EXPECT_EQ(client.bottom, scale.yPixels(table.clientHeight));

        std::vector<ControlLayout> inTabOrder = table.controls;
        std::stable_sort(
            inTabOrder.begin(), inTabOrder.end(),
            [](const ControlLayout& a, const ControlLayout& b) { return a.tabIndex < b.tabIndex; });
        const std::vector<HWND> children = childrenInZOrder(window);
        ASSERT_EQ(children.size(), inTabOrder.size());
        for (size_t i = 0; i < children.size(); ++i) {
            HWND child = children[i];
            const ControlLayout& control = inTabOrder[i];
            SCOPED_TRACE(control.name);
            const KindLook look = lookOf(control.kind);
            EXPECT_EQ(_wcsicmp(className(child).c_str(), look.className), 0)
                << Utf16::describe(className(child));
            EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)) & look.styleMask,
                      look.style);
            if (control.kind == ControlKind::Label || control.kind == ControlKind::Button) {
                EXPECT_EQ(windowText(child), control.text);
            }
            const RECT place = placeInClient(child);
            const RECT wanted =
                scale.pixels(control.left, control.top, control.width, control.height);
            EXPECT_TRUE(EqualRect(&place, &wanted))
                << place.left << "," << place.top << " " << place.right << "," << place.bottom;

            auto* font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
            ASSERT_NE(font, nullptr);
            LOGFONTW described{};
            GetObjectW(font, sizeof described, &described);
            EXPECT_STREQ(described.lfFaceName, L"MS Sans Serif");
            EXPECT_EQ(described.lfHeight, -MulDiv(8, scale.yPixels(1440), 72));

            // The text with a button's or label's margins fits the control.
            const std::wstring text = Utf16::fromCodePage(control.text);
            HDC dc = GetDC(child);
            HGDIOBJ old = SelectObject(dc, font);
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(child, dc);
            EXPECT_LE(extent.cx + 8, wanted.right - wanted.left) << "text cut off";
            EXPECT_LE(extent.cy + 2, wanted.bottom - wanted.top) << "text cut off";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Densities, Win32ViewsAtDensity, ::testing::Values(96, 120, 144));

}  // namespace
}  // namespace kestrix
