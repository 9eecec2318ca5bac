#include "platform/HostFileOperations.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <system_error>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

namespace kestrix {

namespace fs = std::filesystem;

namespace {

// The runtime's numbers where one fits, so that messages read as users of the
// game's tools know them; the system's own words otherwise.
PlatformError errorFor(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return PlatformError(ErrorNumber::FileNotFound);
        case EACCES:
        case EPERM:
        case EROFS:
            return PlatformError(ErrorNumber::PermissionDenied);
        case EEXIST:
            return PlatformError(ErrorNumber::FileAlreadyExists);
        default:
            return PlatformError(
                ErrorNumber::PathFileAccessError,
                PlatformError::standardDescription(ErrorNumber::PathFileAccessError) + " (" +
                    std::strerror(error) + ")");
    }
}

[[noreturn]] void throwLastError() {
    throw errorFor(errno);
}

// The answers that say nothing is there; any other failure leaves it unknown.
bool isAbsence(int error) {
    return error == ENOENT || error == ENOTDIR;
}

constexpr mode_t anyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {
        if (m_fd < 0) {
            throwLastError();
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const { return m_fd; }

    // A close that fails may have lost written data, so it is an error here
    // rather than something a destructor swallows.
    void close() {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) {
            throwLastError();
        }
    }

private:
    int m_fd;
};

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwLastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void removeIfPresent(const fs::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        throwLastError();
    }
}

void renameOnto(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        throwLastError();
    }
}

bool linksUnsupported(int error) {
    return error == EPERM || error == EXDEV || error == EMLINK || error == ENOTSUP ||
           error == EOPNOTSUPP || error == ENOSYS;
}

}  // namespace

PathKind HostFileOperations::inspect(const fs::path& path) const {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (!isAbsence(errno)) {
            throwLastError();
        }
        struct stat link {};
        return ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) ? PathKind::BrokenLink
                                                                          : PathKind::Missing;
    }
    if (S_ISDIR(status.st_mode)) {
        return PathKind::Folder;
    }
    if (!S_ISREG(status.st_mode)) {
        return PathKind::Other;
    }
    return (status.st_mode & anyWrite) == 0 ? PathKind::ReadOnlyFile : PathKind::File;
}

std::optional<FileIdentity> HostFileOperations::identity(const fs::path& path) const {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (isAbsence(errno)) {
            return std::nullopt;
        }
        throwLastError();
    }
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                        static_cast<std::uint64_t>(status.st_ino)};
}

std::map<std::string, FileIdentity> HostFileOperations::identitiesIn(const fs::path& folder) const {
    std::map<std::string, FileIdentity> identities;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.c_str()), ::closedir);
    struct stat status {};
    if (!listing || ::fstat(::dirfd(listing.get()), &status) != 0) {
        return identities;
    }
    // A listing names each entry's inode; only ordinary files are taken,
    // since a link's own inode is not the file it leads to.
    while (const dirent* entry = ::readdir(listing.get())) {
        if (entry->d_type == DT_REG) {
            identities.emplace(entry->d_name,
                               FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                                            static_cast<std::uint64_t>(entry->d_ino)});
        }
    }
    return identities;
}

bool HostFileOperations::folderAllowsDeletion(const fs::path& path) const {
    const fs::path folder = path.parent_path();
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        throwLastError();
    }
    if ((status.st_mode & anyWrite) == 0) {
        return false;
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        if (errno == EACCES || errno == EROFS) {
            return false;
        }
        throwLastError();
    }
    // In a sticky folder such as /tmp only the owners may delete.
    const uid_t user = ::geteuid();
    if ((status.st_mode & S_ISVTX) != 0 && user != 0 && user != status.st_uid) {
        struct stat entry {};
        if (::lstat(path.c_str(), &entry) != 0) {
            throwLastError();
        }
        return entry.st_uid == user;
    }
    return true;
}

