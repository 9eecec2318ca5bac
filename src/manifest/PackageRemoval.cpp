#include "manifest/PackageRemoval.h"

#include <algorithm>
#include <filesystem>
#include <optional>
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
    std::string windowsPath;  // for messages
    fs::path hostPath;
};

std::string inQuotes(std::string_view text) {
    std::string quoted(1, '"');
    quoted.append(text).push_back('"');
    return quoted;
}

bool isInside(const fs::path& folder, const fs::path& path) {
    const auto [folderEnd, pathEnd] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end() && pathEnd != path.end();
}

std::optional<std::string> whyNotDeletable(PathKind kind) {
    switch (kind) {
        case PathKind::ReadOnlyFile:
            return "is read-only";
        case PathKind::Folder:
            return "is a folder";
        case PathKind::Other:
            return "is not an ordinary file";
        case PathKind::Missing:
        case PathKind::File:
            break;
    }
    return std::nullopt;
}

}  // namespace

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

RemovalResult PackageRemoval::remove(std::string_view gameDir, std::string_view packageName) {
    const fs::path manifestPath = m_drives.toHost(ManifestLocation::iniPath(gameDir));
    const std::string manifest = m_files.readFile(manifestPath);
    const RemovalPlan plan(manifest, packageName);
    const std::string notRemoved = "The package " + inQuotes(packageName) + " was not removed: ";

    if (!plan.installed()) {
        return {RemovalStatus::NotInstalled, "No package named " + inQuotes(packageName) +
                                                 " is installed. Nothing was changed."};
    }
    if (!plan.unsafeEntries().empty()) {
        return {RemovalStatus::UnsafeEntry,
                notRemoved + "its entry " +
                    inQuotes("File=" + std::string(plan.unsafeEntries()[0])) +
                    " does not name a file inside the game folder. Nothing was changed."};
    }

    // A link inside the game folder may lead anywhere: what counts is where
    // the file really lies.
    const fs::path gameFolder = m_files.canonical(m_drives.toHost(gameDir));
    std::vector<Deletion> deletions;
    for (const std::string_view path : plan.filesToDelete()) {
        Deletion deletion{std::string(gameDir) + "\\" + std::string(path), {}};
        deletion.hostPath = m_drives.toHost(deletion.windowsPath);
        const PathKind kind = m_files.inspect(deletion.hostPath);
        if (kind == PathKind::Missing) {
            continue;
        }
        std::optional<std::string> reason = whyNotDeletable(kind);
        if (!reason && !isInside(gameFolder, m_files.canonical(deletion.hostPath))) {
            reason = "lies outside the game folder";
        }
        if (reason) {
            return {RemovalStatus::CannotDelete, notRemoved + inQuotes(deletion.windowsPath) + " " +
                                                     *reason + ". Nothing was changed."};
        }
        deletions.push_back(std::move(deletion));
    }

    // The new manifest is written in full before the first deletion, so that a
    // folder that cannot be written stops the removal while nothing is lost.
    const fs::path newPath = m_drives.toHost(ManifestLocation::newPath(gameDir));
    LineWriter writer(m_files);
    writer.create(newPath, m_files.permissions(manifestPath));
    for (const std::string_view piece : plan.keptText()) {
        writer.writeRaw(piece);
    }
    writer.close();

    for (const Deletion& deletion : deletions) {
        try {
            m_files.deleteFile(deletion.hostPath);
        } catch (const PlatformError& error) {
            // Gone since the check, as a file already gone before it: removed.
            if (error.number() == ErrorNumber::FileNotFound) {
                continue;
            }
            discard(newPath);
            return {RemovalStatus::DeletionFailed,
                    "Deleting " + inQuotes(deletion.windowsPath) +
                        " failed: " + error.description() +
                        ". The manifest was not changed: clicking Uninstall again will finish "
                        "the removal."};
        }
    }

    m_files.replaceKeepingBackup(manifestPath, newPath,
                                 m_drives.toHost(ManifestLocation::bakPath(gameDir)));
    return {RemovalStatus::Removed, "done"};
}

}  // namespace kestrix
