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

bool isOwnRoot(const Drive& drive) {
    return drive.root == rootOf(drive.letter);
}

}  // namespace

// Names compare as Windows compares them.
bool DriveTable::sameName(const fs::path& a, const fs::path& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// A mapped drive gives its letter to the paths in its folder; a drive that is
// its own root leaves them as they are.
std::optional<std::ptrdiff_t> DriveTable::heldLength(const Drive& drive,
                                                     const fs::path& path) const {
    return isOwnRoot(drive) ? std::nullopt : prefixLength(drive.root, path);
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
    const Drive* drive = findDrive(letter);
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
    if (const Drive* drive = letter ? findDrive(*letter) : nullptr;
        drive != nullptr && !isOwnRoot(*drive)) {
        return drive->root / host.relative_path();
    }
    return host;
}

std::string DriveTable::toWindows(const fs::path& hostPath) const {
    const fs::path path = normalFolder(m_processCurrentDirectory / hostPath);
    std::ptrdiff_t bestLength = 0;
    const Drive* best = holdingDrive(path, bestLength);
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
    throw unwritableName(Utf16::describe(windows));
}

std::optional<std::string> DriveTable::nameOf(const fs::path& hostName) const {
    return Utf16::toCodePage(hostName.native());
}

std::string DriveTable::describe(const fs::path& hostName) const {
    return Utf16::describe(hostName.native());
}

}  // namespace kestrix
