#include "package/PackageInstallation.h"

#include <algorithm>
#include <map>
#include <optional>

#include "manifest/FileEntry.h"
#include "manifest/LineWriter.h"
#include "manifest/ManifestLocation.h"
#include "manifest/SectionHeader.h"
#include "package/IniEdit.h"
#include "package/IniSections.h"
#include "package/ManifestAddition.h"
#include "package/PackageRefusal.h"
#include "platform/DriveTable.h"
#include "platform/FileOperations.h"
#include "platform/FilePattern.h"
#include "platform/PlatformError.h"

namespace kestrix {

namespace fs = std::filesystem;

namespace {

bool isWithin(const fs::path& folder, const fs::path& path) {
    const auto [folderEnd, pathEnd] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end();
}

// The manifest's File= entries by the file they name, each with the sections
// that list it.
std::map<std::string, std::vector<std::string>> ownersOfFiles(std::string_view manifest) {
    std::map<std::string, std::vector<std::string>> owners;
    std::string section;
    while (!manifest.empty()) {
        const std::size_t end = manifest.find('\n');
        std::string_view line = manifest.substr(0, end);
        manifest.remove_prefix(end == std::string_view::npos ? manifest.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (const auto name = SectionHeader::nameOf(line)) {
            section = *name;
        } else if (const auto path = FileEntry::pathOf(line)) {
            owners[FileEntry::sameFileKey(*path)].push_back(section);
        }
    }
    return owners;
}

// Versions are whole numbers ("436"); any other text must match exactly.
bool versionAtLeast(const std::string& installed, const std::string& required) {
    const auto number = [](const std::string& text) -> std::optional<long> {
        if (text.empty() || text.size() > 9 ||
            text.find_first_not_of("0123456789") != std::string::npos) {
            return std::nullopt;
        }
        return std::stol(text);
    };
    if (required.empty()) {
        return true;
    }
    const auto have = number(installed);
    const auto need = number(required);
    return have && need ? *have >= *need : installed == required;
}

void checkRequirements(const IniSections& game, const PackageDescription& description) {
    std::vector<std::string> products = game.values("Setup", "MasterProduct");
    const std::vector<std::string> groups = game.values("Setup", "Group");
    products.insert(products.end(), groups.begin(), groups.end());
    const auto recorded = [&](const std::string& product) {
        return std::any_of(products.begin(), products.end(), [&](const std::string& name) {
            return IniSections::sameName(name, product);
        });
    };
    if (recorded(description.product())) {
        throw PackageRefusal(description.product() +
                             " is installed already. Uninstall it first to install it again.");
    }
    for (const Requirement& requirement : description.requirements()) {
        const std::string installed = game.value(requirement.product, "Version").value_or("");
        if (!recorded(requirement.product) || !versionAtLeast(installed, requirement.version)) {
            throw PackageRefusal(
                description.product() + " requires " + requirement.product +
                (requirement.version.empty() ? "" : " version " + requirement.version) +
                ", which this game folder does not have installed.");
        }
    }
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string describedAs(const std::vector<PackedFile>& files, std::string_view name) {
    const auto found = std::find_if(files.begin(), files.end(), [&](const PackedFile& file) {
        return FileEntry::sameFileKey(file.name) == FileEntry::sameFileKey(name);
    });
    return found == files.end() ? std::string() : std::string(found->bytes);
}

}  // namespace

PackageInstallation::PackageInstallation(const DriveTable& drives, FileOperations& files)
    : m_drives(drives), m_files(files) {}

fs::path PackageInstallation::partialName(const fs::path& target) {
    return fs::path(target) += ".kestrix-part";
}

fs::path PackageInstallation::replacedName(const fs::path& target) {
    return fs::path(target) += ".kestrix-old";
}

std::unique_ptr<InstallPlan> PackageInstallation::prepare(std::string_view gameDir,
                                                          std::string_view packagePath,
                                                          const fs::path& settingsFolder) {
    auto plan = std::make_unique<InstallPlan>();
    plan->gameDir = gameDir;
    plan->packageBytes = m_files.readFile(m_drives.toHost(packagePath));
    plan->archive = UmodArchive::read(plan->packageBytes);
    const std::vector<PackedFile>& packed = plan->archive.files();
    plan->description = PackageDescription::parse(describedAs(packed, "System\\Manifest.ini"),
                                                  describedAs(packed, "System\\Manifest.int"));

    plan->manifestIni = m_drives.toHost(ManifestLocation::iniPath(gameDir));
    plan->manifestNew = m_drives.toHost(ManifestLocation::newPath(gameDir));
    plan->manifestBak = m_drives.toHost(ManifestLocation::bakPath(gameDir));
    const std::string manifest = m_files.readFile(plan->manifestIni);
    checkRequirements(IniSections(manifest), plan->description);

    const fs::path gameRoot = m_files.canonical(m_drives.toHost(gameDir));
    const auto owners = ownersOfFiles(manifest);
    std::vector<std::string> installed;
    const std::vector<std::string>& groupFiles = plan->description.groupFiles();
    const auto names = [](const std::string& entry, const PackedFile& file) {
        return FilePattern::matches(FileEntry::sameFileKey(file.name),
                                    FileEntry::sameFileKey(entry));
    };
    for (const std::string& entry : groupFiles) {
        if (std::none_of(packed.begin(), packed.end(),
                         [&](const PackedFile& file) { return names(entry, file); })) {
            throw PackageRefusal("The package lists " + entry + ", which it does not carry.");
        }
    }
    for (const PackedFile& file : packed) {
        if (UmodArchive::describesPackage(file)) {
            continue;
        }
        Placement placement{file.name, file.bytes,
                            m_drives.toHost(std::string(gameDir) + "\\" + file.name)};
        // A name leading out of the game folder is hostile even where no
        // group installs it: the whole package is refused.
        const PathKind targetKind = checkConfined(gameRoot, placement);
        if (!groupFiles.empty() &&
            std::none_of(groupFiles.begin(), groupFiles.end(),
                         [&](const std::string& entry) { return names(entry, file); })) {
            plan->leftOut.push_back(file.name);
            continue;
        }
        if (ManifestLocation::isManifestFile(FileEntry::sameFileKey(file.name))) {
            throw PackageRefusal("The package would overwrite the game's manifest: " + file.name);
        }
        const auto owner = owners.find(FileEntry::sameFileKey(file.name));
        checkTarget(placement, targetKind,
                    owner == owners.end() ? std::vector<std::string>{} : owner->second,
                    plan->description);
        plan->placements.push_back(placement);
        installed.push_back(file.name);
    }
    for (const fs::path& name : {plan->manifestNew, plan->manifestIni, plan->manifestBak}) {
        const PathKind kind = m_files.inspect(name);
        if (kind == PathKind::Folder || kind == PathKind::Other) {
            throw PackageRefusal(name.string() + " is in the way of the game's manifest.");
        }
    }
    plan->newManifest = ManifestAddition::withProduct(manifest, plan->description, installed);
    planSettingsEdits(*plan, settingsFolder);
    return plan;
}

std::optional<std::string> PackageInstallation::editableText(const fs::path& path) const {
    try {
        // Only an ordinary file, not a link whose replacement would cut it
        // off, in a text whose bytes this program keeps as they are.
        if (m_files.inspect(path) != PathKind::File ||
            m_files.canonical(path) != m_files.canonical(path.parent_path()) / path.filename()) {
            return std::nullopt;
        }
        std::string bytes = m_files.readFile(path);
        if (bytes.find('\0') != std::string::npos) {
            return std::nullopt;  // UTF-16, or no text at all
        }
        return bytes;
    } catch (const PlatformError&) {
        // A folder that cannot be looked at (Windows has no such path): the
        // edits are listed, and the package installs all the same.
        return std::nullopt;
    }
}

void PackageInstallation::planSettingsEdits(InstallPlan& plan, const fs::path& settingsFolder) {
    // Each settings file's text as it is, and as the edits so far leave it.
    std::map<std::string, std::pair<std::string, std::string>> texts;
    for (const std::string& asWritten : plan.description.iniEdits()) {
        SettingsEdit& edit = plan.settingsEdits.emplace_back(SettingsEdit{asWritten});
        const std::optional<IniEdit> parsed = IniEdit::parse(asWritten);
        if (!parsed || settingsFolder.empty() || !isAscii(asWritten)) {
            continue;
        }
        auto text = texts.find(parsed->fileName());
        if (text == texts.end()) {
            const std::optional<std::string> bytes =
                editableText(settingsFolder / parsed->fileName());
            if (!bytes) {
                continue;
            }
            text = texts.emplace(parsed->fileName(), std::pair(*bytes, *bytes)).first;
        }
        if (std::optional<std::string> edited = parsed->appliedTo(text->second.second)) {
            text->second.second = std::move(*edited);
            edit.applied = true;
        }
    }
    for (const auto& [name, text] : texts) {
        if (text.first == text.second) {
            continue;
        }
        const fs::path path = settingsFolder / name;
        const std::string& bytes = plan.settingsTexts.emplace_back(text.second);
        plan.settingsFiles.push_back({name, bytes, path, true, m_files.permissions(path)});
    }
}

PathKind PackageInstallation::checkConfined(const fs::path& gameRoot,
                                            const Placement& placement) const {
    // The nearest part of the path that exists decides where the rest lands:
    // a link on the way must not lead out of the game folder.
    fs::path existing = placement.target;
    PathKind kind = m_files.inspect(existing);
    const PathKind targetKind = kind;
    while (kind == PathKind::Missing && existing.has_relative_path()) {
        existing = existing.parent_path();
        kind = m_files.inspect(existing);
    }
    if (kind == PathKind::BrokenLink || !isWithin(gameRoot, m_files.canonical(existing))) {
        throw PackageRefusal("The package names a file outside the game folder: " + placement.name);
    }
    return targetKind;
}

void PackageInstallation::checkTarget(Placement& placement, PathKind targetKind,
                                      const std::vector<std::string>& ownersOfFile,
                                      const PackageDescription& description) {
    const std::string& name = placement.name;
    if (targetKind == PathKind::Missing) {
        return;
    }
    if (targetKind != PathKind::File) {
        throw PackageRefusal("The package cannot write " + name + ": " +
                             (targetKind == PathKind::ReadOnlyFile ? "the file there is read-only"
                                                                   : "something else is there") +
                             ".");
    }
    // A file already there is replaced only when it belongs to a product the
    // package says it builds on.
    const auto required = [&](const std::string& owner) {
        return std::any_of(description.requirements().begin(), description.requirements().end(),
                           [&](const Requirement& requirement) {
                               return IniSections::sameName(requirement.product, owner);
                           });
    };
    if (ownersOfFile.empty() || !std::all_of(ownersOfFile.begin(), ownersOfFile.end(), required)) {
        throw PackageRefusal("The package would overwrite " + name + ", which " +
                             (ownersOfFile.empty() ? std::string("is already in the game folder")
                                                   : "belongs to " + ownersOfFile.front()) +
                             ".");
    }
    placement.replaces = true;
}

namespace {

// Undoes what an install did so far, last step first.
class InstallUndo {
public:
    explicit InstallUndo(FileOperations& files) : m_files(files) {}

    void createdFolder(const fs::path& folder) { m_folders.push_back(folder); }
    void wrotePartial(const fs::path& partial) { m_partials.push_back(partial); }
    void setAside(const fs::path& target) { m_setAside.push_back(target); }
    void placed(const fs::path& target) { m_placed.push_back(target); }

    // Each step is tried even when one before it fails: the more of the game
    // folder comes back, the better.
    void run() {
        for (const fs::path& target : m_placed) {
            attempt([&] { m_files.deleteFile(target); });
        }
        for (const fs::path& target : m_setAside) {
            attempt([&] { m_files.moveFile(PackageInstallation::replacedName(target), target); });
        }
        for (const fs::path& partial : m_partials) {
            if (m_files.inspect(partial) != PathKind::Missing) {
                attempt([&] { m_files.deleteFile(partial); });
            }
        }
        for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder) {
            attempt([&] { m_files.removeEmptyFolder(*folder); });
        }
    }

    const std::vector<fs::path>& setAsideFiles() const { return m_setAside; }

private:
    template <typename Step>
    static void attempt(Step step) {
        try {
            step();
        } catch (const PlatformError&) {
        }
    }

    FileOperations& m_files;
    std::vector<fs::path> m_folders;
    std::vector<fs::path> m_partials;
    std::vector<fs::path> m_setAside;
    std::vector<fs::path> m_placed;
};

}  // namespace

void PackageInstallation::install(const InstallPlan& plan) {
    InstallUndo undo(m_files);
    try {
        const fs::path gameRoot = m_drives.toHost(plan.gameDir);
        for (const Placement& placement : plan.placements) {
            fs::path folder = gameRoot;
            for (const fs::path& part :
                 placement.target.parent_path().lexically_relative(gameRoot)) {
                folder /= part;
                if (m_files.inspect(folder) == PathKind::Missing) {
                    m_files.createFolder(folder);
                    undo.createdFolder(folder);
                }
            }
        }
        for (const auto* placements : {&plan.placements, &plan.settingsFiles}) {
            for (const Placement& placement : *placements) {
                undo.wrotePartial(partialName(placement.target));
                LineWriter writer(m_files);
                writer.create(partialName(placement.target), placement.permissions);
                writer.writeRaw(placement.bytes);
                writer.close();
            }
        }
        for (const auto* placements : {&plan.placements, &plan.settingsFiles}) {
            for (const Placement& placement : *placements) {
                if (placement.replaces) {
                    m_files.moveFile(placement.target, replacedName(placement.target));
                    undo.setAside(placement.target);
                }
                m_files.moveFile(partialName(placement.target), placement.target);
                undo.placed(placement.target);
            }
        }
        LineWriter manifest(m_files);
        manifest.create(plan.manifestNew, m_files.permissions(plan.manifestIni));
        manifest.writeRaw(plan.newManifest);
        manifest.close();
        undo.wrotePartial(plan.manifestNew);
        m_files.replaceKeepingBackup(plan.manifestIni, plan.manifestNew, plan.manifestBak,
                                     ManifestLocation::bakInProgressPath(plan.manifestBak));
    } catch (const PlatformError&) {
        undo.run();
        throw;
    }
    // The install has succeeded: what it replaced is no longer needed, and a
    // copy left behind by a failure here harms nothing.
    for (const fs::path& target : undo.setAsideFiles()) {
        try {
            m_files.deleteFile(replacedName(target));
        } catch (const PlatformError&) {
        }
    }
    try {
        m_files.flushFolder(plan.manifestIni.parent_path());
    } catch (const PlatformError&) {
    }
}

}  // namespace kestrix
