#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "manifest/PackageRemoval.h"
#include "package/Crc32.h"
#include "package/IniEdit.h"
#include "package/PackageInstallation.h"
#include "package/PackageRefusal.h"
#include "package/UmodWriter.h"
#include "platform/DriveTable.h"
#include "platform/GameFolder.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "platform/Rows.h"
#include "support/FailingFileOperations.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

const fs::path data = fs::path(KESTRIX_TEST_DATA) / "package";

// Every file and link under a folder with its content or target; packages
// aside, since installing writes the one it installs.
std::map<fs::path, std::string> snapshot(const fs::path& folder) {
    std::map<fs::path, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.path().extension() == ".umod") {
            continue;
        }
        entries[entry.path()] = entry.is_symlink()     ? "-> " + fs::read_symlink(entry).string()
                                : entry.is_directory() ? "folder"
                                                       : readBytes(entry.path());
    }
    return entries;
}

// The game at C:\UT with the base game and one bonus pack installed, and the
// player's settings in home/.utpg/System.
class PackageInstallationTest : public ::testing::Test {
protected:
    PackageInstallationTest() {
        writeBytes(game() / "System/Manifest.ini", readBytes(data / "game-manifest.ini"));
        for (const char* file : {"System/Engine.u", "System/Core.u", "Maps/DM-Bonus.unr"}) {
            writeBytes(game() / file, file);
        }
        writeBytes(settings() / "UnrealTournament.ini", readBytes(data / "UnrealTournament.ini"));
        fs::create_directory(m_drive.path() / "Elsewhere");
    }
    fs::path game() const { return m_drive.path() / "UT"; }
    fs::path settings() const { return m_drive.path() / "home/.utpg/System"; }

    std::vector<UmodWriter::File> packageFiles(const std::string& manifest = "package.ini",
                                               const std::string& listed = "") {
        return {{"System\\Manifest.ini", readBytes(data / manifest) + listed, 3},
                {"System\\Manifest.int", readBytes(data / "package.int"), 3},
                {"System\\Kestrel.u", "kestrel code"},
                {"Maps\\DM-Kestrel.unr", "kestrel map"},
                {"Textures\\Kestrel.utx", "kestrel textures"}};
    }
    std::unique_ptr<InstallPlan> install(const std::string& package, FileOperations& files) {
        writeBytes(m_drive.path() / "Elsewhere/Kestrel.umod", package);
        PackageInstallation installation(m_drives, files);
        auto plan = installation.prepare("C:\\UT", "C:\\Elsewhere\\Kestrel.umod", settings());
        installation.install(*plan);
        return plan;
    }

    TempFolder m_drive;
    DriveTable m_drives{{Drive{'C', m_drive.path()}}, m_drive.path()};
    HostFileOperations m_files;
};

TEST_F(PackageInstallationTest, InstallsAndRecordsThePackageThenUninstallsIt) {
    const auto files = snapshot(m_drive.path());
    const auto plan = install(UmodWriter::write(packageFiles()), m_files);

    EXPECT_EQ(readBytes(game() / "System/Manifest.ini"),
              readBytes(data / "installed-manifest.ini"));
    EXPECT_EQ(readBytes(game() / "System/manifest.bak"), files.at(game() / "System/Manifest.ini"));
    EXPECT_EQ(readBytes(game() / "Textures/Kestrel.utx"), "kestrel textures");
    EXPECT_EQ(readBytes(game() / "System/Kestrel.u"), "kestrel code");
    // The server package is added; User.ini is not there to edit.
    EXPECT_EQ(readBytes(settings() / "UnrealTournament.ini"),
              readBytes(data / "UnrealTournament-edited.ini"));
    EXPECT_TRUE(plan->settingsEdits.at(0).applied && !plan->settingsEdits.at(1).applied);
    // The writer's checksums are the reader's: both against their known values.
    EXPECT_EQ(Crc32::engine("123456789"), 0xFC891918U);
    EXPECT_EQ(Crc32::reflected("123456789"), 0xCBF43926U);
    // Three files (not the package's manifest), a folder and the backup.
    EXPECT_EQ(snapshot(m_drive.path()).size(), files.size() + 5);

    ASSERT_EQ(PackageRemoval(m_drives, m_files).remove("C:\\UT", "KestrelMod").status,
              RemovalStatus::Removed);
    auto after = snapshot(m_drive.path());
    after.erase(game() / "System/manifest.bak");
    after.erase(game() / "Textures");  // the removal leaves folders
    after[settings() / "UnrealTournament.ini"] = readBytes(data / "UnrealTournament.ini");
    EXPECT_EQ(after, files);
}

TEST_F(PackageInstallationTest, AFailureAtAnyStepLeavesTheGameFolderAsItWas) {
    std::vector<UmodWriter::File> files =
        packageFiles("package.ini", "File=(Src=System\\Core.u)\n");
    files.push_back({"System\\Core.u", "patched core"});  // replaces a file of the game's
    const std::string package = UmodWriter::write(files);
    writeBytes(game() / "System/manifest.bak", "old backup");
    const auto before = snapshot(m_drive.path());
    for (int failing = 1;; ++failing) {
        FailingFileOperations disk("any * 61 " + std::to_string(failing));  // disk full
        try {
            install(package, disk);
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.number(), 61);
            EXPECT_EQ(snapshot(m_drive.path()), before) << "failing at step " << failing;
            continue;
        }
        EXPECT_GT(failing, 13);  // five files written and moved, two set aside, the manifest
        break;
    }
}

