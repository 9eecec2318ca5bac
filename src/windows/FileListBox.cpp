#include "windows/FileListBox.h"

#include <algorithm>
#include <system_error>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/FilePattern.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"
#include "windows/views/FileListView.h"

namespace kestrix {

FileListBox::FileListBox(const DriveTable& drives, FileListView& view)
    : m_drives(drives), m_view(view) {}

void FileListBox::setPath(const std::string& folder) {
    const std::filesystem::path host = m_drives.toHost(folder);
    std::error_code error;
    if (!std::filesystem::is_directory(host, error)) {
        throw PlatformError(ErrorNumber::PathNotFound);
    }
    m_path = m_drives.toWindows(host);
    fill(host);
}

void FileListBox::setPattern(const std::string& pattern) {
    m_pattern = pattern;
    if (!m_path.empty()) {
        fill(m_drives.toHost(m_path));
    }
}

std::string FileListBox::fileName() const {
    const auto selected = m_view.selectedIndex();
    return selected ? m_names.at(static_cast<size_t>(*selected)) : std::string();
}

void FileListBox::fill(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        // On Linux a leading dot hides a file, as the hidden attribute does on Windows.
        if (!name.starts_with('.') && entry.is_regular_file(typeError) &&
            FilePattern::matches(name, m_pattern)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return WindowsPath::foldCase(a) < WindowsPath::foldCase(b);
    });
    m_names = names;
    m_view.setEntries(m_names);
}

}  // namespace kestrix
