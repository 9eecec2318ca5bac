#include "windows/FileListBox.h"

#include <system_error>
#include <utility>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/FilePattern.h"
#include "platform/PlatformError.h"
#include "views/FileListView.h"
#include "windows/FolderNames.h"

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
    // A file whose name the code page cannot write is left out: no Windows
    // path can name it, so the setup tool could not open it, and a look-alike
    // in its place would name another file.
    for (FolderName& name : visibleNames(m_drives, folder, EntryType::File)) {
        if (name.hasWindowsText && FilePattern::matches(name.text, m_pattern)) {
            m_names.push_back(std::move(name.text));
        }
    }
    m_view.setEntries(m_names);
}

}  // namespace kestrix
