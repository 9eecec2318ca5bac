#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/PackageDescription.h"
#include "package/UmodArchive.h"

namespace kestrix {

class DriveTable;
class FileOperations;
enum class PathKind;

// One file the install puts in place: a file of the package in the game
// folder, or a settings file of the player's with the package's edits made.
struct Placement {
    std::string name;  // as the package names it, or the settings file's name
    std::string_view bytes;
    std::filesystem::path target;
    bool replaces = false;  // a file of a product the package requires, or the settings file
    std::filesystem::perms permissions =
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
        std::filesystem::perms::group_read | std::filesystem::perms::others_read;
};

// A settings edit the package asks for, as written, and whether the install
// makes it; one it does not make is listed for the player.
struct SettingsEdit {
    std::string asWritten;
    bool applied = false;
};

// Everything an install will do, worked out and checked before anything is
// written: what the preview shows and what install() carries out.
struct InstallPlan {
    std::string gameDir;
    std::string packageBytes;  // the archive's files point into it
    UmodArchive archive;
    PackageDescription description;
    std::vector<Placement> placements;
    // Files the package carries that none of its groups installs.
    std::vector<std::string> leftOut;
    std::vector<SettingsEdit> settingsEdits;
    // The edited settings files and their new texts.
    std::vector<Placement> settingsFiles;
    std::deque<std::string> settingsTexts;
    std::string newManifest;
    std::filesystem::path manifestIni;
    std::filesystem::path manifestNew;
    std::filesystem::path manifestBak;
};

// Installs a ".umod" package into a game folder that has no setup tool of its
// own: copies the files its groups name (all it carries when no group names
// any, as hand-made packages have it), records them in the game's manifest as the setup
// tool does (a section named after the product with Caption, Version and its
// File= lines, a Group= line in [Setup], counts in [RefCounts]) and keeps the
// previous manifest as manifest.bak.
//
// All or nothing: prepare() refuses, with a PackageRefusal, anything it can
// find out beforehand (a damaged package, a name outside the game folder or
// reached through a link leading out of it, a requirement the manifest does
// not record, a file another product or the player owns, a product already
// installed, a group naming a file the package does not carry). The groups' settings edits go to
// the player's own settings folder where each is plain (IniEdit): the file exists there as an
// ordinary file of 8-bit text, and the edit's text is ASCII; the rest are listed. install() writes
// every file under a temporary name before renaming it into place and undoes every step when one
// fails, so the game folder is as it was; then the failure is raised again.
class PackageInstallation {
public:
    PackageInstallation(const DriveTable& drives, FileOperations& files);

    // gameDir and packagePath are Windows texts; settingsFolder is the host
    // folder of the player's settings files, or empty when there is none.
    std::unique_ptr<InstallPlan> prepare(std::string_view gameDir, std::string_view packagePath,
                                         const std::filesystem::path& settingsFolder);

    void install(const InstallPlan& plan);

    // Where the temporary copy of a file is written.
    static std::filesystem::path partialName(const std::filesystem::path& target);
    // Where a replaced file waits until the install has succeeded.
    static std::filesystem::path replacedName(const std::filesystem::path& target);

private:
    // Refuses a target outside the game folder; says what is there now.
    PathKind checkConfined(const std::filesystem::path& gameRoot, const Placement& placement) const;
    // Refuses a target the install may not replace; marks one it may.
    void checkTarget(Placement& placement, PathKind targetKind,
                     const std::vector<std::string>& ownersOfFile,
                     const PackageDescription& description);
    void planSettingsEdits(InstallPlan& plan, const std::filesystem::path& settingsFolder);
    // The text of a settings file whose edits can be made byte for byte.
    std::optional<std::string> editableText(const std::filesystem::path& path) const;

    const DriveTable& m_drives;
    FileOperations& m_files;
};

}  // namespace kestrix
