#include "ui/win32/Win32WindowSystem.h"

#include <gtest/gtest.h>

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/win32/Win32MessageLoop.h"
#include "ui/win32/Win32ViewFactory.h"
#include "ui/win32/Win32Window.h"
#include "ui/win32/Win32WindowView.h"
#include "ui/win32/WindowsApi.h"

namespace kestrix {
namespace {

FormLayout window(const char* title) {
    return FormLayout{
        title, 1500, 1500, {{"Command1", ControlKind::Button, "OK", 0, 0, 600, 300, 0}}};
}

HWND handleOf(const FormViews& views) {
    return static_cast<Win32WindowView&>(views.window()).handle();
}

// Takes what WM_QUIT is waiting, so that one test's quit ends no other loop.
int takeQuit() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            return static_cast<int>(message.wParam);
        }
    }
    return -1;
}

// The program ends from inside nested modal shows, which keep their owners
// from input: hiding every window ends each of them, and the quit reaches the
// outermost loop.
TEST(Win32WindowSystemTest, HidingAllWindowsEndsEveryModalShowAndQuitReachesTheOuterLoop) {
    Win32ViewFactory factory;
    Win32WindowSystem system;
    FormViews main = factory.create(window("KESTRIX"));
    FormViews installer = factory.create(window("KESTRIX Installer"));
    FormViews nested = factory.create(window("KESTRIX"));
    main.window().show();

    bool innerReturned = false;
    installer.control<ButtonView>("Command1").onClick([&] {
        nested.window().showModal(installer.window());
        innerReturned = true;
    });
    bool ownersDisabled = false;
    nested.control<ButtonView>("Command1").onClick([&] {
        ownersDisabled = !IsWindowEnabled(handleOf(main)) && !IsWindowEnabled(handleOf(installer));
        system.hideAllWindows();
        system.quit(3);
    });
    // The installer's button opens the nested window, whose button ends all.
    HWND installerButton = GetWindow(handleOf(installer), GW_CHILD);
    HWND nestedButton = GetWindow(handleOf(nested), GW_CHILD);
    PostMessageW(installerButton, BM_CLICK, 0, 0);
    PostMessageW(nestedButton, BM_CLICK, 0, 0);
    installer.window().showModal(main.window());

    EXPECT_TRUE(innerReturned);
    EXPECT_TRUE(ownersDisabled);
    EXPECT_EQ(GetWindow(handleOf(nested), GW_OWNER), handleOf(installer));
    for (HWND handle : {handleOf(main), handleOf(installer), handleOf(nested)}) {
        EXPECT_FALSE(IsWindowVisible(handle));
    }
    EXPECT_EQ(Win32MessageLoop::run(), 3);
}

// The drive change runs what is waiting and returns; a quit met on the way is
// left for the loops around it.
TEST(Win32WindowSystemTest, RunningPendingEventsKeepsTheQuit) {
    Win32ViewFactory factory;
    Win32WindowSystem system;
    FormViews views = factory.create(window("KESTRIX"));
    int clicks = 0;
    views.control<ButtonView>("Command1").onClick([&] { ++clicks; });
    HWND button = GetWindow(handleOf(views), GW_CHILD);
    PostMessageW(button, BM_CLICK, 0, 0);
    system.runPendingEvents();
    EXPECT_EQ(clicks, 1);

    system.quit(5);
    PostMessageW(button, BM_CLICK, 0, 0);
    system.runPendingEvents();
    EXPECT_EQ(takeQuit(), 5);
}

// Clicks and keys given while the first window waited for its folder list
// are dropped; what the program posts itself stays.
TEST(Win32WindowSystemTest, DroppingInputKeepsWhatTheProgramPosted) {
    Win32ViewFactory factory;
    FormViews views = factory.create(window("KESTRIX"));
    HWND button = GetWindow(handleOf(views), GW_CHILD);
    for (const UINT input : {WM_KEYDOWN, WM_CHAR, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, BM_CLICK}) {
        PostMessageW(button, input, 0, 0);
    }
    Win32MessageLoop::dropInput();
    std::vector<UINT> left;
    MSG message{};
    while (PeekMessageW(&message, button, 0, 0, PM_REMOVE)) {
        left.push_back(message.message);
    }
    EXPECT_EQ(left, std::vector<UINT>{BM_CLICK});
}

// An error that escapes a handler reaches the error handler inside the
// window procedure, and the message loop goes on.
TEST(Win32WindowSystemTest, ErrorsDoNotCrossTheMessageLoop) {
    Win32ViewFactory factory;
    FormViews views = factory.create(window("KESTRIX"));
    std::string caught;
    Win32Window::setErrorHandler([&caught](const std::exception_ptr& error) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            caught = e.what();
        }
    });
    views.control<ButtonView>("Command1").onClick([] { throw std::runtime_error("broken"); });
    PostMessageW(GetWindow(handleOf(views), GW_CHILD), BM_CLICK, 0, 0);
    PostMessageW(handleOf(views), WM_NULL, 0, 0);
    int rounds = 0;
    Win32MessageLoop::runWhile([&] { return caught.empty() && ++rounds < 100; });
    Win32Window::setErrorHandler([](const std::exception_ptr&) { PostQuitMessage(1); });
    EXPECT_EQ(caught, "broken");
}

}  // namespace
}  // namespace kestrix
