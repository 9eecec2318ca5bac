#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win/Utf16.h"
#include "ui/win32/Win32DirList.h"
#include "ui/win32/Win32MessageLoop.h"
#include "ui/win32/Win32ViewFactory.h"
#include "ui/win32/Win32WindowView.h"
#include "ui/win32/WindowsApi.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

namespace kestrix {
namespace {

// A window with one control of each kind, at places taken from the program's
// layouts, out of tab order in the table.
FormLayout everyKind() {
    return FormLayout{
        "KESTRIX",
        5835,
        4500,
        {
            {"Label1", ControlKind::Label, "Select your main UT Directory", 1080, 120, 3735, 255,
             1},
            {"Dir1", ControlKind::DirList, "", 960, 480, 3735, 2340, 0},
            {"Drive1", ControlKind::DriveList, "", 960, 3000, 2535, 315, 4},
            {"Command3", ControlKind::Button, "Uninstall Umod", 2160, 3720, 1215, 495, 5},
            {"Command1", ControlKind::Button, "Install Umod", 3720, 3720, 1215, 495, 2},
            {"File1", ControlKind::FileList, "", 4000, 120, 1500, 1845, 3},
            {"Combo1", ControlKind::ComboBox, "", 120, 3000, 600, 315, 6},
        }};
}

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

class Win32ViewsTest : public ::testing::Test {
protected:
    ScreenScale m_scale = ScreenScale::ofScreen();
    Win32ViewFactory m_factory{m_scale};
};

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
            return {L"ListBox", LBS_OWNERDRAWFIXED | WS_TABSTOP,
                    LBS_OWNERDRAWFIXED | LBS_SORT | WS_TABSTOP};
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
    for (const FormLayout* layout : {&Form1::layout(), &Form2::layout(), &Form3::layout(),
                                     static_cast<const FormLayout*>(nullptr)}) {
        const FormLayout table = layout != nullptr ? *layout : everyKind();
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
            EXPECT_EQ(place.left, wanted.left);
            EXPECT_EQ(place.top, wanted.top);
            EXPECT_EQ(place.right, wanted.right);
            EXPECT_EQ(place.bottom, wanted.bottom);

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
            // The face itself, not a stand-in for a missing one.
            wchar_t face[LF_FACESIZE] = {};
            GetTextFaceW(dc, LF_FACESIZE, face);
            EXPECT_STREQ(face, L"MS Sans Serif");
            SelectObject(dc, old);
            ReleaseDC(child, dc);
            EXPECT_LE(extent.cx + 8, wanted.right - wanted.left) << "text cut off";
            EXPECT_LE(extent.cy + 2, wanted.bottom - wanted.top) << "text cut off";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Densities, Win32ViewsAtDensity, ::testing::Values(96, 120, 144));

// An error that escapes a handler reaches the error handler inside the
// window procedure, and the message loop goes on.
TEST_F(Win32ViewsTest, ErrorsDoNotCrossTheMessageLoop) {
    FormViews views = m_factory.create(everyKind());
    HWND window = static_cast<Win32WindowView&>(views.window()).handle();
    std::string caught;
    Win32Window::setErrorHandler([&caught](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            caught = e.what();
        }
    });
    views.control<ButtonView>("Command1").onClick([] { throw std::runtime_error("broken"); });
    HWND button = childrenInZOrder(window)[2];
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    PostMessageW(window, WM_NULL, 0, 0);
    int rounds = 0;
    Win32MessageLoop::runWhile([&] { return caught.empty() && ++rounds < 100; });
    Win32Window::setErrorHandler([](const std::exception_ptr&) { PostQuitMessage(1); });
    EXPECT_EQ(caught, "broken");
}

TEST_F(Win32ViewsTest, ControlsReportAndShowWhatTheyAreTold) {
    FormViews views = m_factory.create(everyKind());
    HWND window = static_cast<Win32WindowView&>(views.window()).handle();
    auto handleOf = [&](int index) { return childrenInZOrder(window)[index]; };
    auto notify = [&](HWND control, WORD code) {
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                     reinterpret_cast<LPARAM>(control));
    };

    int clicks = 0;
    views.control<ButtonView>("Command1").onClick([&] { ++clicks; });
    SendMessageW(handleOf(2), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);

    std::vector<int> picks;
    auto& drives = views.control<DriveListView>("Drive1");
    drives.onPick([&](int index) { picks.push_back(index); });
    drives.setItems({"a:", "c: [SYSTEM]", "z: [/]"});
    drives.setCurrentIndex(1);
    HWND driveList = handleOf(4);
    EXPECT_EQ(windowText(driveList), "c: [SYSTEM]");
    EXPECT_TRUE(picks.empty()) << "setting the current drive is no pick";
    SendMessageW(driveList, CB_SETCURSEL, 2, 0);
    notify(driveList, CBN_SELENDOK);
    notify(driveList, CBN_SELENDOK);  // the same drive again
    EXPECT_EQ(picks, (std::vector<int>{2, 2}));

