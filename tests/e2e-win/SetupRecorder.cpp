// Stands in for the game's setup tool in the end-to-end runs. Once the test
// has seen the program that started it end (it then puts a file "go" beside
// the tool), it writes beside itself, in UTF-8: Setup.cmdline, the command
// line as Windows handed it; Setup.clipboard, the text the clipboard holds;
// and Setup.record, each argument a line, last and whole, so that a test
// waiting for it reads all three.

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <filesystem>
#include <fstream>
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

std::string clipboardText() {
    std::string text = "<no text>";
    // Another program may hold the clipboard for a moment.
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
    const std::filesystem::path folder = std::filesystem::path(self).parent_path();
    // Bounded, so that a program that never ends fails the test.
    for (int waited = 0;
         waited < 600 && GetFileAttributesW((folder / L"go").c_str()) == INVALID_FILE_ATTRIBUTES;
         ++waited) {
        Sleep(100);
    }
    const wchar_t* line = GetCommandLineW();
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(line, &count);
    std::string record;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        record += utf8(arguments[i]) + "\n";
    }
    LocalFree(arguments);
    std::ofstream(folder / L"Setup.cmdline", std::ios::binary) << utf8(line) << "\n";
    std::ofstream(folder / L"Setup.clipboard", std::ios::binary) << clipboardText() << "\n";
    std::ofstream(folder / L"Setup.record.part", std::ios::binary) << record;
    return MoveFileExW((folder / L"Setup.record.part").c_str(), (folder / L"Setup.record").c_str(),
                       MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
