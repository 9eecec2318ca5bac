#include "ui/win32/Win32WindowSystem.h"

#include "ui/win32/Win32MessageLoop.h"
#include "ui/win32/Win32WindowView.h"

namespace kestrix {
namespace {

BOOL CALLBACK hideFormWindow(HWND window, LPARAM) {
    if (Win32WindowView::isFormWindow(window)) {
        ShowWindow(window, SW_HIDE);
        // Wakes the modal loop that waits for it.
        PostMessageW(window, WM_NULL, 0, 0);
    }
    return TRUE;
}

}  // namespace

void Win32WindowSystem::hideAllWindows() {
    // Hiding, unlike closing, runs no handler.
    EnumThreadWindows(GetCurrentThreadId(), hideFormWindow, 0);
}

void Win32WindowSystem::quit(int exitCode) {
    PostQuitMessage(exitCode);
}

void Win32WindowSystem::runPendingEvents() {
    Win32MessageLoop::runPending();
}

}  // namespace kestrix