    std::vector<int> opened;
    auto& dirs = views.control<DirListView>("Dir1");
    dirs.onOpen([&](int index) { opened.push_back(index); });
    dirs.setEntries({{"z:\\", 0, true}, {"tmp", 1, true}, {"UT", 2, false}}, 1);
    HWND dirList = handleOf(0);
    EXPECT_EQ(SendMessageW(dirList, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(dirList, LB_GETCURSEL, 0, 0), 1);
    // What a screen reader reads of the owner-drawn rows.
    wchar_t row[8] = {};
    ASSERT_EQ(SendMessageW(dirList, LB_GETTEXTLEN, 1, 0), 3);
    SendMessageW(dirList, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
    EXPECT_STREQ(row, L"tmp");
    SendMessageW(dirList, LB_SETCURSEL, 2, 0);
    notify(dirList, LBN_DBLCLK);
    SetFocus(dirList);
    SendMessageW(window, WM_COMMAND, IDOK, 0);  // Enter
    EXPECT_EQ(opened, (std::vector<int>{2, 2}));

    auto& files = views.control<FileListView>("File1");
    files.setEntries({"Desert Ruins.umod", "IceStation.umod"});
    HWND fileList = handleOf(3);
    EXPECT_EQ(SendMessageW(fileList, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(files.selectedIndex(), std::nullopt);
    SendMessageW(fileList, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(files.selectedIndex(), 1);
    files.setEntries({"Other.umod"});
    EXPECT_EQ(files.selectedIndex(), std::nullopt);

    auto& combo = views.control<ComboBoxView>("Combo1");
    combo.addItem("Rooftops");
    combo.addItem("NightSkies");
    combo.addItem("Rooftops");
    EXPECT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(1), "NightSkies");
    combo.removeItem(0);
    EXPECT_EQ(combo.itemText(0), "NightSkies");  // unsorted, in the order added
    SendMessageW(handleOf(6), CB_SETCURSEL, 1, 0);
    EXPECT_EQ(combo.editText(), "Rooftops");
    combo.setEditText("Typed");
    EXPECT_EQ(combo.editText(), "Typed");
    EXPECT_EQ(SendMessageW(handleOf(6), CB_GETCURSEL, 0, 0), CB_ERR);
    combo.clear();
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.editText(), "");
}

// The glyph of each directory row sits further right the deeper the folder.
TEST_F(Win32ViewsTest, DirectoryRowsAreIndentedByDepth) {
    FormViews views = m_factory.create(everyKind());
    HWND window = static_cast<Win32WindowView&>(views.window()).handle();
    HWND list = childrenInZOrder(window)[0];
    auto* dirs = static_cast<Win32DirList*>(&views.control<DirListView>("Dir1"));
    // The closed glyphs line up by depth; the open one is drawn as well.
    dirs->setEntries({{"z:\\", 0, false}, {"tmp", 1, false}, {"UT", 2, false}, {"Maps", 2, true}},
                     2);

    RECT client{};
    GetClientRect(list, &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);

    // The first column of glyph colour in each row.
    const COLORREF fill = RGB(255, 255, 153);
    std::vector<int> glyphLeft;
    for (int row = 0; row < 4; ++row) {
        const int y = row * dirs->rowPixels() + dirs->rowPixels() / 2 + 1;
        int found = -1;
        for (int x = 0; x < client.right && found < 0; ++x) {
            if (GetPixel(dc, x, y) == fill) {
                found = x;
            }
        }
        glyphLeft.push_back(found);
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    ASSERT_GE(glyphLeft[0], 0) << "no folder glyph drawn";
    EXPECT_EQ(glyphLeft[1] - glyphLeft[0], dirs->indentPixels());
    EXPECT_EQ(glyphLeft[2] - glyphLeft[0], 2 * dirs->indentPixels());
    EXPECT_GE(glyphLeft[3], glyphLeft[2]) << "no open folder glyph drawn";
}

// A modal window keeps its owner from input until it is closed by its frame,
// which hides it and reports the close.
TEST_F(Win32ViewsTest, ModalShowDisablesTheOwnerUntilClosed) {
    FormViews owner = m_factory.create(everyKind());
    FormViews modal = m_factory.create(everyKind());
    HWND ownerWindow = static_cast<Win32WindowView&>(owner.window()).handle();
    HWND modalWindow = static_cast<Win32WindowView&>(modal.window()).handle();
    owner.window().show();

    bool ownerDisabledMeanwhile = false;
    bool hiddenAtClose = false;
    modal.window().onFrameClose([&] {
        ownerDisabledMeanwhile = IsWindowEnabled(ownerWindow) == FALSE;
        hiddenAtClose = IsWindowVisible(modalWindow) == FALSE;
    });
    PostMessageW(modalWindow, WM_CLOSE, 0, 0);
    modal.window().showModal(owner.window());

    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_TRUE(hiddenAtClose);
    EXPECT_TRUE(IsWindowEnabled(ownerWindow));
    EXPECT_EQ(GetWindow(modalWindow, GW_OWNER), ownerWindow);
    owner.window().hide();
}

TEST_F(Win32ViewsTest, SizesAndPlacesAreInTwips) {
    FormViews views = m_factory.create(everyKind());
    WindowView& window = views.window();
    HWND handle = static_cast<Win32WindowView&>(window).handle();
    RECT outer{};
    GetWindowRect(handle, &outer);
    const int pixelTwips = 1440 / m_scale.xPixels(1440) > 0 ? 1440 / m_scale.xPixels(1440) : 1;
    EXPECT_NEAR(window.outerSize().width, (outer.right - outer.left) * 1440 / m_scale.xPixels(1440),
                pixelTwips);
    EXPECT_GT(window.outerSize().width, 5835);
    EXPECT_GT(window.outerSize().height, 4500);
    EXPECT_NEAR(window.screenSize().width,
                GetSystemMetrics(SM_CXSCREEN) * 1440 / m_scale.xPixels(1440), pixelTwips);

    window.moveTo(1500.9F, 3015.0F);
    GetWindowRect(handle, &outer);
    EXPECT_EQ(outer.left, static_cast<int>(1500.9F * m_scale.xPixels(1440) / 1440.0F));
    EXPECT_EQ(outer.top, static_cast<int>(3015.0F * m_scale.yPixels(1440) / 1440.0F));
}

}  // namespace
}  // namespace kestrix
