#include "manifest/PackageRemoval.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "manifest/LineWriter.h"
#include "manifest/ManifestLocation.h"
#include "manifest/RemovalPlan.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/FileOperations.h"
#include "platform/PlatformError.h"

namespace kestrix {

namespace fs = std::filesystem;

namespace {

struct Deletion {
    std::string windowsPath;  // for the outcome
    fs::path hostPath;
};

// Why a removal must stop before anything changes, naming the path at fault.
struct Refusal {
    std::string windowsPath;
    RefusalReason reason;
    std::string errorDescription;  // for CannotCheck
};

bool isInside(const fs::path& folder, const fs::path& path) {
    const auto [folderEnd, pathEnd] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end() && pathEnd != path.end();
}

std::optional<RefusalReason> whyNotDeletable(PathKind kind) {
    switch (kind) {
        case PathKind::ReadOnlyFile:
            return RefusalReason::ReadOnly;
        case PathKind::Folder:
            return RefusalReason::Folder;
        case PathKind::Other:
            return RefusalReason::NotOrdinaryFile;
        case PathKind::Missing:
        case PathKind::File:
        case PathKind::BrokenLink:
            break;
    }
    return std::nullopt;
}

}  // namespace

// Everything the removal needs from the disk, found before the first
// deletion. A path that cannot be looked at stops the removal there: taking
// it for missing could delete a file that is still listed, or leave one
// behind while the manifest no longer lists it.
class PackageRemoval::Survey {
public:
    Survey(const PackageRemoval& removal, std::string_view gameDir)
        : m_drives(removal.m_drives), m_files(removal.m_files), m_gameDir(gameDir) {}

    // The manifest's own files, which no package may take along, and the
    // names the replacement will use, which must be free for files.
    std::optional<Refusal> manifestFiles(const fs::path& current, const fs::path& replacement,
                                         const fs::path& backup, const fs::path& backupInProgress) {
        const std::vector<std::pair<std::string, fs::path>> names = {
            {ManifestLocation::iniPath(m_gameDir), current},
            {ManifestLocation::newPath(m_gameDir), replacement},
            {ManifestLocation::bakPath(m_gameDir), backup},
            {ManifestLocation::bakInProgressPath(m_gameDir), backupInProgress}};
        for (const auto& name : names) {
            // Plain names: clang before 16 lets no lambda capture a structured binding.
            const std::string& windowsPath = name.first;
            const fs::path& hostPath = name.second;
            if (std::optional<Refusal> refusal =
                    check(windowsPath, [&]() -> std::optional<Refusal> {
                        const PathKind kind = m_files.inspect(hostPath);
                        if (kind == PathKind::Folder || kind == PathKind::Other) {
                            return Refusal{windowsPath, *whyNotDeletable(kind), {}};
                        }
                        if (const auto identity = m_files.identity(hostPath)) {
                            m_manifestFiles.insert(*identity);
                        }
                        return std::nullopt;
                    })) {
                return refusal;
            }
        }
        return std::nullopt;
    }

    // The files that the lines which stay still list, by what they reach.
    std::optional<Refusal> keptFiles(const RemovalPlan& plan) {
        for (const std::string_view path : plan.keptEntries()) {
            const std::string windowsPath = join(path);
            if (std::optional<Refusal> refusal =
                    check(windowsPath, [&]() -> std::optional<Refusal> {
                        if (const auto identity = keptIdentity(path)) {
                            m_keptFiles.insert(*identity);
                        }
                        return std::nullopt;
                    })) {
                return refusal;
            }
        }
        return std::nullopt;
    }

    std::optional<Refusal> deletions(const RemovalPlan& plan, std::vector<Deletion>& deletions,
                                     std::vector<std::string>& notFound) {
        // A link inside the game folder may lead anywhere: what counts is
        // where the file really lies.
        const std::string gameText(m_gameDir);
        std::optional<fs::path> gameFolder;
        std::optional<Refusal> refusal = check(gameText, [&]() -> std::optional<Refusal> {
            gameFolder = m_files.canonical(m_drives.toHost(gameText));
            return std::nullopt;
        });
        for (auto path = plan.filesToDelete().begin();
             !refusal && path != plan.filesToDelete().end(); ++path) {
            Deletion deletion{join(*path), {}};
            refusal = check(deletion.windowsPath, [&]() -> std::optional<Refusal> {
                deletion.hostPath = m_drives.toHost(deletion.windowsPath);
                const PathKind kind = m_files.inspect(deletion.hostPath);
                if (kind == PathKind::Missing) {
                    notFound.push_back(deletion.windowsPath);
                    return std::nullopt;
                }
                if (const std::optional<RefusalReason> reason = whyNotDeletable(kind)) {
                    return Refusal{deletion.windowsPath, *reason, {}};
                }
                // A broken link is deleted itself, where it stands.
                const fs::path where = kind == PathKind::BrokenLink
                                           ? m_files.canonical(deletion.hostPath.parent_path()) /
                                                 deletion.hostPath.filename()
                                           : m_files.canonical(deletion.hostPath);
                if (!isInside(*gameFolder, where)) {
                    return Refusal{deletion.windowsPath, RefusalReason::OutsideGameFolder, {}};
                }
                if (const auto identity = m_files.identity(deletion.hostPath)) {
                    // Another name of the manifest, of a file that stays
                    // listed, or of one this package already lists.
                    if (m_manifestFiles.contains(*identity) || m_keptFiles.contains(*identity) ||
                        !m_deleted.insert(*identity).second) {
                        return std::nullopt;
                    }
                }
                if (!m_files.folderAllowsDeletion(deletion.hostPath)) {
                    return Refusal{deletion.windowsPath, RefusalReason::FolderLocked, {}};
                }
                deletions.push_back(deletion);
                return std::nullopt;
            });
        }
        return refusal;
    }

private:
    // A manifest lists thousands of files in a few folders: each folder is
    // looked up and listed once, and a name spelled as on disk is then found
    // in its listing. Other names go through the whole lookup.
    std::optional<FileIdentity> keptIdentity(std::string_view path) {
        const std::size_t cut = path.find_last_of("\\/");
        if (cut != std::string_view::npos) {
            auto [folder, added] = m_folders.try_emplace(std::string(path.substr(0, cut)));
            if (added) {
                folder->second = m_files.identitiesIn(m_drives.toHost(join(folder->first)));
            }
            const auto found = folder->second.find(std::string(path.substr(cut + 1)));
            if (found != folder->second.end()) {
                return found->second;
            }
        }
        return m_files.identity(m_drives.toHost(join(path)));
    }

