#include "platform/DriveTable.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"

// What the drive tables of both systems share; each system's own part, in
// posix/ and win/, finds the drives and maps the texts onto its file system.

namespace kestrix {

namespace fs = std::filesystem;

DriveTable::DriveTable(std::vector<Drive> drives, fs::path processCurrentDirectory,
                       const CodePage& codePage)
    : m_drives(std::move(drives)),
      m_processCurrentDirectory(normalFolder(processCurrentDirectory)),
      m_codePage(&codePage) {
    for (Drive& drive : m_drives) {
        drive.letter = WindowsPath::upperCaseLetter(drive.letter);
        drive.root = normalFolder(drive.root);
    }
    // The current folder is only where the lists first open. Started from a
    // network folder or one whose name the code page cannot write, they open
    // in the program's own folder, or else at the first drive's root.
    if (canOpenIn(m_processCurrentDirectory)) {
        return;
    }
    std::vector<fs::path> fallbacks{programFolder()};
    for (const Drive& drive : m_drives) {
        fallbacks.push_back(drive.root);
    }
    for (const fs::path& folder : fallbacks) {
        if (canOpenIn(folder)) {
            m_processCurrentDirectory = folder;
            return;
        }
    }
}

// Whether a folder can be where the lists open: on a drive letter, in names
// the code page can write.
bool DriveTable::canOpenIn(const fs::path& folder) const {
    try {
        const std::string text = toWindows(folder);
        return text.size() >= 3 && WindowsPath::driveLetter(text) && text[2] == '\\';
    } catch (const PlatformError&) {
        return false;
    }
}

std::optional<std::ptrdiff_t> DriveTable::prefixLength(const fs::path& folder,
                                                       const fs::path& path) {
    const auto [folderEnd, pathEnd] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end(), sameName);
    if (folderEnd != folder.end()) {
        return std::nullopt;
    }
    return std::distance(path.begin(), pathEnd);
}

const Drive* DriveTable::findDrive(char letter) const {
    const char upper = WindowsPath::upperCaseLetter(letter);
    const auto drive = std::find_if(m_drives.begin(), m_drives.end(),
                                    [upper](const Drive& d) { return d.letter == upper; });
    return drive == m_drives.end() ? nullptr : &*drive;
}

const Drive* DriveTable::holdingDrive(const fs::path& path, std::ptrdiff_t& heldNames) const {
    const Drive* best = nullptr;
    heldNames = 0;
    for (const Drive& drive : m_drives) {
        const std::optional<std::ptrdiff_t> length = heldLength(drive, path);
        if (length && (best == nullptr || *length > heldNames)) {
            best = &drive;
            heldNames = *length;
        }
    }
    return best;
}

PlatformError DriveTable::unwritableName(const std::string& describedPath) const {
    return PlatformError(ErrorNumber::BadFileName,
                         "The name \"" + describedPath + "\" holds characters that " +
                             m_codePage->name() +
                             ", this system's code page, cannot write, so Windows programs such "
                             "as the game's tools cannot reach it. Rename it, or choose another "
                             "folder.");
}

std::string DriveTable::currentDirectory(char letter) const {
    const std::string current = processCurrentDirectory();
    const char upper = WindowsPath::upperCaseLetter(letter);
    if (WindowsPath::upperCaseLetter(current[0]) == upper) {
        return current;
    }
    return std::string{upper, ':', '\\'};
}

std::string DriveTable::processCurrentDirectory() const {
    return toWindows(m_processCurrentDirectory);
}

}  // namespace kestrix
