#include "manifest/PackageRemoval.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "manifest/RealisticManifest.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

// The host's operations, except that deleting or writing one chosen file,
// replacing onto a chosen backup or flushing a chosen folder fails with the
// given error, as a locked or vanishing file or a failing disk would.
class FailingFileOperations : public FileOperations {
public:
    FailingFileOperations(std::string failingName, int number, std::string description)
        : m_failingName(std::move(failingName)),
          m_number(number),
          m_description(std::move(description)) {}

    PathKind inspect(const fs::path& path) const override { return m_host.inspect(path); }
    std::optional<FileIdentity> identity(const fs::path& path) const override {
        return m_host.identity(path);
    }
    bool folderAllowsDeletion(const fs::path& path) const override {
        return m_host.folderAllowsDeletion(path);
    }
    void deleteFile(const fs::path& path) override {
        failFor(path);
        m_host.deleteFile(path);
    }
    std::string readFile(const fs::path& path) const override { return m_host.readFile(path); }
    void writeFile(const fs::path& path, const std::vector<std::string_view>& pieces,
                   fs::perms permissions) override {
        failFor(path);
        m_host.writeFile(path, pieces, permissions);
    }
    fs::perms permissions(const fs::path& path) const override { return m_host.permissions(path); }
    fs::path canonical(const fs::path& path) const override { return m_host.canonical(path); }
    void replaceKeepingBackup(const fs::path& current, const fs::path& replacement,
                              const fs::path& backup) override {
        failFor(backup);
        m_host.replaceKeepingBackup(current, replacement, backup);
    }
    void flushFolder(const fs::path& folder) override {
        failFor(folder);
        m_host.flushFolder(folder);
    }

private:
    void failFor(const fs::path& path) const {
        if (path.filename() == m_failingName) {
            throw PlatformError(m_number, m_description);
        }
    }

    HostFileOperations m_host;
    std::string m_failingName;
    int m_number;
    std::string m_description;
};

// A drive C: of a temporary folder holding the game at C:\UT, its folder
// spelled "UT/System" on disk while the manifest path says "system".
class PackageRemovalTest : public ::testing::Test {
protected:
    fs::path game() const { return m_drive.path() / "UT"; }
    fs::path system() const { return game() / "System"; }
    fs::path manifestIni() const { return system() / "manifest.ini"; }

    void install(const std::string& manifest, const std::vector<std::string>& files) {
        writeBytes(manifestIni(), manifest);
        for (const std::string& file : files) {
            writeBytes(hostPath(file), file);
        }
    }
    fs::path hostPath(std::string file) const {
        std::replace(file.begin(), file.end(), '\\', '/');
        return game() / file;
    }
    RemovalResult remove(const std::string& package, FileOperations& files) {
        return PackageRemoval(m_drives, files).remove("C:\\UT", package);
    }
    RemovalResult remove(const std::string& package) { return remove(package, m_files); }

    // Nothing on disk moved: the manifest as given, no backup or new manifest
    // made, every file still there.
    void expectUnchanged(const std::string& manifest, const std::vector<std::string>& files) {
        EXPECT_EQ(readBytes(manifestIni()), manifest);
        EXPECT_FALSE(fs::exists(system() / "manifest.bak"));
        EXPECT_FALSE(fs::exists(system() / "manifest.new"));
        for (const std::string& file : files) {
            EXPECT_TRUE(fs::exists(hostPath(file))) << file;
        }
    }

    TempFolder m_drive;
    DriveTable m_drives{{Drive{'C', m_drive.path()}}, m_drive.path()};
    HostFileOperations m_files;
};

TEST_F(PackageRemovalTest, RemovesARealisticPackageAndKeepsTheOldManifestAsBackup) {
    const RealisticManifest manifest(1900, 3, 5);
    std::vector<std::string> files{RealisticManifest::sharedFile};
    for (std::size_t product = 1; product <= 3; ++product) {
        const std::vector<std::string> own = manifest.productFiles(product);
        files.insert(files.end(), own.begin(), own.end());
    }
    install(manifest.text(), files);
    std::string expected = manifest.text();
    expected.erase(expected.find(manifest.productSection(2)), manifest.productSection(2).size());

    const RemovalResult result = remove("BonusPack2");

    EXPECT_EQ(result.status, RemovalStatus::Removed);
    EXPECT_EQ(result.message, "done");
    for (const std::string& file : files) {
        EXPECT_EQ(fs::exists(hostPath(file)), file.find("BonusPack2") == std::string::npos) << file;
    }
    EXPECT_EQ(readBytes(manifestIni()), expected);
    EXPECT_EQ(readBytes(system() / "manifest.bak"), manifest.text());
    std::set<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(system())) {
        left.insert(entry.path().filename().string());
    }
    EXPECT_EQ(left, (std::set<std::string>{"manifest.ini", "manifest.bak", "De.u", "BonusPack1.u",
                                           "BonusPack1.int", "BonusPack3.u", "BonusPack3.int"}));
}