void HostFileOperations::deleteFile(const fs::path& path) {
    switch (inspect(path)) {
        case PathKind::Missing:
            throw PlatformError(ErrorNumber::FileNotFound);
        case PathKind::ReadOnlyFile:
            // unlink(2) asks only about the folder; Windows refuses a
            // read-only file, and the force flag is unset.
            throw PlatformError(ErrorNumber::PermissionDenied);
        case PathKind::Folder:
            throw PlatformError(ErrorNumber::PathFileAccessError);
        // POSIX has no sharing rules: inspect never answers so here.
        case PathKind::InUse:
        case PathKind::File:
        case PathKind::BrokenLink:
        case PathKind::Other:
            break;
    }
    if (::unlink(path.c_str()) != 0) {
        throwLastError();
    }
}

std::string HostFileOperations::readFile(const fs::path& path) const {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never
    // come; for an ordinary file the flag changes nothing.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0) {
        throwLastError();
    }
    if (!S_ISREG(status.st_mode)) {
        throw PlatformError(
            ErrorNumber::PathFileAccessError,
            PlatformError::standardDescription(ErrorNumber::PathFileAccessError) + " (" +
                path.string() +
                (S_ISDIR(status.st_mode) ? " is a folder" : " is not an ordinary file") + ")");
    }
    // One byte more than the size, so that the end shows without a second
    // allocation; the size is only a hint, and a file that grows is read on.
    std::string bytes(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwLastError();
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
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
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                         S_IRUSR | S_IWUSR));
    try {
        // Set after creating, so that the umask has no say.
        if (::fchmod(fd.get(), static_cast<mode_t>(permissions & fs::perms::mask)) != 0) {
            throwLastError();
        }
        for (const std::string_view piece : pieces) {
            writeAll(fd.get(), piece);
        }
        if (::fsync(fd.get()) != 0) {
            throwLastError();
        }
        fd.close();
    } catch (const PlatformError&) {
        ::unlink(path.c_str());
        throw;
    }
}

fs::perms HostFileOperations::permissions(const fs::path& path) const {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        throwLastError();
    }
    return static_cast<fs::perms>(status.st_mode) & fs::perms::mask;
}

fs::path HostFileOperations::canonical(const fs::path& path) const {
    std::error_code error;
    fs::path resolved = fs::canonical(path, error);
    if (error) {
        throw errorFor(error.value());
    }
    return resolved;
}

void HostFileOperations::replaceKeepingBackup(const fs::path& current, const fs::path& replacement,
                                              const fs::path& backup,
                                              const fs::path& backupInProgress) {
    // The backup is made under a name of its own first and then renamed onto
    // the old backup, so that a crash leaves either backup whole; a hard link
    // makes it without copying and without touching current.
    const fs::path& keeping = backupInProgress;
    removeIfPresent(keeping);
    if (::link(current.c_str(), keeping.c_str()) != 0) {
        if (!linksUnsupported(errno)) {
            throwLastError();
        }
        const std::string bytes = readFile(current);
        writeFile(keeping, {bytes}, permissions(current));
    }
    try {
        renameOnto(keeping, backup);
        // When the old backup is another name of current's file, rename(2)
        // does nothing and the name in progress stays.
        removeIfPresent(keeping);
    } catch (const PlatformError&) {
        ::unlink(keeping.c_str());
        throw;
    }
    // rename(2) swaps the name in one step: current is never absent or partial.
    renameOnto(replacement, current);
}

void HostFileOperations::flushFolder(const fs::path& folder) {
    Descriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (::fsync(fd.get()) != 0) {
        throwLastError();
    }
    fd.close();
}

void HostFileOperations::createFolder(const fs::path& path) {
    if (::mkdir(path.c_str(), S_IRWXU | S_IRGRP | S_IXGRP | S_IROTH | S_IXOTH) != 0) {
        throwLastError();
    }
}

void HostFileOperations::removeEmptyFolder(const fs::path& path) {
    if (::rmdir(path.c_str()) != 0) {
        throwLastError();
    }
}

void HostFileOperations::moveFile(const fs::path& from, const fs::path& to) {
    renameOnto(from, to);
}

}  // namespace kestrix
