// Stands in for the game's setup tool. It records what Windows handed it, as
// UTF-16 lines in "arguments.txt" beside itself: its own file name, the
// command line as it received it, then each argument as the runtime splits
// the line. The file appears whole, so a test that waits for it never reads
// half of it.

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <string>

namespace {

std::wstring moduleFileName() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        name.resize(name.size() * 2);
    }
}

bool writeWhole(const std::wstring& folder, const std::wstring& text) {
    const std::wstring partial = folder + L"arguments.tmp";
    const HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const bool complete = WriteFile(file, text.data(), size, &written, nullptr) && written == size;
    CloseHandle(file);
    return complete && MoveFileExW(partial.c_str(), (folder + L"arguments.txt").c_str(),
                                   MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

// A window program, as the game's setup tool is, though it opens no window.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring self = moduleFileName();
    const wchar_t* line = GetCommandLineW();
    std::wstring text = self + L"\n" + line + L"\n";
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(line, &count);
    for (int i = 0; arguments != nullptr && i < count; ++i) {
        text += arguments[i];
        text += L"\n";
    }
    LocalFree(arguments);
    return writeWhole(self.substr(0, self.find_last_of(L'\\') + 1), text) ? 0 : 1;
}