// Label; what to change in the package or the game; its argument; the
// refusal expected, or "-" (installed) or "listed" (installed, the settings
// edit only listed).
class PackageCaseTest : public PackageInstallationTest,
                        public ::testing::WithParamInterface<std::vector<std::string>> {};

TEST_P(PackageCaseTest, RefusesBeforeWritingOrInstalls) {
    const std::string &kind = GetParam()[1], &argument = GetParam()[2], &refusal = GetParam()[3];
    const std::string listed = "File=(Src=" + argument + ")\n";
    std::vector<UmodWriter::File> files = packageFiles(
        kind == "manifest" ? argument : "package.ini", kind == "add-file" ? listed : "");
    const fs::path ini = settings() / "UnrealTournament.ini";
    if (kind == "add-file" || kind == "add-unlisted") {
        files.push_back({argument, "extra"});
    } else if (kind == "existing") {
        writeBytes(game() / "Maps/DM-Kestrel.unr", "the player's own map");
    } else if (kind == "link") {
        fs::remove_all(game() / argument);
        fs::create_directory_symlink(m_drive.path() / "Elsewhere", game() / argument);
    } else if (argument == "settings-missing") {
        fs::remove(ini);
    } else if (argument == "settings-utf16") {
        writeBytes(ini, std::string("\xFF\xFE[\0S\0]\0\n\0", 10));
    } else if (argument == "settings-link") {
        fs::rename(ini, m_drive.path() / "Elsewhere/UT.ini");
        fs::create_symlink(m_drive.path() / "Elsewhere/UT.ini", ini);
    } else if (argument == "settings-read-only") {
        fs::permissions(ini, fs::perms::owner_read);
    }
    std::string package = UmodWriter::write(files, kind == "reflected-crc");
    const std::size_t trailer = package.size() - 20;
    std::uint32_t directory = 0;  // little-endian, as the host
    std::memcpy(&directory, &package[trailer + 4], 4);
    if (kind == "flip-content") {
        package[3] ^= 1;
    } else if (kind == "flip-trailer") {
        package[trailer + std::stoul(argument)] ^= 1;
    } else if (kind == "flip-directory") {
        package[directory + std::stoul(argument)] ^= static_cast<char>(0x80);
        std::string checksum;
        UmodWriter::number(checksum, Crc32::engine(std::string_view(package).substr(0, trailer)));
        package.replace(trailer + 16, 4, checksum);
    }
    const auto before = snapshot(m_drive.path());
    const auto settingsBefore = snapshot(settings());
    if (refusal == "-" || refusal == "listed") {
        const auto plan = install(package, m_files);
        EXPECT_EQ(readBytes(game() / "System/Kestrel.u"), "kestrel code");
        EXPECT_FALSE(fs::exists(game() / "System/Stray.u"));  // no group names it
        EXPECT_EQ(plan->settingsEdits.at(0).applied, refusal == "-");
        EXPECT_EQ(snapshot(settings()) == settingsBefore, refusal == "listed");
        return;
    }
    try {
        install(package, m_files);
        ADD_FAILURE() << "installed";
    } catch (const PackageRefusal& refused) {
        EXPECT_NE(std::string(refused.what()).find(refusal), std::string::npos) << refused.what();
    }
    EXPECT_EQ(snapshot(m_drive.path()), before);
}

INSTANTIATE_TEST_SUITE_P(Packages, PackageCaseTest,
                         ::testing::ValuesIn(rowsOf("package/packages.tsv")),
                         [](const auto& info) { return info.param[0]; });

class IniEditRow : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(IniEditRow, MakesOnlyThePlainEdits) {
    const std::vector<std::string>& row = GetParam();
    const std::optional<IniEdit> edit = IniEdit::parse(row[1]);
    EXPECT_EQ(edit ? edit->fileName() : "-", row[2]);
    EXPECT_EQ(edit ? edit->appliedTo(row[3]).value_or("-") : "-", row[4]);
}

INSTANTIATE_TEST_SUITE_P(Rows, IniEditRow, ::testing::ValuesIn(rowsOf("package/ini-edits.tsv")),
                         [](const auto& info) { return info.param[0]; });

class GameFolderRow : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(GameFolderRow, IsTheNativeLinuxBuildOnlyWithItsProgramsAndNoSetupTool) {
    TempFolder game;
    for (const std::string& file : listOf(GetParam()[1])) {
        writeBytes(game.path() / file, "");
    }
    EXPECT_EQ(GameFolder::isNativeLinuxBuild(game.path()), GetParam()[2] == "yes");
}

INSTANTIATE_TEST_SUITE_P(Rows, GameFolderRow,
                         ::testing::ValuesIn(rowsOf("package/game-folders.tsv")),
                         [](const auto& info) { return info.param[0]; });

}  // namespace
}  // namespace kestrix
