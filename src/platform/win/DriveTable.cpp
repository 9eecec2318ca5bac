#include "platform/DriveTable.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/WindowsPath.h"
#include "platform/win/Utf16.h"

// On Windows the texts already are host paths: a path on a drive whose root is
// its own ("C:\\", as every drive of fromSystem) is handed to Windows as it
// stands, converted from the ANSI code page, and Windows itself finds each
// name whatever its letter case, so nothing is mapped; the table serves only
// to list the drives and to say which are ready. A table built from a list
// (for tests) may give a letter another folder as its root, as the Linux
// side's table does, so that the same tests run on temporary folders as
// drives: texts on such a drive are mapped onto that folder and back.

namespace kestrix {

namespace fs = std::filesystem;

namespace {

char upperCase(char letter) {
    return (letter >= 'a' && letter <= 'z') ? static_cast<char>(letter - 'a' + 'A') : letter;
}

fs::path rootOf(char letter) {
    return fs::path(std::wstring{static_cast<wchar_t>(letter), L':', L'\\'});
}

// The label of a fixed or RAM drive's volume. Removable, optical and network
// drives are not asked: asking would wait for a medium or a server at every
// start, and Windows would offer to insert a disk.
std::string volumeLabel(const fs::path& root) {
    const UINT type = GetDriveTypeW(root.c_str());
    if (type != DRIVE_FIXED && type != DRIVE_RAMDISK) {
        return {};
    }
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0)) {
        return {};
    }
    return Utf16::toCodePage(label).value_or(std::string());
}

// Whole and normal as Windows itself makes a path, without the trailing
// separator of a folder ("C:\UT\" is "C:\UT"), as the directory lists show
// their paths; a drive's root keeps its own. Windows' own function, because
// the library's absolute() doubles a network path's "\\server\share" and
// lexically_normal() drops one of its backslashes.
fs::path normalFolder(const fs::path& path) {
    const std::wstring& given = path.native();
    std::wstring full(MAX_PATH, L'\0');
    DWORD length =
        GetFullPathNameW(given.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(given.c_str(), length, full.data(), nullptr);
    }
    if (length == 0) {
        return path;
    }
    full.resize(length);
    const bool driveRoot = full.size() == 3 && full[1] == L':';
    if (full.size() > 1 && full.back() == L'\\' && !driveRoot) {
        full.pop_back();
    }
    return fs::path(full);
}

// The folder KESTRIX.exe is in.
fs::path programFolder() {
    std::wstring file(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()))) ==
           file.size()) {
        file.resize(file.size() * 2);
    }
    file.resize(length);
    return fs::path(file).parent_path();
}

// Whether a folder can be where the lists open: on a drive letter, in names
// the code page can write.
bool canOpenIn(const DriveTable& table, const fs::path& folder) {
    try {
        const std::string text = table.toWindows(folder);
        return text.size() >= 3 && WindowsPath::driveLetter(text) && text[2] == '\\';
    } catch (const PlatformError&) {
        return false;
    }
}

const Drive* findDrive(const std::vector<Drive>& drives, char letter) {
    const auto drive = std::find_if(drives.begin(), drives.end(),
                                    [letter](const Drive& d) { return d.letter == letter; });
    return drive == drives.end() ? nullptr : &*drive;
}

bool isOwnRoot(const Drive& drive) {
    return drive.root == rootOf(drive.letter);
}

// The number of leading components of path that folder holds, or nothing when
// folder is not path or an ancestor of it; names compare as Windows does.
std::optional<std::ptrdiff_t> heldLength(const fs::path& folder, const fs::path& path) {
    const auto [folderEnd, pathEnd] = std::mismatch(
        folder.begin(), folder.end(), path.begin(), path.end(),
        [](const fs::path& a, const fs::path& b) {
            return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
        });
    if (folderEnd != folder.end()) {
        return std::nullopt;
    }
    return std::distance(path.begin(), pathEnd);
}

}  // namespace

