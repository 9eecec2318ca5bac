// Stands in for the game's setup tool where the clipboard matters: it waits
// until the test says that KESTRIX has ended (a file "go" appears beside it),
// then pastes as the player would into the tool's folder field, and records
// the clipboard's text, as UTF-16, in "clipboard.txt" beside itself, after
// its arguments, one a line. An empty clipboard gives the line
// "<no text on the clipboard>". The file appears whole.

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <string>

namespace {

// Wine's own start and the test's steps take seconds; the test waits longer.
constexpr DWORD GoWaitMilliseconds = 120000;

std::wstring moduleFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name.substr(0, name.find_last_of(L'\\') + 1);
        }
        name.resize(name.size() * 2);
    }
}

bool waitForGo(const std::wstring& folder) {
    const std::wstring go = folder + L"go";
    for (DWORD waited = 0; waited < GoWaitMilliseconds; waited += 100) {
        if (GetFileAttributesW(go.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        Sleep(100);
    }
    return false;
}

class OpenedClipboard {
public:
    // Another program may hold the clipboard for a moment.
    OpenedClipboard() {
        for (int attempt = 0; attempt < 50 && !m_open; ++attempt) {
            m_open = OpenClipboard(nullptr) != 0;
            if (!m_open) {
                Sleep(100);
            }
        }
    }
    ~OpenedClipboard() {
        if (m_open) {
            CloseClipboard();
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

    bool isOpen() const { return m_open; }

private:
    bool m_open = false;
};

std::wstring clipboardText() {
    const OpenedClipboard clipboard;
    if (!clipboard.isOpen()) {
        return L"<the clipboard could not be opened>";
    }
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return L"<no text on the clipboard>";
    }
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    if (text == nullptr) {
        return L"<no text on the clipboard>";
    }
    std::wstring copy(text);
    GlobalUnlock(data);
    return copy;
}

bool writeWhole(const std::wstring& folder, const std::wstring& text) {
    const std::wstring partial = folder + L"clipboard.tmp";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const bool complete = WriteFile(file, text.data(), size, &written, nullptr) && written == size;
    CloseHandle(file);
    return complete && MoveFileExW(partial.c_str(), (folder + L"clipboard.txt").c_str(),
                                   MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

// A window program, as the game's setup tool is, though it opens no window.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring folder = moduleFolder();
    std::wstring text;
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        text += arguments[i];
        text += L"\n";
    }
    LocalFree(arguments);
    if (!waitForGo(folder)) {
        return 1;
    }
    text += clipboardText() + L"\n";
    return writeWhole(folder, text) ? 0 : 1;
}
