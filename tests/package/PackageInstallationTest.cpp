#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "manifest/PackageRemoval.h"
#include "package/Crc32.h"
#include "package/PackageInstallation.h"
#include "package/PackageRefusal.h"
#include "package/UmodWriter.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

const fs::path data = fs::path(KESTRIX_TEST_DATA) / "package";

// The host's operations, except that the n-th write or rename fails as a
// full disk does.
class DiskFullAt final : public HostFileOperations {
public:
    explicit DiskFullAt(int failing) : m_left(failing) {}
    void writeFile(const fs::path& path, const std::vector<std::string_view>& pieces,
                   fs::perms permissions) override {
        step();
        HostFileOperations::writeFile(path, pieces, permissions);
    }
    void moveFile(const fs::path& from, const fs::path& to) override {
        step();
        HostFileOperations::moveFile(from, to);
    }
    void replaceKeepingBackup(const fs::path& current, const fs::path& replacement,
                              const fs::path& backup, const fs::path& inProgress) override {
        step();
        HostFileOperations::replaceKeepingBackup(current, replacement, backup, inProgress);
    }

private:
    void step() {
        if (--m_left == 0) {
            throw PlatformError(ErrorNumber::PathFileAccessError, "Disk full");
        }
    }
    int m_left;
};

// Every file and link under a folder with its content or target.
std::map<fs::path, std::string> snapshot(const fs::path& folder) {
    std::map<fs::path, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        entries[entry.path()] = entry.is_symlink()     ? "-> " + fs::read_symlink(entry).string()
                                : entry.is_directory() ? "folder"
                                                       : readBytes(entry.path());
    }
    return entries;
}

// The game at C:\UT with the base game and one bonus pack installed.
class PackageInstallationTest : public ::testing::Test {
protected:
    PackageInstallationTest() {
        writeBytes(game() / "System/Manifest.ini", readBytes(data / "game-manifest.ini"));
        for (const char* file : {"System/Engine.u", "System/Core.u", "Maps/DM-Bonus.unr"}) {
            writeBytes(game() / file, file);
        }
        fs::create_directory(m_drive.path() / "Elsewhere");
    }
    fs::path game() const { return m_drive.path() / "UT"; }

    std::vector<UmodWriter::File> packageFiles(const std::string& manifest = "package.ini") {
        return {{"System\\Manifest.ini", readBytes(data / manifest), 3},
                {"System\\Manifest.int", readBytes(data / "package.int"), 3},
                {"System\\Kestrel.u", "kestrel code"},
                {"Maps\\DM-Kestrel.unr", "kestrel map"},
                {"Textures\\Kestrel.utx", "kestrel textures"}};
    }
    void install(const std::string& package, FileOperations& files) {
        writeBytes(m_drive.path() / "Elsewhere/Kestrel.umod", package);
        PackageInstallation installation(m_drives, files);
        installation.install(*installation.prepare("C:\\UT", "C:\\Elsewhere\\Kestrel.umod"));
    }

    TempFolder m_drive;
    DriveTable m_drives{{Drive{'C', m_drive.path()}}, m_drive.path()};
    HostFileOperations m_files;
};

TEST_F(PackageInstallationTest, InstallsAndRecordsThePackageThenUninstallsIt) {
    const std::string before = readBytes(game() / "System/Manifest.ini");
    const auto files = snapshot(m_drive.path());
    install(UmodWriter::write(packageFiles()), m_files);

    EXPECT_EQ(readBytes(game() / "System/Manifest.ini"),
              readBytes(data / "installed-manifest.ini"));
    EXPECT_EQ(readBytes(game() / "System/manifest.bak"), before);
    EXPECT_EQ(readBytes(game() / "Textures/Kestrel.utx"), "kestrel textures");
    EXPECT_EQ(readBytes(game() / "System/Kestrel.u"), "kestrel code");
    EXPECT_FALSE(fs::exists(game() / "System/Manifest.int"));
    // The writer's checksums are the reader's: both against their known values.
    EXPECT_EQ(Crc32::engine("123456789"), 0xFC891918U);
    EXPECT_EQ(Crc32::reflected("123456789"), 0xCBF43926U);
    // The package, three files, a folder and the backup.
    EXPECT_EQ(snapshot(m_drive.path()).size(), files.size() + 6);

    ASSERT_EQ(PackageRemoval(m_drives, m_files).remove("C:\\UT", "KestrelMod").status,
              RemovalStatus::Removed);
    auto after = snapshot(m_drive.path());
    after.erase(game() / "System/manifest.bak");
    after.erase(game() / "Textures");  // the removal leaves folders
    after.erase(m_drive.path() / "Elsewhere/Kestrel.umod");
    EXPECT_EQ(after, files);
}

