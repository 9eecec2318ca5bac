// Prints the text of the program's visible message box, for the Wine
// end-to-end run: a dialog titled "KESTRIX" whose text is its static control.
// Waits for one up to the seconds given (default 15); exits 1 when none came.
//   message-box-text.exe [seconds]

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND g_found = nullptr;

BOOL CALLBACK findBox(HWND window, LPARAM) {
    wchar_t className[32] = {};
    wchar_t title[64] = {};
    GetClassNameW(window, className, 32);
    GetWindowTextW(window, title, 64);
    if (IsWindowVisible(window) && std::wcscmp(className, L"#32770") == 0 &&
        std::wcscmp(title, L"KESTRIX") == 0) {
        g_found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 15;
    for (int waited = 0; waited < seconds * 10 && g_found == nullptr; ++waited) {
        EnumWindows(findBox, 0);
        if (g_found == nullptr) {
            Sleep(100);
        }
    }
    if (g_found == nullptr) {
        std::fputs("no message box\n", stderr);
        return 1;
    }
    // The message's static control has the id the system gives it.
    wchar_t text[2048] = {};
    GetDlgItemTextW(g_found, 0xFFFF, text, 2048);
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    std::printf("%s\n", out.c_str());
    return 0;
}
