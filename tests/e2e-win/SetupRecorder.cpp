// Stands in for the game's setup tool in the Wine end-to-end run. It waits
// until the program that started it has ended, then writes beside itself, in
// UTF-8: Setup.cmdline, the command line as Windows handed it; Setup.clipboard,
// the text the clipboard holds then; and Setup.record, each argument a line,
// written last and whole, so that a test waiting for it reads all three.

#include <windows.h>
// After windows.h, whose types they use.
#include <shellapi.h>
#include <tlhelp32.h>

#include <string>

namespace {

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

bool writeFile(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool whole =
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
        written == text.size();
    CloseHandle(file);
    return whole;
}

DWORD parentProcessId() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD parent = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == GetCurrentProcessId()) {
            parent = entry.th32ParentProcessID;
        }
    }
    CloseHandle(snapshot);
    return parent;
}

// KESTRIX ends right after starting the tool; what it left on the clipboard
// must outlive it. Bounded, so that a KESTRIX that hangs fails the test.
void waitForParentToEnd() {
    HANDLE parent = OpenProcess(SYNCHRONIZE, FALSE, parentProcessId());
    if (parent != nullptr) {
        WaitForSingleObject(parent, 10000);
        CloseHandle(parent);
    }
}

std::string clipboardText() {
    std::string text = "<no text>";
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) {
        Sleep(100);
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = utf8(static_cast<const wchar_t*>(GlobalLock(data)));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    folder.resize(folder.find_last_of(L'\\') + 1);

    const wchar_t* line = GetCommandLineW();
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(line, &count);
    std::string record;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        record += utf8(arguments[i]) + "\n";
    }
    LocalFree(arguments);

    waitForParentToEnd();
    const bool written = writeFile(folder + L"Setup.cmdline", utf8(line) + "\n") &&
                         writeFile(folder + L"Setup.clipboard", clipboardText() + "\n") &&
                         writeFile(folder + L"Setup.record.part", record) &&
                         MoveFileExW((folder + L"Setup.record.part").c_str(),
                                     (folder + L"Setup.record").c_str(), MOVEFILE_REPLACE_EXISTING);
    return written ? 0 : 1;
}