TEST_F(PackageInstallationTest, AFailureAtAnyStepLeavesTheGameFolderAsItWas) {
    std::vector<UmodWriter::File> files = packageFiles();
    files.push_back({"System\\Core.u", "patched core"});  // replaces a file of the game's
    const std::string package = UmodWriter::write(files);
    writeBytes(game() / "System/manifest.bak", "old backup");
    const auto before = snapshot(m_drive.path());
    for (int failing = 1;; ++failing) {
        DiskFullAt disk(failing);
        try {
            install(package, disk);
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.description(), "Disk full");
            fs::remove(m_drive.path() / "Elsewhere/Kestrel.umod");
            EXPECT_EQ(snapshot(m_drive.path()), before) << "failing at step " << failing;
            continue;
        }
        EXPECT_GT(failing, 10);  // four files written and moved, one set aside, the manifest
        break;
    }
}

struct PackageCase {
    std::string label, kind, argument, refusal;
    friend void PrintTo(const PackageCase& row, std::ostream* out) { *out << row.label; }
};

class PackageCaseTest : public PackageInstallationTest,
                        public ::testing::WithParamInterface<PackageCase> {};

TEST_P(PackageCaseTest, RefusesBeforeWritingOrInstalls) {
    const PackageCase& row = GetParam();
    std::vector<UmodWriter::File> files =
        packageFiles(row.kind == "manifest" ? row.argument : "package.ini");
    if (row.kind == "add-file") {
        files.push_back({row.argument, "extra"});
    } else if (row.kind == "existing") {
        writeBytes(game() / "Maps/DM-Kestrel.unr", "the player's own map");
    } else if (row.kind == "link") {
        fs::remove_all(game() / row.argument);
        fs::create_directory_symlink(m_drive.path() / "Elsewhere", game() / row.argument);
    }
    std::string package = UmodWriter::write(files, row.kind == "reflected-crc");
    const std::size_t trailer = package.size() - 20;
    std::uint32_t directory = 0;  // little-endian, as the host
    std::memcpy(&directory, &package[trailer + 4], 4);
    if (row.kind == "flip-content") {
        package[3] ^= 1;
    } else if (row.kind == "flip-trailer") {
        package[trailer + std::stoul(row.argument)] ^= 1;
    } else if (row.kind == "flip-directory") {
        package[directory + std::stoul(row.argument)] ^= static_cast<char>(0x80);
        std::string checksum;
        UmodWriter::number(checksum, Crc32::engine(std::string_view(package).substr(0, trailer)));
        package.replace(trailer + 16, 4, checksum);
    }
    const auto before = snapshot(m_drive.path());
    if (row.refusal == "-") {
        install(package, m_files);
        EXPECT_EQ(readBytes(game() / "System/Kestrel.u"), "kestrel code");
        return;
    }
    try {
        install(package, m_files);
        ADD_FAILURE() << "installed";
    } catch (const PackageRefusal& refusal) {
        EXPECT_NE(std::string(refusal.what()).find(row.refusal), std::string::npos)
            << refusal.what();
    }
    auto after = snapshot(m_drive.path());
    after.erase(m_drive.path() / "Elsewhere/Kestrel.umod");
    EXPECT_EQ(after, before);
}

std::vector<PackageCase> rows() {
    std::ifstream table(data / "packages.tsv");
    std::vector<PackageCase> cases;
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        PackageCase row;
        for (std::string* field : {&row.label, &row.kind, &row.argument, &row.refusal}) {
            std::getline(fields, *field, '\t');
        }
        cases.push_back(row);
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Packages, PackageCaseTest, ::testing::ValuesIn(rows()),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace kestrix