DriveTable::DriveTable(std::vector<Drive> drives, fs::path processCurrentDirectory,
                       const CodePage& codePage)
    : m_drives(std::move(drives)),
      m_processCurrentDirectory(normalFolder(processCurrentDirectory)),
      m_codePage(&codePage) {
    for (Drive& drive : m_drives) {
        drive.letter = upperCase(drive.letter);
        drive.root = normalFolder(drive.root);
    }
    // The current folder is only where the lists first open. Started from a
    // network folder or one whose name the code page cannot write, they open
    // in the program's own folder, or else at the first drive's root.
    if (canOpenIn(*this, m_processCurrentDirectory)) {
        return;
    }
    std::vector<fs::path> fallbacks{programFolder()};
    for (const Drive& drive : m_drives) {
        fallbacks.push_back(drive.root);
    }
    for (const fs::path& folder : fallbacks) {
        if (canOpenIn(*this, folder)) {
            m_processCurrentDirectory = folder;
            return;
        }
    }
}

DriveTable DriveTable::fromSystem() {
    const DWORD present = GetLogicalDrives();
    std::vector<Drive> drives;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if ((present & (1UL << (letter - 'A'))) != 0) {
            const fs::path root = rootOf(letter);
            drives.push_back(Drive{letter, root, volumeLabel(root)});
        }
    }
    return DriveTable(std::move(drives), fs::current_path());
}

bool DriveTable::isReady(char letter) const {
    const Drive* drive = findDrive(m_drives, upperCase(letter));
    if (drive == nullptr) {
        return false;
    }
    // A drive without its disk must answer "not ready", not ask the user to
    // insert one.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
    const DWORD attributes = GetFileAttributesW(drive->root.c_str());
    SetThreadErrorMode(previousMode, nullptr);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

fs::path DriveTable::toHost(std::string_view windowsPath) const {
    // A text without a letter is on the current directory's drive or a network
    // share; Windows reports those itself when they fail.
    const std::optional<char> letter = WindowsPath::driveLetter(windowsPath);
    if (letter && !isReady(*letter)) {
        throw PlatformError(ErrorNumber::DeviceUnavailable);
    }
    const fs::path host(Utf16::fromCodePage(windowsPath));
    if (const Drive* drive = letter ? findDrive(m_drives, upperCase(*letter)) : nullptr;
        drive != nullptr && !isOwnRoot(*drive)) {
        return drive->root / host.relative_path();
    }
    return host;
}

std::string DriveTable::toWindows(const fs::path& hostPath) const {
    // A network path stands alone: the library would join it to the current
    // folder's drive, not seeing "\\\\server\\share" as a root.
    const bool network = hostPath.native().starts_with(L"\\\\");
    const fs::path path = normalFolder(network ? hostPath : m_processCurrentDirectory / hostPath);
    // A mapped drive gives its letter to the paths in its folder, the most
    // specific folder first.
    const Drive* best = nullptr;
    std::ptrdiff_t bestLength = 0;
    for (const Drive& drive : m_drives) {
        const std::optional<std::ptrdiff_t> length =
            isOwnRoot(drive) ? std::nullopt : heldLength(drive.root, path);
        if (length && *length > bestLength) {
            best = &drive;
            bestLength = *length;
        }
    }
    std::wstring windows = path.native();
    if (best != nullptr) {
        windows = rootOf(best->letter).native();
        auto name = path.begin();
        std::advance(name, bestLength);
        for (; name != path.end(); ++name) {
            if (windows.back() != L'\\') {
                windows += L'\\';
            }
            windows += name->native();
        }
    }
    if (std::optional<std::string> text = Utf16::toCodePage(windows)) {
        return *std::move(text);
    }
    throw PlatformError(ErrorNumber::BadFileName,
                        "The name \"" + Utf16::describe(windows) + "\" holds characters that " +
                            m_codePage->name() +
                            ", this system's code page, cannot write, so Windows programs such "
                            "as the game's tools cannot reach it. Rename it, or choose another "
                            "folder.");
}

std::optional<std::string> DriveTable::nameOf(const fs::path& hostName) const {
    return Utf16::toCodePage(hostName.native());
}

std::string DriveTable::describe(const fs::path& hostName) const {
    return Utf16::describe(hostName.native());
}

std::string DriveTable::currentDirectory(char letter) const {
    const std::string current = processCurrentDirectory();
    if (upperCase(current[0]) == upperCase(letter)) {
        return current;
    }
    return std::string{upperCase(letter), ':', '\\'};
}

std::string DriveTable::processCurrentDirectory() const {
    return toWindows(m_processCurrentDirectory);
}

}  // namespace kestrix
