#include "windows/FileListBox.h"

#include <system_error>
#include <utility>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/FilePattern.h"
#include "platform/PlatformError.h"
#include "windows/FolderNames.h"
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
    m_names.clear();
    for (std::string& name : visibleNames(folder, EntryType::File)) {
        if (FilePattern::matches(name, m_pattern)) {
            m_names.push_back(std::move(name));
        }
    }
    m_view.setEntries(m_names);
}

}  // namespace kestrix
