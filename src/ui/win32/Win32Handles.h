#pragma once

#include "ui/win32/WindowsApi.h"

#include "ui/win32/UniqueHandle.h"

namespace kestrix {

namespace Win32Close {
// The system's release functions return a result nobody can act on at
// clean-up; these drop it so that they fit UniqueHandle.
inline void window(HWND handle) {
    DestroyWindow(handle);
}
inline void font(HFONT handle) {
    DeleteObject(handle);
}
inline void pen(HPEN handle) {
    DeleteObject(handle);
}
inline void brush(HBRUSH handle) {
    DeleteObject(handle);
}
inline void registryKey(HKEY handle) {
    RegCloseKey(handle);
}
inline void kernelObject(HANDLE handle) {
    CloseHandle(handle);
}
inline void screenContext(HDC handle) {
    ReleaseDC(nullptr, handle);
}
}  // namespace Win32Close

using WindowHandle = UniqueHandle<HWND, Win32Close::window>;
using FontHandle = UniqueHandle<HFONT, Win32Close::font>;
using PenHandle = UniqueHandle<HPEN, Win32Close::pen>;
using BrushHandle = UniqueHandle<HBRUSH, Win32Close::brush>;
using RegistryKey = UniqueHandle<HKEY, Win32Close::registryKey>;
using KernelHandle = UniqueHandle<HANDLE, Win32Close::kernelObject>;
// The whole screen's device context, as GetDC(nullptr) hands it out.
using ScreenContext = UniqueHandle<HDC, Win32Close::screenContext>;

}  // namespace kestrix
