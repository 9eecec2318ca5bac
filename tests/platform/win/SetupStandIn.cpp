// Stands in for the game's setup tool, built for 32 and 64 bits as the real
// one is a 32-bit program. It records what Windows handed it, as UTF-16 lines
// in "arguments.txt" beside itself: its own file name, the command line as it
// received it, then the first two arguments as each common reading of that
// line finds them: the C runtime's argv, CommandLineToArgvW, and the reading
// that skips the program's name up to the first blank. The file appears
// whole, so a test that waits for it never reads half of it.

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::wstring moduleFileName() {
    std::wstring name(MAX_PATH, L'\0');
    name.resize(GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size())));
    return name;
}

bool writeWhole(const std::wstring& folder, const std::wstring& text) {
    const std::filesystem::path partial = folder + L"arguments.tmp";
    if (!(std::ofstream(partial, std::ios::binary)
              .write(reinterpret_cast<const char*>(text.data()),
                     static_cast<std::streamsize>(text.size() * sizeof(wchar_t))))) {
        return false;
    }
    return MoveFileExW(partial.c_str(), (folder + L"arguments.txt").c_str(),
                       MOVEFILE_REPLACE_EXISTING);
}

std::wstring wide(const char* text) {
    std::wstring result(MAX_PATH * 4, L'\0');
    result.resize(static_cast<std::size_t>(
        std::max(0, MultiByteToWideChar(CP_ACP, 0, text, -1, result.data(), MAX_PATH * 4) - 1)));
    return result;
}

std::wstring firstTwo(const wchar_t* reading, const std::wstring& command,
                      const std::wstring& package) {
    return std::wstring(reading) + L"|" + command + L"|" + package + L"\n";
}

// Old programs' own reading: the program's name ends at the first blank, the
// command at the next, and a package in quotes runs to the closing quote.
std::wstring blankReading(const std::wstring& line) {
    std::size_t at = line.find_first_of(L" \t");
    at = line.find_first_not_of(L" \t", at == std::wstring::npos ? line.size() : at);
    const std::size_t commandEnd = std::min(line.find_first_of(L" \t", at), line.size());
    const std::wstring command = line.substr(std::min(at, line.size()), commandEnd - at);
    std::size_t start = std::min(line.find_first_not_of(L" \t", commandEnd), line.size());
    const bool quoted = start < line.size() && line[start] == L'"';
    start += quoted ? 1 : 0;
    const std::size_t end =
        std::min(line.find_first_of(quoted ? L"\"" : L" \t", start), line.size());
    return firstTwo(L"blank", command, line.substr(start, end - start));
}

}  // namespace

// A window program, as the game's setup tool is, though it opens no window.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::wstring self = moduleFileName();
    const std::wstring line = GetCommandLineW();
    std::wstring text = self + L"\n" + line + L"\n";
    text +=
        firstTwo(L"argv", __argc > 1 ? wide(__argv[1]) : L"", __argc > 2 ? wide(__argv[2]) : L"");
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(line.c_str(), &count);
    text += firstTwo(L"shell", count > 1 ? arguments[1] : L"", count > 2 ? arguments[2] : L"");
    LocalFree(arguments);
    text += blankReading(line);
    return writeWhole(self.substr(0, self.find_last_of(L'\\') + 1), text) ? 0 : 1;
}
