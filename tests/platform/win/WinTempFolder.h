#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "support/TempFolder.h"

namespace kestrix {

// A temporary folder that Windows lets go of: read-only files in it are made
// writable first, and a program a test started from it is waited for.
class WinTempFolder {
public:
    WinTempFolder() = default;
    WinTempFolder(const WinTempFolder&) = delete;
    WinTempFolder& operator=(const WinTempFolder&) = delete;
    ~WinTempFolder();

    const std::filesystem::path& path() const { return m_folder.path(); }
    // The folder as the program's texts write it, in the ANSI code page.
    std::string text() const;

private:
    TempFolder m_folder;
};

// The read-only attribute, which the C runtime keeps as the write permission.
// A path that is not there stays so.
inline void setReadOnly(const std::filesystem::path& path, bool readOnly) {
    std::error_code absent;
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_write,
        readOnly ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add,
        absent);
}

}  // namespace kestrix
