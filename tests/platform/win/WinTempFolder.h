#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kestrix {

// A fresh folder under Windows' temporary folder for one test, removed with
// everything in it afterwards, read-only files included.
class WinTempFolder {
public:
    WinTempFolder();
    WinTempFolder(const WinTempFolder&) = delete;
    WinTempFolder& operator=(const WinTempFolder&) = delete;
    ~WinTempFolder();

    const std::filesystem::path& path() const { return m_path; }
    // The folder as the program's texts write it, in the ANSI code page.
    std::string text() const;

private:
    std::filesystem::path m_path;
};

// Writes bytes exactly, creating the folders on the way.
void writeBytes(const std::filesystem::path& path, std::string_view bytes);
std::string readBytes(const std::filesystem::path& path);

void setReadOnly(const std::filesystem::path& path, bool readOnly);
bool isReadOnly(const std::filesystem::path& path);

}  // namespace kestrix