    std::string join(std::string_view path) const {
        return std::string(m_gameDir) + "\\" + std::string(path);
    }

    template <typename Step>
    static std::optional<Refusal> check(const std::string& windowsPath, Step step) {
        try {
            return step();
        } catch (const PlatformError& error) {
            return Refusal{windowsPath, RefusalReason::CannotCheck, error.description()};
        }
    }

    const DriveTable& m_drives;
    FileOperations& m_files;
    std::string_view m_gameDir;
    std::map<std::string, std::map<std::string, FileIdentity>> m_folders;
    std::set<FileIdentity> m_manifestFiles;
    std::set<FileIdentity> m_keptFiles;
    std::set<FileIdentity> m_deleted;
};

void PackageRemoval::discard(const fs::path& newManifest) {
    // A new manifest left behind is never read, and the next attempt writes
    // it anew; failing to tidy it away must not hide why the removal stopped.
    try {
        m_files.deleteFile(newManifest);
    } catch (const PlatformError&) {
    }
}

PackageRemoval::PackageRemoval(const DriveTable& drives, FileOperations& files)
    : m_drives(drives), m_files(files) {}

RemovalOutcome PackageRemoval::remove(std::string_view gameDir, std::string_view packageName) {
    const fs::path manifestPath = m_drives.toHost(ManifestLocation::iniPath(gameDir));
    const std::string manifest = m_files.readFile(manifestPath);
    const RemovalPlan plan(manifest, packageName);

    RemovalOutcome outcome;
    outcome.path = ManifestLocation::iniPath(gameDir);
    if (!plan.installed()) {
        outcome.status = RemovalStatus::NotInstalled;
        return outcome;
    }
    if (!plan.unsafeEntries().empty()) {
        outcome.status = RemovalStatus::UnsafeEntry;
        outcome.path = plan.unsafeEntries()[0];
        return outcome;
    }

    // A manifest that is a link is replaced where the link leads, and the
    // link stays: the game reads the manifest through it. The new manifest
    // is written beside the file it replaces, since a rename cannot cross
    // file systems; the backup stays in the game's System folder.
    const fs::path current = m_files.canonical(manifestPath);
    const fs::path newPath =
        current.parent_path() / m_drives.toHost(ManifestLocation::newPath(gameDir)).filename();
    const fs::path bakPath = m_drives.toHost(ManifestLocation::bakPath(gameDir));
    const fs::path bakInProgressPath = ManifestLocation::bakInProgressPath(bakPath);

    Survey survey(*this, gameDir);
    std::vector<Deletion> deletions;
    std::optional<Refusal> refusal =
        survey.manifestFiles(current, newPath, bakPath, bakInProgressPath);
    if (!refusal) {
        refusal = survey.keptFiles(plan);
    }
    if (!refusal) {
        refusal = survey.deletions(plan, deletions, outcome.notFound);
    }
    if (refusal) {
        outcome.status = RemovalStatus::Refused;
        outcome.reason = refusal->reason;
        outcome.path = refusal->windowsPath;
        outcome.errorDescription = refusal->errorDescription;
        outcome.notFound.clear();
        return outcome;
    }

    // The new manifest is written in full before the first deletion, so that a
    // folder that cannot be written stops the removal while nothing is lost.
    LineWriter writer(m_files);
    writer.create(newPath, m_files.permissions(manifestPath));
    for (const std::string_view piece : plan.keptText()) {
        writer.writeRaw(piece);
    }
    writer.close();

    for (const Deletion& deletion : deletions) {
        try {
            m_files.deleteFile(deletion.hostPath);
            outcome.deleted.push_back(deletion.windowsPath);
        } catch (const PlatformError& error) {
            // Gone since the check, as a file already gone before it: removed.
            if (error.number() == ErrorNumber::FileNotFound) {
                outcome.notFound.push_back(deletion.windowsPath);
                continue;
            }
            discard(newPath);
            outcome.status = RemovalStatus::DeletionFailed;
            outcome.path = deletion.windowsPath;
            outcome.errorDescription = error.description();
            return outcome;
        }
    }

    try {
        m_files.replaceKeepingBackup(current, newPath, bakPath, bakInProgressPath);
    } catch (const PlatformError& error) {
        discard(newPath);
        outcome.status = RemovalStatus::ManifestNotReplaced;
        outcome.errorDescription = error.description();
        return outcome;
    }

    try {
        m_files.flushFolder(current.parent_path());
        if (m_files.canonical(bakPath.parent_path()) != current.parent_path()) {
            m_files.flushFolder(bakPath.parent_path());
        }
    } catch (const PlatformError& error) {
        outcome.status = RemovalStatus::RemovedNotFlushed;
        outcome.errorDescription = error.description();
    }
    return outcome;
}

}  // namespace kestrix
