#include "ui/win32/Win32Window.h"

#include <utility>

#include "platform/win/WinError.h"

namespace kestrix {
namespace {

Win32Window::ErrorHandler& errorHandler() {
    static Win32Window::ErrorHandler handler = [](std::exception_ptr) { PostQuitMessage(1); };
    return handler;
}

}  // namespace

void Win32Window::setErrorHandler(ErrorHandler handler) {
    errorHandler() = std::move(handler);
}

Win32Window* Win32Window::of(HWND window) {
    return reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Win32Window::create(DWORD extendedStyle, const wchar_t* className, const std::wstring& text,
                         DWORD style, const RECT& place, HWND parent, int id) {
    // A top-level window's id field is its menu.
    HMENU menu =
        (style & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    HWND window = CreateWindowExW(extendedStyle, className, text.c_str(), style, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top,
                                  parent, menu, GetModuleHandleW(nullptr), this);
    if (window == nullptr) {
        const DWORD code = GetLastError();
        throw PlatformError(WinError::errorNumber(code),
                            WinError::systemDescription(code, "window"));
    }
    // A window of a registered class is already tied to this object, from its
    // first message on.
    if (m_window.get() != window) {
        m_window.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
}

void Win32Window::registerClass(const wchar_t* className) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    // The program's icon from its resources, the Windows one in the tests.
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);
}

LRESULT Win32Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle(), message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The object is known from the first message on, before create()
        // has returned the handle.
        auto* self =
            static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window.reset(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    Win32Window* self = of(window);
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // Destroyed by the system, with its parent: the object lets go.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window.release();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        errorHandler()(std::current_exception());
        return 0;
    }
}

}  // namespace kestrix
