#include "platform/FolderEntries.h"

#include <windows.h>

#include <string>

namespace kestrix {

// One listing that carries each entry's attributes: the library's directory
// iterator asks for each entry's type on its own, a round trip per entry that
// made a folder of 20,000 sub-folders open seconds late under Wine. A link
// carries the type of what it leads to in its own attributes on Windows.
std::optional<std::vector<std::filesystem::path>> readFolderEntries(
    const std::filesystem::path& folder, EntryType type) {
    std::vector<std::filesystem::path> names;
    std::wstring pattern = folder.native();
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE listing =
        FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                         FIND_FIRST_EX_LARGE_FETCH);
    if (listing == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    do {
        const std::wstring_view name = found.cFileName;
        const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (name == L"." || name == L"..") {
            continue;
        }
        if (isFolder == (type == EntryType::Folder)) {
            names.emplace_back(std::wstring(name));
        }
    } while (FindNextFileW(listing, &found));
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(listing);
    if (!complete) {
        return std::nullopt;
    }
    return names;
}

}  // namespace kestrix