TEST_F(PackageRemovalTest, SecondRemovalRotatesTheBackup) {
    const std::string first = "[A]\r\nFile=System\\A.u\r\n\r\n[B]\r\nFile=System\\B.u\r\n\r\n";
    install(first, {"System\\A.u", "System\\B.u"});
    ASSERT_EQ(remove("A").status, RemovalStatus::Removed);
    const std::string second = "[B]\r\nFile=System\\B.u\r\n\r\n";

    ASSERT_EQ(remove("B").status, RemovalStatus::Removed);

    EXPECT_EQ(readBytes(manifestIni()), "");
    EXPECT_EQ(readBytes(system() / "manifest.bak"), second);
    EXPECT_FALSE(fs::exists(system() / "manifest.new"));
    EXPECT_FALSE(fs::exists(hostPath("System\\B.u")));
}

TEST_F(PackageRemovalTest, ManifestKeepsItsPermissions) {
    install("[A]\nFile=System\\A.u\n\n", {"System\\A.u"});
    fs::permissions(manifestIni(),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_EQ(remove("A").status, RemovalStatus::Removed);

    EXPECT_EQ(fs::status(manifestIni()).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(PackageRemovalTest, GameFolderAtADriveRoot) {
    writeBytes(m_drive.path() / "System" / "manifest.ini", "[A]\r\nFile=Maps\\A.unr\r\n\r\n");
    writeBytes(m_drive.path() / "Maps" / "A.unr", "x");

    const RemovalResult result = PackageRemoval(m_drives, m_files).remove("C:\\", "A");

    EXPECT_EQ(result.status, RemovalStatus::Removed);
    EXPECT_FALSE(fs::exists(m_drive.path() / "Maps" / "A.unr"));
    EXPECT_EQ(readBytes(m_drive.path() / "System" / "manifest.ini"), "");
}

TEST_F(PackageRemovalTest, NameOfNoPackageChangesNothing) {
    const std::string manifest =
        "[UnrealTournament]\r\nFile=System\\Core.u\r\n\r\n[A]\r\nFile=System\\A.u\r\n\r\n";
    install(manifest, {"System\\Core.u", "System\\A.u"});

    for (const char* name : {"B", "a", "UnrealTournament", ""}) {
        const RemovalResult result = remove(name);
        EXPECT_EQ(result.status, RemovalStatus::NotInstalled);
        EXPECT_EQ(result.message, "No package named \"" + std::string(name) +
                                      "\" is installed. Nothing was changed.");
        expectUnchanged(manifest, {"System\\Core.u", "System\\A.u"});
    }
}

TEST_F(PackageRemovalTest, UnsafeEntryChangesNothing) {
    const std::string manifest = "[A]\r\nFile=System\\A.u\r\nFile=..\\Outside.u\r\n\r\n";
    install(manifest, {"System\\A.u"});
    writeBytes(m_drive.path() / "Outside.u", "x");

    const RemovalResult result = remove("A");

    EXPECT_EQ(result.status, RemovalStatus::UnsafeEntry);
    EXPECT_NE(result.message.find("\"File=..\\Outside.u\""), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("Nothing was changed."), std::string::npos) << result.message;
    expectUnchanged(manifest, {"System\\A.u"});
    EXPECT_TRUE(fs::exists(m_drive.path() / "Outside.u"));
}

struct RefusalCase {
    const char* name;
    const char* entry;
    void (*prepare)(const fs::path& game, const fs::path& outside);
    const char* reason;
};

class PackageRemovalRefusal : public PackageRemovalTest,
                              public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(PackageRemovalRefusal, RefusesBeforeTheFirstDeletion) {
    const std::string entry = GetParam().entry;
    const std::string manifest = "[A]\r\nFile=System\\First.u\r\nFile=" + entry + "\r\n\r\n";
    install(manifest, {"System\\First.u"});
    TempFolder outside;
    GetParam().prepare(game(), outside.path());

    const RemovalResult result = remove("A");

    EXPECT_EQ(result.status, RemovalStatus::CannotDelete);
    EXPECT_EQ(result.message, "The package \"A\" was not removed: \"C:\\UT\\" + entry + "\" " +
                                  GetParam().reason + ". Nothing was changed.");
    expectUnchanged(manifest, {"System\\First.u", entry});
}

INSTANTIATE_TEST_SUITE_P(
    Files, PackageRemovalRefusal,
    ::testing::Values(RefusalCase{"ReadOnly", "System\\Bad.u",
                                  [](const fs::path& game, const fs::path&) {
                                      writeBytes(game / "System" / "Bad.u", "x");
                                      fs::permissions(
                                          game / "System" / "Bad.u",
                                          fs::perms::owner_read | fs::perms::group_read);
                                  },
                                  "is read-only"},
                      RefusalCase{"Folder", "System\\Bad.u",
                                  [](const fs::path& game, const fs::path&) {
                                      fs::create_directories(game / "System" / "Bad.u" / "inside");
                                  },
                                  "is a folder"},
                      RefusalCase{"LinkToAFileOutside", "System\\Bad.u",
                                  [](const fs::path& game, const fs::path& outside) {
                                      writeBytes(outside / "Bad.u", "x");
                                      fs::create_symlink(outside / "Bad.u",
                                                         game / "System" / "Bad.u");
                                  },
                                  "lies outside the game folder"},
                      RefusalCase{"FolderLinkLeadingOutside", "Linked\\Bad.u",
                                  [](const fs::path& game, const fs::path& outside) {
                                      writeBytes(outside / "Bad.u", "x");
                                      fs::create_directory_symlink(outside, game / "Linked");
                                  },
                                  "lies outside the game folder"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PackageRemovalTest, FileAlreadyGoneCountsAsRemoved) {
    install("[A]\r\nFile=System\\Gone.u\r\nFile=System\\A.u\r\n\r\n", {"System\\A.u"});

    EXPECT_EQ(remove("A").status, RemovalStatus::Removed);
    EXPECT_FALSE(fs::exists(hostPath("System\\A.u")));
    EXPECT_EQ(readBytes(manifestIni()), "");
}

TEST_F(PackageRemovalTest, FailureMidwayKeepsTheManifestAndASecondRunFinishes) {
    const std::string manifest = "[A]\r\nFile=System\\A.u\r\nFile=System\\B.u\r\n\r\n";
    install(manifest, {"System\\A.u", "System\\B.u"});
    FailingFileOperations failing("B.u", ErrorNumber::PermissionDenied, "The file is in use");

    const RemovalResult result = remove("A", failing);

    EXPECT_EQ(result.status, RemovalStatus::DeletionFailed);
    EXPECT_EQ(result.message,
              "Deleting \"C:\\UT\\System\\B.u\" failed: The file is in use. The manifest was not "
              "changed: clicking Uninstall again will finish the removal.");
    EXPECT_FALSE(fs::exists(hostPath("System\\A.u")));
    expectUnchanged(manifest, {"System\\B.u"});

    EXPECT_EQ(remove("A").status, RemovalStatus::Removed);
    EXPECT_FALSE(fs::exists(hostPath("System\\B.u")));
    EXPECT_EQ(readBytes(system() / "manifest.bak"), manifest);
}

TEST_F(PackageRemovalTest, FileThatVanishesDuringTheRemovalCountsAsRemoved) {
    install("[A]\r\nFile=System\\A.u\r\nFile=System\\B.u\r\n\r\n[B]\r\n\r\n",
            {"System\\A.u", "System\\B.u"});
    FailingFileOperations vanishing("B.u", ErrorNumber::FileNotFound, "File not found");

    EXPECT_EQ(remove("A", vanishing).status, RemovalStatus::Removed);
    EXPECT_EQ(readBytes(manifestIni()), "[B]\r\n\r\n");
}

TEST_F(PackageRemovalTest, NewManifestThatCannotBeWrittenLeavesTheManifest) {
    const std::string manifest = "[A]\r\nFile=System\\A.u\r\n\r\n[B]\r\n\r\n";
    install(manifest, {"System\\A.u"});
    FailingFileOperations failing("manifest.new", ErrorNumber::PathFileAccessError, "Disk full");

    EXPECT_THROW(remove("A", failing), PlatformError);
    // Found out before anything was deleted.
    expectUnchanged(manifest, {"System\\A.u"});
}

TEST_F(PackageRemovalTest, MissingManifestIsFileNotFound) {
    fs::create_directories(system());
    try {
        remove("A");
        FAIL() << "removed from a missing manifest";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::FileNotFound);
    }
}

}  // namespace
}  // namespace kestrix
