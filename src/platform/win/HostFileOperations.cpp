#include "platform/HostFileOperations.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/win/Utf16.h"
#include "platform/win/WinError.h"

namespace kestrix {

namespace fs = std::filesystem;

namespace {

constexpr fs::perms anyWrite =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

// The path as Windows' file functions take it. Beyond MAX_PATH characters
// only the "\\?\" form reaches a file on every Windows (the manifest's
// longPathAware counts only where the user's policy enables long paths).
// That form bypasses Windows' own tidying, so the path is made whole and
// normal first.
std::wstring systemPath(const fs::path& path) {
    const std::wstring& given = path.native();
    // A folder's own limit is 12 characters shorter, room for an 8.3 name.
    if (given.size() < MAX_PATH - 12 || given.starts_with(L"\\\\?\\")) {
        return given;
    }
    DWORD length = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return given;
    }
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(given.c_str(), length, full.data(), nullptr);
    full.resize(length);
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

// The code is taken first: building the subject's text may change it.
[[noreturn]] void throwLastError(const fs::path& path) {
    const DWORD code = GetLastError();
    throw WinError::fileError(code, Utf16::describe(path.native()));
}

class Handle {
public:
    Handle(HANDLE handle, const fs::path& path) : m_handle(handle) {
        if (m_handle == INVALID_HANDLE_VALUE) {
            throwLastError(path);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    HANDLE get() const { return m_handle; }

    // A close that fails may have lost written data, so it is an error here
    // rather than something a destructor swallows.
    void close(const fs::path& path) {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        if (!CloseHandle(handle)) {
            throwLastError(path);
        }
    }

private:
    HANDLE m_handle;
};

// Opened for nothing but questions, which no other program's sharing can
// refuse; a link is followed to what it names, and a folder opens too.
Handle openForQuery(const fs::path& path) {
    return Handle(CreateFileW(systemPath(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr),
                  path);
}

// The answers of a file system that does not do what was asked at all.
bool isUnanswerable(DWORD code) {
    return code == ERROR_INVALID_FUNCTION || code == ERROR_NOT_SUPPORTED ||
           code == ERROR_INVALID_PARAMETER || code == ERROR_ACCESS_DENIED;
}

// The path made whole by Windows' own rules, as the program's paths are.
fs::path fullPath(const fs::path& path) {
    const std::wstring& given = path.native();
    DWORD length = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        throwLastError(path);
    }
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(given.c_str(), length, full.data(), nullptr);
    full.resize(length);
    return fs::path(full);
}

std::uint64_t joined(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// The name Windows resolved the open file to, or nothing where the file
// system keeps none; the error stays the last one.
std::optional<std::wstring> finalName(HANDLE file) {
    // Room for the longest path Windows has: some file systems answer a
    // buffer too small with an error rather than the size they need.
    std::wstring name(UNICODE_STRING_MAX_CHARS + 1, L'\0');
    const DWORD length = GetFinalPathNameByHandleW(
        file, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= name.size()) {
        return std::nullopt;
    }
    name.resize(length);
    return name;
}

// The one name of a file with a single link, the same text whatever name it
// was reached by. Where Windows keeps no final names, the whole path stands
// in, in capitals, as Windows compares names.
fs::path soleName(HANDLE file, const fs::path& path) {
    if (std::optional<std::wstring> name = finalName(file)) {
        return *name;
    }
    std::wstring whole = fullPath(path).native();
    CharUpperBuffW(whole.data(), static_cast<DWORD>(whole.size()));
    return whole;
}

// The answers that say nothing is there; any other failure leaves it unknown.
bool isAbsence(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

DWORD attributesOf(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        throwLastError(path);
    }
    return attributes;
}

void setAttributes(const fs::path& path, DWORD attributes) {
    if (!SetFileAttributesW(systemPath(path).c_str(), attributes)) {
        throwLastError(path);
    }
}

// Windows will neither delete nor replace a read-only file. Used only on files
// that are about to go anyway.
void clearReadOnly(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        // Windows reads no attributes at all as "leave them as they are".
        const DWORD rest = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
        setAttributes(path, rest == 0 ? FILE_ATTRIBUTE_NORMAL : rest);
    }
}

void removeIfPresent(const fs::path& path) {
    clearReadOnly(path);
    if (!DeleteFileW(systemPath(path).c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
        throwLastError(path);
    }
}

// The answers of a file that another program holds for the moment: virus
// scanners and the search indexer open a new file briefly after it is
// written.
bool isHeldBriefly(DWORD code) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION ||
           code == ERROR_ACCESS_DENIED || code == ERROR_USER_MAPPED_FILE;
}

// One rename that replaces the target: Windows swaps the name in a single
// step, so the target is never absent or partial. MOVEFILE_WRITE_THROUGH
// waits for the data only when the move has to copy (across volumes); a
// rename within a folder is left to the file system's journal, and the
// folder is flushed afterwards where that is possible. A file held for a
// moment is tried again for a few seconds.
void moveOnto(const fs::path& from, const fs::path& to) {
    constexpr int Attempts = 30;
    constexpr DWORD PauseMilliseconds = 100;
    clearReadOnly(to);
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return;
        }
        if (attempt == Attempts || !isHeldBriefly(GetLastError())) {
            throwLastError(to);
        }
        Sleep(PauseMilliseconds);
    }
}

void writeAll(HANDLE file, std::string_view bytes, const fs::path& path) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
            throwLastError(path);
        }
        bytes.remove_prefix(written);
    }
}

