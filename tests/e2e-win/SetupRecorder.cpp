// Stands in for the game's setup tool in the end-to-end runs, as
// setup-recorder.sh does for the Linux program. Once the test has seen the
// program that started it end (it then puts a file "go" beside the tool), it
// writes beside itself, in UTF-16, the command line as Windows handed it and
// the text the clipboard holds; whole under another name first, so that a
// test never reads half a record.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::wstring clipboardText() {
    std::wstring text = L"<no text>";
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) {
        Sleep(100);
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
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
    const std::wstring record = std::wstring(GetCommandLineW()) + L"\n" + clipboardText() + L"\n";
    std::ofstream(folder / L"Setup.record.part", std::ios::binary)
        .write(reinterpret_cast<const char*>(record.data()),
               static_cast<std::streamsize>(record.size() * sizeof(wchar_t)));
    return MoveFileExW((folder / L"Setup.record.part").c_str(), (folder / L"Setup.record").c_str(),
                       MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
