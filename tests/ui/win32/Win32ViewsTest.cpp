#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win/Utf16.h"
#include "ui/win32/Win32ViewFactory.h"
#include "ui/win32/Win32WindowView.h"
#include "ui/win32/WindowsApi.h"
#include "views/DirListView.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

namespace kestrix {
namespace {

std::string windowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return Utf16::describe(text);
}

// A control's name as Microsoft Active Accessibility finds it for a list or
// a combo box: the text of the static control met walking back in z-order,
// where a control with WS_GROUP and WS_TABSTOP ends the walk. Wine's oleacc
// names no list or combo box at all, so the documented walk stands in for it.
std::string spokenName(HWND control) {
    for (HWND before = GetWindow(control, GW_HWNDPREV); before != nullptr;
         before = GetWindow(before, GW_HWNDPREV)) {
        wchar_t className[16] = {};
        GetClassNameW(before, className, 16);
        if (_wcsicmp(className, L"Static") == 0) {
            return windowText(before);
        }
        const LONG_PTR style = GetWindowLongPtrW(before, GWL_STYLE);
        if ((style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP)) {
            break;
        }
    }
    return "";
}

// Each window of the program shows what its table draws: its client area,
// and each control at its place, in tab order, in an 8-point font; each list
// and combo box is read out by the label that names it, or by nothing. At
// normal size and on denser screens, where everything grows with the density.
class Win32ViewsAtDensity : public ::testing::TestWithParam<int> {};

TEST_P(Win32ViewsAtDensity, WindowsShowWhatTheirTablesDraw) {
    const ScreenScale scale(GetParam(), GetParam());
    Win32ViewFactory factory(scale);
    for (const FormLayout* layout : {&Form1::layout(), &Form2::layout(), &Form3::layout()}) {
        const FormLayout& table = *layout;
        SCOPED_TRACE(table.title);
        FormViews views = factory.create(table);
        HWND window = static_cast<Win32WindowView&>(views.window()).handle();
        RECT client{};
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, scale.xPixels(table.clientWidth));
        EXPECT_EQ(client.bottom, scale.yPixels(table.clientHeight));

        std::vector<ControlLayout> focusable;
        std::copy_if(table.controls.begin(), table.controls.end(), std::back_inserter(focusable),
                     [](const ControlLayout& c) { return c.kind != ControlKind::Label; });
        std::stable_sort(focusable.begin(), focusable.end(),
                         [](const auto& a, const auto& b) { return a.tabIndex < b.tabIndex; });
        auto next = focusable.begin();
        size_t children = 0;
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT), ++children) {
            wchar_t className[16] = {};
            GetClassNameW(child, className, 16);
            // Labels are found by their texts, the other controls come in tab
            // order.
            const auto label = std::find_if(
                table.controls.begin(), table.controls.end(), [&](const ControlLayout& c) {
                    return c.kind == ControlKind::Label && c.text == windowText(child);
                });
            const bool isLabel = _wcsicmp(className, L"Static") == 0;
            ASSERT_TRUE(isLabel ? label != table.controls.end() : next != focusable.end());
            const ControlLayout& control = isLabel ? *label : *next++;
            SCOPED_TRACE(control.name);
            RECT place{};
            GetWindowRect(child, &place);
            MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
            const RECT wanted =
                scale.pixels(control.left, control.top, control.width, control.height);
            EXPECT_TRUE(EqualRect(&place, &wanted));
            LOGFONTW font{};
            ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)),
                                 sizeof font, &font),
                      0);
            EXPECT_EQ(font.lfHeight, -MulDiv(8, GetParam(), 72));

            if (control.kind != ControlKind::Label && control.kind != ControlKind::Button) {
                const auto namer = std::find_if(
                    table.controls.begin(), table.controls.end(),
                    [&](const ControlLayout& c) { return c.labelFor == control.name; });
                EXPECT_EQ(spokenName(child), namer == table.controls.end() ? "" : namer->text);
            }
            // A screen reader reads each folder row's text from the list.
            if (control.kind == ControlKind::DirList) {
                views.control<DirListView>(control.name)
                    .setEntries({{"C:\\", 0, true}, {"UnrealTournament", 1, false}}, 0);
                wchar_t row[64] = {};
                SendMessageW(child, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
                EXPECT_EQ(Utf16::describe(row), "UnrealTournament");
            }
        }
        EXPECT_EQ(children, table.controls.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Densities, Win32ViewsAtDensity, ::testing::Values(96, 120, 144));

}  // namespace
}  // namespace kestrix
