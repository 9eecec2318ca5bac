#include "windows/DirListBox.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"
#include "views/DirListView.h"
#include "windows/FolderNames.h"

namespace kestrix {
namespace {

bool isDriveValue(const std::string& text) {
    return WindowsPath::driveLetter(text) &&
           (text.size() == 2 || !WindowsPath::isSeparator(text[2]));
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

}  // namespace

DirListBox::DirListBox(const DriveTable& drives, DirListView& view)
    : m_drives(drives), m_view(view) {
    m_view.onOpen([this](int index) { open(index); });
}

void DirListBox::setPath(const std::string& pathOrDrive) {
    std::string wanted = pathOrDrive;
    if (isDriveValue(pathOrDrive)) {
        const char letter = *WindowsPath::driveLetter(pathOrDrive);
        if (!m_drives.isReady(letter)) {
            throw PlatformError(ErrorNumber::DeviceUnavailable);
        }
        wanted = m_drives.currentDirectory(letter);
    }
    const std::filesystem::path host = m_drives.toHost(wanted);
    std::error_code error;
    if (!std::filesystem::is_directory(host, error)) {
        throw PlatformError(ErrorNumber::PathNotFound);
    }
    // Shown and stored with the names as they are on disk.
    const std::string opened = m_drives.toWindows(host);
    if (opened == m_path) {
        return;
    }
    m_path = opened;
    fill(SubFolders::MayFollow);
    if (m_changed) {
        m_changed();
    }
}

void DirListBox::finishListing() {
    if (m_subFoldersToFollow) {
        fill(SubFolders::WaitForThem);
    }
}

void DirListBox::fill(SubFolders subFolders) {
    std::vector<DirEntry> entries;
    m_targets.clear();
    const auto addEntry = [&](const std::string& text, Target target, int depth, bool open) {
        entries.push_back({text, depth, open});
        m_targets.push_back(std::move(target));
    };

    const std::string root = m_path.substr(0, 3);
    std::string folder = root;
    addEntry(root, {root, {}}, 0, true);
    int depth = 0;
    for (const std::string& name : WindowsPath::components(m_path.substr(3))) {
        folder = joined(folder, name);
        addEntry(name, {folder, {}}, ++depth, true);
    }
    const int current = static_cast<int>(entries.size()) - 1;
    const std::filesystem::path host = m_drives.toHost(m_path);
    m_subFoldersToFollow =
        subFolders == SubFolders::MayFollow && folderEntriesArriving(host, EntryType::Folder);
    if (!m_subFoldersToFollow) {
        for (const FolderName& name : visibleNames(m_drives, host, EntryType::Folder)) {
            addEntry(name.text,
                     name.hasWindowsText ? Target{joined(m_path, name.text), {}}
                                         : Target{{}, host / name.hostName},
                     depth + 1, false);
        }
    }
    m_view.setEntries(entries, current);
}

void DirListBox::open(int index) {
    try {
        const Target& target = m_targets.at(static_cast<size_t>(index));
        // A host path's Windows form raises BadFileName, naming the folder.
        setPath(target.hostPath.empty() ? target.windowsPath : m_drives.toWindows(target.hostPath));
    } catch (const PlatformError& error) {
        if (m_openFailed) {
            m_openFailed(error.description());
        }
    }
}

}  // namespace kestrix
