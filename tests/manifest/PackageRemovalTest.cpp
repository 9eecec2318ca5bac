#include "manifest/PackageRemoval.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "manifest/RealisticManifest.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "support/TempFolder.h"
#include "windows/RemovalMessage.h"

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
    std::map<std::string, FileIdentity> identitiesIn(const fs::path& folder) const override {
        return m_host.identitiesIn(folder);
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
                              const fs::path& backup, const fs::path& inProgress) override {
        failFor(backup);
        m_host.replaceKeepingBackup(current, replacement, backup, inProgress);
    }
    void flushFolder(const fs::path& folder) override {
        failFor(folder);
        m_host.flushFolder(folder);
    }
    void createFolder(const fs::path& path) override { m_host.createFolder(path); }
    void removeEmptyFolder(const fs::path& path) override { m_host.removeEmptyFolder(path); }
    void moveFile(const fs::path& from, const fs::path& to) override { m_host.moveFile(from, to); }

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

constexpr uid_t nobody = 65534;

// What a removal did, in the words the uninstaller shows for it.
struct Reported {
    RemovalStatus status;
    std::string message;
};

// Runs a removal as an ordinary user. Root may write into any folder and
// read any listing, so the faults that come from a folder's permissions show
// only to someone else; when the tests run as root, a child process takes
// the other user's id and hands the result back.
template <typename Removal>
Reported asOrdinaryUser(Removal removal) {
    if (::geteuid() != 0) {
        return removal();
    }
    int channel[2];
    if (::pipe(channel) != 0) {
        throw std::runtime_error("pipe");
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string answer;
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) {
            answer = "x cannot become another user";
        } else {
            try {
                const Reported result = removal();
                answer = std::to_string(static_cast<int>(result.status)) + " " + result.message;
            } catch (const PlatformError& error) {
                answer = "x raised " + error.description();
            }
        }
        const bool written = ::write(channel[1], answer.data(), answer.size()) ==
                             static_cast<ssize_t>(answer.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(channel[0]);
    int waited = 0;
    ::waitpid(child, &waited, 0);
    if (answer.empty() || answer[0] == 'x') {
        throw std::runtime_error("the removal as another user failed: " + answer);
    }
    const std::size_t blank = answer.find(' ');
    return {static_cast<RemovalStatus>(std::stoi(answer.substr(0, blank))),
            answer.substr(blank + 1)};
}

// Lets another user into the folder and everything in it.
void openToAll(const fs::path& folder) {
    fs::permissions(folder, fs::perms::all);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_directory() && !entry.is_symlink()) {
            fs::permissions(entry.path(), fs::perms::all);
        }
    }
}

// A file that even root may neither rename over nor delete, where the file
// system supports it.
bool setImmutable(const fs::path& path, bool immutable) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

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
    Reported remove(const std::string& package, FileOperations& files,
                    const std::string& gameDir = "C:\\UT") {
        const RemovalOutcome outcome = PackageRemoval(m_drives, files).remove(gameDir, package);
        return {outcome.status, RemovalMessage::of(package, outcome)};
    }
    Reported remove(const std::string& package) { return remove(package, m_files); }

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

    const Reported result = remove("BonusPack2");

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

    const Reported result = remove("A", m_files, "C:\\");

    EXPECT_EQ(result.status, RemovalStatus::Removed);
    EXPECT_FALSE(fs::exists(m_drive.path() / "Maps" / "A.unr"));
    EXPECT_EQ(readBytes(m_drive.path() / "System" / "manifest.ini"), "");
}

