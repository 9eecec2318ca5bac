// Part of the start-up benchmark: started before KESTRIX.exe, waits for its
// main window, then asks the window's folder list how many rows it holds. A
// window answers another program only when it handles its messages, so the
// answer comes when the list is complete and the window takes input. Prints
// "looking" once it looks, then the milliseconds from the window's appearance
// to that answer, and the rows.

#include <windows.h>

#include <cstdio>

int main() {
    // The benchmark starts KESTRIX.exe only once this is looking.
    std::puts("looking");
    std::fflush(stdout);
    const ULONGLONG deadline = GetTickCount64() + 30000;
    HWND window = nullptr;
    while (!window || !IsWindowVisible(window)) {
        if (GetTickCount64() > deadline) {
            std::fputs("no KESTRIX window within 30 s\n", stderr);
            return 1;
        }
        Sleep(1);
        window = FindWindowW(nullptr, L"KESTRIX");
    }
    LARGE_INTEGER frequency;
    LARGE_INTEGER shown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&shown);
    const HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
    DWORD_PTR rows = 0;
    if (!list || !SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 30000, &rows)) {
        std::fputs("the folder list did not answer within 30 s\n", stderr);
        return 1;
    }
    LARGE_INTEGER answered;
    QueryPerformanceCounter(&answered);
    std::printf("%lld %lu\n", (answered.QuadPart - shown.QuadPart) * 1000 / frequency.QuadPart,
                static_cast<unsigned long>(rows));
    return 0;
}
