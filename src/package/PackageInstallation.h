#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "package/PackageDescription.h"
#include "package/UmodArchive.h"

namespace kestrix {

class DriveTable;
class FileOperations;

// One file the install puts in the game folder.
struct Placement {
    const PackedFile* file;
    std::filesystem::path target;
    bool replaces = false;  // a file of a product the package requires is there
};

// Everything an install will do, worked out and checked before anything is
// written: what the preview shows and what install() carries out.
struct InstallPlan {
    std::string gameDir;
    std::string packageBytes;  // the archive's files point into it
    UmodArchive archive;
    PackageDescription description;
    std::vector<Placement> placements;
    std::string newManifest;
    std::filesystem::path manifestIni;
    std::filesystem::path manifestNew;
    std::filesystem::path manifestBak;
};

// Installs a ".umod" package into a game folder that has no setup tool of its
// own: copies its files, records them in the game's manifest as the setup
// tool does (a section named after the product with Caption, Version and its
// File= lines, a Group= line in [Setup], counts in [RefCounts]) and keeps the
// previous manifest as manifest.bak.
//
// All or nothing: prepare() refuses, with a PackageRefusal, anything it can
// find out beforehand (a damaged package, a name outside the game folder or
// reached through a link leading out of it, a requirement the manifest does
// not record, a file another product or the player owns, a product already
// installed). install() writes every file under a temporary name before
// renaming it into place and undoes every step when one fails, so the game
// folder is as it was; then the failure is raised again.
class PackageInstallation {
public:
    PackageInstallation(const DriveTable& drives, FileOperations& files);

    // gameDir and packagePath are Windows texts.
    std::unique_ptr<InstallPlan> prepare(std::string_view gameDir, std::string_view packagePath);

    void install(const InstallPlan& plan);

    // Where the temporary copy of a file is written.
    static std::filesystem::path partialName(const std::filesystem::path& target);
    // Where a replaced file waits until the install has succeeded.
    static std::filesystem::path replacedName(const std::filesystem::path& target);

private:
    void checkTarget(const std::filesystem::path& gameRoot, Placement& placement,
                     const std::vector<std::string>& ownersOfFile,
                     const PackageDescription& description);

    const DriveTable& m_drives;
    FileOperations& m_files;
};

}  // namespace kestrix