TEST_F(PackageRemovalTest, NameOfNoPackageChangesNothing) {
    const std::string manifest =
        "[UnrealTournament]\r\nFile=System\\Core.u\r\n\r\n[A]\r\nFile=System\\A.u\r\n\r\n";
    install(manifest, {"System\\Core.u", "System\\A.u"});

    for (const char* name : {"B", "a", "UnrealTournament", ""}) {
        const Reported result = remove(name);
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

    const Reported result = remove("A");

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

    const Reported result = remove("A");

    EXPECT_EQ(result.status, RemovalStatus::Refused);
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

    const Reported result = remove("A", failing);

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

struct AliasCase {
    const char* name;
    std::string entry;  // the removed package's entry for the file that must stay
    std::string keptSection;
    void (*prepare)(const fs::path& game);
    const char* staying;  // the file that must stay, as it lies on disk
};

class PackageRemovalAlias : public PackageRemovalTest,
                            public ::testing::WithParamInterface<AliasCase> {};

// Another name of the manifest, or of a file another section lists, is passed
// over; the package's own files go and the removal finishes.
TEST_P(PackageRemovalAlias, KeepsTheFileAnotherNameReaches) {
    const std::string kept = GetParam().keptSection;
    const std::string manifest =
        kept + "[A]\r\nFile=System\\A.u\r\nFile=" + GetParam().entry + "\r\n\r\n";
    install(manifest, {"System\\A.u", "Maps\\B.unr"});
    GetParam().prepare(game());

    const Reported result = remove("A");

    EXPECT_EQ(result.status, RemovalStatus::Removed) << result.message;
    EXPECT_EQ(result.message, "done");
    EXPECT_FALSE(fs::exists(hostPath("System\\A.u")));
    EXPECT_TRUE(fs::exists(game() / GetParam().staying)) << GetParam().staying;
    EXPECT_EQ(readBytes(manifestIni()), kept);
    EXPECT_EQ(readBytes(system() / "manifest.bak"), manifest);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PackageRemovalAlias,
    ::testing::Values(
        AliasCase{"ManifestThroughAFolderLink", "Maps\\sys\\Manifest.ini", "",
                  [](const fs::path& game) {
                      fs::create_directory_symlink("../System", game / "Maps" / "sys");
                  },
                  "System/manifest.ini"},
        AliasCase{"ManifestThroughAHardLink", "System\\Copy.ini", "",
                  [](const fs::path& game) {
                      fs::create_hard_link(game / "System" / "manifest.ini",
                                           game / "System" / "Copy.ini");
                  },
                  "System/Copy.ini"},
        AliasCase{"BackupThroughAFileLink", "Maps\\Old.ini", "",
                  [](const fs::path& game) {
                      writeBytes(game / "System" / "manifest.bak", "an older manifest");
                      fs::create_symlink("../System/manifest.bak", game / "Maps" / "Old.ini");
                  },
                  "Maps/Old.ini"},
        AliasCase{
            "ListedFileThroughAFolderLink", "Maps\\here\\B.unr", "[B]\r\nFile=Maps\\B.unr\r\n\r\n",
            [](const fs::path& game) { fs::create_directory_symlink(".", game / "Maps" / "here"); },
            "Maps/B.unr"},
        AliasCase{
            "ListedFileReachedByALinkAnotherSectionLists", "Maps\\B.unr",
            "[B]\r\nFile=Maps\\Alias.unr\r\n\r\n",
            [](const fs::path& game) { fs::create_symlink("B.unr", game / "Maps" / "Alias.unr"); },
            "Maps/B.unr"},
        AliasCase{"ListedFileUnderAnotherCase", "maps\\b.UNR", "[B]\r\nFile=Maps\\B.unr\r\n\r\n",
                  [](const fs::path&) {}, "Maps/B.unr"}),
    [](const auto& info) { return std::string(info.param.name); });

struct BlockedCase {
    const char* name;
    void (*prepare)(const fs::path& game);
    const char* path;  // as the message names it
    const char* reason;
};

class PackageRemovalBlocked : public PackageRemovalTest,
                              public ::testing::WithParamInterface<BlockedCase> {};

// What would stop the removal after its first deletion is found before it.
TEST_P(PackageRemovalBlocked, RefusesBeforeTheFirstDeletion) {
    const std::string manifest = "[A]\r\nFile=System\\A.u\r\nFile=Maps\\B.unr\r\n\r\n";
    install(manifest, {"System\\A.u", "Maps\\B.unr"});
    GetParam().prepare(game());

    const Reported result = remove("A");
    fs::permissions(game() / "Maps", fs::perms::all);

    EXPECT_EQ(result.status, RemovalStatus::Refused);
    EXPECT_EQ(result.message, std::string("The package \"A\" was not removed: \"") +
                                  GetParam().path + "\" " + GetParam().reason +
                                  ". Nothing was changed.");
    EXPECT_EQ(readBytes(manifestIni()), manifest);
    EXPECT_TRUE(fs::exists(hostPath("System\\A.u")));
    EXPECT_TRUE(fs::exists(hostPath("Maps\\B.unr")));
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, PackageRemovalBlocked,
    ::testing::Values(
        BlockedCase{"BackupIsAFolder",
                    [](const fs::path& game) {
                        fs::create_directories(game / "System" / "manifest.bak" / "inside");
                    },
                    "C:\\UT\\system\\manifest.bak", "is a folder"},
        BlockedCase{"BackupInProgressIsAFolder",
                    [](const fs::path& game) {
                        fs::create_directories(game / "System" / "manifest.bak.tmp");
                    },
                    "C:\\UT\\system\\manifest.bak.tmp", "is a folder"},
        BlockedCase{"NewManifestIsAFifo",
                    [](const fs::path& game) {
                        ASSERT_EQ(mkfifo((game / "System" / "manifest.new").c_str(), 0644), 0);
                    },
                    "C:\\UT\\system\\manifest.new", "is not an ordinary file"},
        BlockedCase{"FolderThatNoOneMayWrite",
                    [](const fs::path& game) {
                        fs::permissions(game / "Maps",
                                        fs::perms::owner_read | fs::perms::owner_exec |
                                            fs::perms::group_read | fs::perms::group_exec |
                                            fs::perms::others_read | fs::perms::others_exec);
                    },
                    "C:\\UT\\Maps\\B.unr", "is in a folder where files may not be deleted"}),
    [](const auto& info) { return std::string(info.param.name); });

struct OrdinaryUserCase {
    const char* name;
    fs::perms mapsPermissions;
    const char* entry;  // for the file lying on disk as Maps/B.unr
    const char* reason;
};

class PackageRemovalAsOrdinaryUser : public PackageRemovalTest,
                                     public ::testing::WithParamInterface<OrdinaryUserCase> {};

TEST_P(PackageRemovalAsOrdinaryUser, RefusesBeforeTheFirstDeletion) {
    const std::string manifest =
        std::string("[A]\r\nFile=System\\A.u\r\nFile=") + GetParam().entry + "\r\n\r\n";
    install(manifest, {"System\\A.u", "Maps\\B.unr"});
    openToAll(m_drive.path());
    fs::permissions(game() / "Maps", GetParam().mapsPermissions);

    const Reported result = asOrdinaryUser([&] { return remove("A"); });
    fs::permissions(game() / "Maps", fs::perms::all);

    EXPECT_EQ(result.status, RemovalStatus::Refused);
    EXPECT_EQ(result.message, std::string("The package \"A\" was not removed: \"C:\\UT\\") +
                                  GetParam().entry + "\" " + GetParam().reason +
                                  ". Nothing was changed.");
    EXPECT_EQ(readBytes(manifestIni()), manifest);
    EXPECT_TRUE(fs::exists(hostPath("System\\A.u")));
    EXPECT_TRUE(fs::exists(hostPath("Maps\\B.unr")));
}

constexpr fs::perms writeAndSearchOnly = fs::perms::owner_write | fs::perms::owner_exec |
                                         fs::perms::group_write | fs::perms::group_exec |
                                         fs::perms::others_write | fs::perms::others_exec;

INSTANTIATE_TEST_SUITE_P(
    Folders, PackageRemovalAsOrdinaryUser,
    ::testing::Values(OrdinaryUserCase{"OwnerAloneMayWrite",
                                       fs::perms::owner_all | fs::perms::group_read |
                                           fs::perms::group_exec | fs::perms::others_read |
                                           fs::perms::others_exec,
                                       "Maps\\B.unr",
                                       "is in a folder where files may not be deleted"},
                      // The exact name is not there and the folder cannot be listed: the
                      // file may well be there under another case.
                      OrdinaryUserCase{"ListingRefused", writeAndSearchOnly, "Maps\\b.unr",
                                       "could not be checked (Permission denied)"},
                      OrdinaryUserCase{"SearchRefused", fs::perms::all & ~fs::perms::others_exec,
                                       "Maps\\B.unr", "could not be checked (Permission denied)"}),
    [](const auto& info) { return std::string(info.param.name); });

// The System folder may be written and searched but not read: the removal is
// made, and only the flush that makes it durable cannot be.
TEST_F(PackageRemovalTest, FlushThatFailsAfterTheRenameStillReportsTheRemoval) {
    const std::string manifest = "[A]\r\nFile=Maps\\A.unr\r\n\r\n[B]\r\n\r\n";
    install(manifest, {"Maps\\A.unr"});
    // Spelled as the texts spell them, so that no lookup needs the listing.
    fs::rename(manifestIni(), system() / "manifest.ini.tmp");
    fs::rename(system() / "manifest.ini.tmp", system() / "manifest.ini");
    writeBytes(system() / "manifest.bak", "older");
    writeBytes(system() / "manifest.new", "leftover");
    openToAll(m_drive.path());
    fs::permissions(system(), writeAndSearchOnly);

    const Reported result = asOrdinaryUser([&] { return remove("A"); });
    fs::permissions(system(), fs::perms::all);

    EXPECT_EQ(result.status, RemovalStatus::RemovedNotFlushed);
    EXPECT_EQ(result.message,
              "done, but the change may not be on the disk yet (Permission denied). If the "
              "computer loses power before it writes its cache, the package may be listed "
              "again: clicking Uninstall then will finish the removal.");
    EXPECT_EQ(readBytes(manifestIni()), "[B]\r\n\r\n");
    EXPECT_EQ(readBytes(system() / "manifest.bak"), manifest);
    EXPECT_FALSE(fs::exists(hostPath("Maps\\A.unr")));
}

TEST_F(PackageRemovalTest, BackupThatCannotBeReplacedSaysTheFilesAreGone) {
    const std::string manifest = "[A]\r\nFile=Maps\\A.unr\r\n\r\n[B]\r\n\r\n";
    install(manifest, {"Maps\\A.unr"});
    writeBytes(system() / "manifest.bak", "older");
    if (!setImmutable(system() / "manifest.bak", true)) {
        GTEST_SKIP() << "the file system keeps no immutable files";
    }

    const Reported result = remove("A");
    setImmutable(system() / "manifest.bak", false);

    EXPECT_EQ(result.status, RemovalStatus::ManifestNotReplaced);
    EXPECT_EQ(result.message,
              "The files of \"A\" were deleted, but the manifest could not be updated: "
              "Permission denied. It still lists the package: clicking Uninstall again will "
              "finish the removal.");
    EXPECT_FALSE(fs::exists(hostPath("Maps\\A.unr")));
    EXPECT_EQ(readBytes(manifestIni()), manifest);
    EXPECT_FALSE(fs::exists(system() / "manifest.new"));
    EXPECT_FALSE(fs::exists(system() / "manifest.bak.tmp"));

    EXPECT_EQ(remove("A").status, RemovalStatus::Removed);
    EXPECT_EQ(readBytes(manifestIni()), "[B]\r\n\r\n");
}

TEST_F(PackageRemovalTest, BrokenLinkIsDeleted) {
    install("[A]\r\nFile=Maps\\A.unr\r\n\r\n", {});
    fs::create_directories(game() / "Maps");
    fs::create_symlink("Gone.unr", game() / "Maps" / "A.unr");

    EXPECT_EQ(remove("A").status, RemovalStatus::Removed);
    EXPECT_FALSE(fs::is_symlink(game() / "Maps" / "A.unr"));
}

// The game reads its manifest through the link, so the link stays and the
// file it leads to takes the new content.
TEST_F(PackageRemovalTest, ManifestThatIsALinkIsReplacedWhereItLeads) {
    const std::string manifest = "[A]\r\nFile=Maps\\A.unr\r\n\r\n[B]\r\n\r\n";
    install("", {"Maps\\A.unr"});
    fs::remove(manifestIni());
    TempFolder elsewhere;
    writeBytes(elsewhere.path() / "Shared.ini", manifest);
    fs::create_symlink(elsewhere.path() / "Shared.ini", manifestIni());

    EXPECT_EQ(remove("A").status, RemovalStatus::Removed);

    EXPECT_TRUE(fs::is_symlink(manifestIni()));
    EXPECT_EQ(readBytes(elsewhere.path() / "Shared.ini"), "[B]\r\n\r\n");
    EXPECT_EQ(readBytes(system() / "manifest.bak"), manifest);
    EXPECT_FALSE(fs::is_symlink(system() / "manifest.bak"));
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere.path()), {}), 1);
    EXPECT_FALSE(fs::exists(hostPath("Maps\\A.unr")));
}

