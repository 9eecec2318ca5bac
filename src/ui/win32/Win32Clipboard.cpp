#include "ui/win32/Win32Clipboard.h"

#include <cstring>

#include "platform/PlatformError.h"
#include "platform/win/Utf16.h"
#include "ui/win32/UniqueHandle.h"

namespace kestrix {
namespace {

// The classic runtime's number and words for a clipboard that another
// program holds.
constexpr int CantOpenClipboard = 521;

// Clipboard history, remote desktop and clipboard managers open the
// clipboard for a moment whenever it changes; a short while of retries waits
// them out.
constexpr int OpenAttempts = 20;
constexpr DWORD OpenRetryMilliseconds = 25;

// Open for one operation and closed at its end, even when the operation
// fails, so that other programs can use the clipboard again.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        for (int attempt = 1; !OpenClipboard(owner); ++attempt) {
            if (attempt == OpenAttempts) {
                throw PlatformError(CantOpenClipboard, "Can't open Clipboard");
            }
            Sleep(OpenRetryMilliseconds);
        }
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

void freeGlobal(HGLOBAL memory) {
    GlobalFree(memory);
}
using GlobalMemory = UniqueHandle<HGLOBAL, freeGlobal>;

}  // namespace

Win32Clipboard::Win32Clipboard()
    : m_owner(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr)) {}

void Win32Clipboard::clear() {
    OpenedClipboard opened(m_owner.get());
    if (!EmptyClipboard()) {
        throw PlatformError(CantOpenClipboard, "Can't open Clipboard");
    }
}

void Win32Clipboard::setText(const std::string& text) {
    const std::wstring wide = Utf16::fromCodePage(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory) {
        throw PlatformError(7, "Out of memory");
    }
    void* locked = GlobalLock(memory.get());
    if (locked == nullptr) {
        throw PlatformError(7, "Out of memory");
    }
    std::memcpy(locked, wide.c_str(), bytes);
    GlobalUnlock(memory.get());

    OpenedClipboard opened(m_owner.get());
    // Setting text replaces whatever the clipboard held, in every format.
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) {
        throw PlatformError(CantOpenClipboard, "Can't open Clipboard");
    }
    // The system owns the memory now.
    memory.release();
}

}  // namespace kestrix
