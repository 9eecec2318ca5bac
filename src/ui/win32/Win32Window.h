#pragma once

#include "ui/win32/WindowsApi.h"

#include <exception>
#include <functional>
#include <string>

#include "ui/win32/Win32Handles.h"

namespace kestrix {

// The one base of every window and control of the Win32 side: it owns the
// window handle and finds its way back from a handle to its object, so that a
// window can hand its controls' notifications (WM_COMMAND, WM_DRAWITEM) to the
// control objects they belong to. One class derives from it per kind.
class Win32Window {
public:
    virtual ~Win32Window() = default;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND handle() const { return m_window.get(); }

    // The object behind a window created by this side, or null for any other.
    static Win32Window* of(HWND window);

    // Where an error that escapes a window's message handling goes: an
    // exception must not unwind through the system's frames of the message
    // loop. main() hands it to the module's guard; until then the program
    // ends with status 1.
    using ErrorHandler = std::function<void(std::exception_ptr error)>;
    static void setErrorHandler(ErrorHandler handler);

    // A notification the control sent its parent (WM_COMMAND's code).
    virtual void notified(WORD /*code*/) {}
    // An owner-drawn control's item to draw.
    virtual void drawItem(const DRAWITEMSTRUCT& /*item*/) {}

protected:
    Win32Window() = default;

    // Creates the window, of a system class or of one registered with
    // registerClass, and ties it to this object. Raises a PlatformError when
    // Windows refuses.
    void create(DWORD extendedStyle, const wchar_t* className, const std::wstring& text,
                DWORD style, const RECT& place, HWND parent, int id);

    // Registers a window class whose messages go to handleMessage; once for
    // each name.
    static void registerClass(const wchar_t* className);

    // The messages of a window of a class from registerClass.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    WindowHandle m_window;
};

}  // namespace kestrix