TEST_F(PackageRemovalTest, ManifestWithLoneCrLineEnds) {
    install("[A]\rFile=Maps\\A.unr\r\r[B]\rFile=Maps\\B.unr\r\r", {"Maps\\A.unr", "Maps\\B.unr"});

    EXPECT_EQ(remove("A").status, RemovalStatus::Removed);

    EXPECT_EQ(readBytes(manifestIni()), "[B]\rFile=Maps\\B.unr\r\r");
    EXPECT_FALSE(fs::exists(hostPath("Maps\\A.unr")));
    EXPECT_TRUE(fs::exists(hostPath("Maps\\B.unr")));
}

TEST_F(PackageRemovalTest, ManifestThatIsAFifoRaisesWithoutWaiting) {
    fs::create_directories(system());
    ASSERT_EQ(mkfifo(manifestIni().c_str(), 0644), 0);
    try {
        remove("A");
        FAIL() << "removed from a FIFO";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::PathFileAccessError);
    }
}

TEST_F(PackageRemovalTest, FlushFailureIsAWarningAfterTheRemoval) {
    install("[A]\r\nFile=Maps\\A.unr\r\n\r\n", {"Maps\\A.unr"});
    FailingFileOperations failing("System", ErrorNumber::PathFileAccessError, "Disk error");

    const Reported result = remove("A", failing);

    EXPECT_EQ(result.status, RemovalStatus::RemovedNotFlushed);
    EXPECT_EQ(result.message.find("done, but the change may not be on the disk yet (Disk error)"),
              0U)
        << result.message;
    EXPECT_EQ(readBytes(manifestIni()), "");
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