// Creates the file and returns once its bytes are on disk.
void writeNew(const fs::path& path, const std::vector<std::string_view>& pieces) {
    Handle file(CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr),
                path);
    for (const std::string_view piece : pieces) {
        writeAll(file.get(), piece, path);
    }
    if (!FlushFileBuffers(file.get())) {
        throwLastError(path);
    }
    file.close(path);
}

}  // namespace

PathKind HostFileOperations::inspect(const fs::path& path) const {
    const std::wstring name = systemPath(path);
    constexpr DWORD everyShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    // Opened as a deletion would open it, granting every sharing: a file that
    // another program holds without letting it be deleted (the running game
    // holds its packages so) answers now, before anything has changed.
    HANDLE handle = CreateFileW(name.c_str(), DELETE | FILE_READ_ATTRIBUTES, everyShare, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION) {
        return PathKind::InUse;
    }
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        // No right to delete it: what it is still tells why (read-only), or
        // the deletion's own failure names the access rules.
        handle = CreateFileW(name.c_str(), 0, everyShare, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    }
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (!isAbsence(code)) {
            throw WinError::fileError(code, Utf16::describe(path.native()));
        }
        // A link that leads nowhere still has attributes of its own.
        const DWORD attributes = GetFileAttributesW(name.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
                       (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0
                   ? PathKind::BrokenLink
                   : PathKind::Missing;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known =
        GetFileInformationByHandle(handle, &information) && GetFileType(handle) == FILE_TYPE_DISK;
    CloseHandle(handle);
    if (!known) {
        return PathKind::Other;
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::Folder;
    }
    return (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? PathKind::ReadOnlyFile
                                                                         : PathKind::File;
}

std::optional<FileIdentity> HostFileOperations::identity(const fs::path& path) const {
    const HANDLE handle = CreateFileW(systemPath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (isAbsence(code)) {
            return std::nullopt;
        }
        throw WinError::fileError(code, Utf16::describe(path.native()));
    }
    const Handle file(handle, path);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.get(), &information)) {
        throwLastError(path);
    }
    FileIdentity identity{information.dwVolumeSerialNumber,
                          joined(information.nFileIndexHigh, information.nFileIndexLow)};
    std::uint64_t idRest = 0;
    // The 64 bits above are not unique on ReFS, whose IDs are 128 bits long.
    // Windows before 8 does not know the longer form.
    FILE_ID_INFO longId{};
    if (GetFileInformationByHandleEx(file.get(), FileIdInfo, &longId, sizeof longId)) {
        static_assert(sizeof longId.FileId.Identifier == 2 * sizeof(std::uint64_t));
        identity.volume = longId.VolumeSerialNumber;
        std::memcpy(&identity.file, longId.FileId.Identifier, sizeof identity.file);
        std::memcpy(&idRest, longId.FileId.Identifier + sizeof identity.file, sizeof idRest);
    }
    // Some network file systems answer zero for every file: the file is told
    // by its name alone.
    if (identity.file == 0 && idRest == 0) {
        return std::nullopt;
    }
    // Others answer one ID for several files. What else Windows knows of the
    // file tells those apart; a file with one link has one name, which tells
    // it apart from any other, while a hard link's names share everything
    // but the name.
    identity.traits = {
        idRest,
        joined(information.nFileSizeHigh, information.nFileSizeLow),
        joined(information.ftCreationTime.dwHighDateTime, information.ftCreationTime.dwLowDateTime),
        joined(information.ftLastWriteTime.dwHighDateTime,
               information.ftLastWriteTime.dwLowDateTime),
        information.nNumberOfLinks,
        information.dwFileAttributes};
    if (information.nNumberOfLinks <= 1) {
        identity.soleName = soleName(file.get(), path);
    }
    return identity;
}

std::map<std::string, FileIdentity> HostFileOperations::identitiesIn(const fs::path&) const {
    // Windows' listings carry no file IDs: each file is asked on its own.
    return {};
}

bool HostFileOperations::folderAllowsDeletion(const fs::path&) const {
    // A folder's read-only attribute does not keep Windows from deleting
    // the files in it; what the folder's access rules refuse shows at the
    // deletion itself.
    return true;
}

void HostFileOperations::deleteFile(const fs::path& path) {
    // DeleteFileW refuses a read-only file by itself, as the force flag being
    // unset asks.
    if (!DeleteFileW(systemPath(path).c_str())) {
        throwLastError(path);
    }
}

std::string HostFileOperations::readFile(const fs::path& path) const {
    // The game may have its manifest open while the tool runs.
    Handle file(
        CreateFileW(systemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr),
        path);
    // A pipe or a device would be read until it has nothing more to give.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        throw PlatformError(ErrorNumber::PathFileAccessError,
                            PlatformError::standardDescription(ErrorNumber::PathFileAccessError) +
                                " (" + Utf16::describe(path.native()) +
                                " is not an ordinary file)");
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        throwLastError(path);
    }
    // One byte more than the size, so that the end shows without a second
    // allocation; the size is only a hint, and a file that grows is read on.
    std::string bytes(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1U << 30));
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + filled, wanted, &got, nullptr)) {
            throwLastError(path);
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

void HostFileOperations::writeFile(const fs::path& path,
                                   const std::vector<std::string_view>& pieces,
                                   fs::perms permissions) {
    // A leftover from an earlier run may be read-only or a link leading
    // elsewhere: it is replaced, never written through.
    removeIfPresent(path);
    try {
        writeNew(path, pieces);
        // Windows has one permission, read-only, and it would have refused
        // the writing, so it is set last.
        if ((permissions & anyWrite) == fs::perms::none) {
            setAttributes(path, FILE_ATTRIBUTE_READONLY);
        }
    } catch (const PlatformError&) {
        clearReadOnly(path);
        DeleteFileW(systemPath(path).c_str());
        throw;
    }
}

fs::perms HostFileOperations::permissions(const fs::path& path) const {
    BY_HANDLE_FILE_INFORMATION information{};
    const Handle file = openForQuery(path);
    if (!GetFileInformationByHandle(file.get(), &information)) {
        throwLastError(path);
    }
    // Read-only takes every write permission away, as the Linux side counts a
    // file that no one may write as read-only.
    return (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0
               ? fs::perms::all & ~anyWrite
               : fs::perms::all;
}

fs::path HostFileOperations::canonical(const fs::path& path) const {
    const Handle file = openForQuery(path);
    const std::optional<std::wstring> found = finalName(file.get());
    if (!found && isUnanswerable(GetLastError())) {
        // RAM disks and some network drives keep no final names; the file is
        // there (it opened), so its path stands as given.
        return fullPath(path);
    }
    if (!found && GetLastError() == ERROR_MORE_DATA) {
        // Wine answers so for a name past MAX_PATH characters. A name that is
        // no link is found where its folder really is.
        const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 && path.has_relative_path()) {
            return canonical(path.parent_path()) / path.filename();
        }
    }
    if (!found) {
        throwLastError(path);
    }
    const std::wstring& name = *found;
    // Windows answers in its long-path form; the program's paths are the
    // ordinary ones ("C:\UT", "\\server\share\UT").
    const std::wstring_view longForm = L"\\\\?\\";
    const std::wstring_view longShare = L"\\\\?\\UNC\\";
    if (name.starts_with(longShare)) {
        return fs::path(L"\\\\" + name.substr(longShare.size()));
    }
    if (name.starts_with(longForm)) {
        return fs::path(name.substr(longForm.size()));
    }
    return fs::path(name);
}

void HostFileOperations::replaceKeepingBackup(const fs::path& current, const fs::path& replacement,
                                              const fs::path& backup,
                                              const fs::path& backupInProgress) {
    // ReplaceFileW is not used: with a backup it renames current away before
    // it moves the replacement in (its ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 is
    // the state between), so a crash there would leave no current at all.
    const DWORD attributes = attributesOf(current);

    // The backup is a copy made under a name of its own and then moved onto
    // the old backup: current is not touched, and a crash leaves either backup
    // whole.
    const fs::path& keeping = backupInProgress;
    const std::string bytes = readFile(current);
    writeFile(keeping, {bytes}, permissions(current));
    try {
        moveOnto(keeping, backup);
    } catch (const PlatformError&) {
        removeIfPresent(keeping);
        throw;
    }

    // The new content takes current's attributes, as ReplaceFileW would have
    // kept them, before the swap: once current is replaced nothing is left
    // that could fail. Moving onto current takes its read-only flag away for
    // the moment of the swap.
    setAttributes(replacement, attributes);
    try {
        moveOnto(replacement, current);
    } catch (const PlatformError&) {
        SetFileAttributesW(systemPath(current).c_str(), attributes);
        throw;
    }
}

void HostFileOperations::flushFolder(const fs::path& folder) {
    // Flushing a folder asks the same of its entries, as the Linux side does.
    // Windows does not document it for folders: a file system that refuses
    // it (or the right to open the folder for it) keeps its renames in its
    // own journal, as NTFS does, and that is no failure. Any other answer is.
    const HANDLE opened = CreateFileW(systemPath(folder).c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE && isUnanswerable(GetLastError())) {
        return;
    }
    Handle handle(opened, folder);
    if (!FlushFileBuffers(handle.get()) && !isUnanswerable(GetLastError())) {
        throwLastError(folder);
    }
    handle.close(folder);
}

void HostFileOperations::createFolder(const fs::path& path) {
    if (!CreateDirectoryW(path.c_str(), nullptr)) {
        throwLastError(path);
    }
}

void HostFileOperations::removeEmptyFolder(const fs::path& path) {
    if (!RemoveDirectoryW(path.c_str())) {
        throwLastError(path);
    }
}

void HostFileOperations::moveFile(const fs::path& from, const fs::path& to) {
    moveOnto(from, to);
}

}  // namespace kestrix
