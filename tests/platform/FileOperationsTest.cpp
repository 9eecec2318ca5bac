#include "platform/HostFileOperations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "support/ErrorNumberOf.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read;

struct KindCase {
    const char* name;
    void (*make)(const fs::path& path);
    PathKind kind;
};

class HostFileKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(HostFileKinds, InspectSaysWhatAPathHolds) {
    TempFolder folder;
    const fs::path path = folder.path() / "entry";
    GetParam().make(path);
    EXPECT_EQ(HostFileOperations().inspect(path), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, HostFileKinds,
    ::testing::Values(
        KindCase{"Missing", [](const fs::path&) {}, PathKind::Missing},
        KindCase{"File", [](const fs::path& p) { writeBytes(p, "x"); }, PathKind::File},
        KindCase{"WritableByGroupOnly",
                 [](const fs::path& p) {
                     writeBytes(p, "x");
                     fs::permissions(p, fs::perms::owner_read | fs::perms::group_write);
                 },
                 PathKind::File},
        KindCase{"ReadOnlyFile",
                 [](const fs::path& p) {
                     writeBytes(p, "x");
                     fs::permissions(p, readOnly);
                 },
                 PathKind::ReadOnlyFile},
        KindCase{"Folder", [](const fs::path& p) { fs::create_directory(p); }, PathKind::Folder},
        KindCase{"Fifo", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0644), 0); },
                 PathKind::Other},
        KindCase{"LinkToAFile",
                 [](const fs::path& p) {
                     writeBytes(p.string() + ".target", "x");
                     fs::create_symlink(p.string() + ".target", p);
                 },
                 PathKind::File},
        KindCase{"DanglingLink", [](const fs::path& p) { fs::create_symlink("nowhere", p); },
                 PathKind::BrokenLink}),
    [](const auto& info) { return std::string(info.param.name); });

class HostFileOperationsTest : public ::testing::Test {
protected:
    fs::path at(const char* name) const { return m_folder.path() / name; }

    TempFolder m_folder;
    HostFileOperations m_files;
};

TEST_F(HostFileOperationsTest, DeleteRefusesWhatWindowsWouldNotDelete) {
    writeBytes(at("file"), "x");
    writeBytes(at("read-only"), "x");
    fs::permissions(at("read-only"), readOnly);
    fs::create_directory(at("folder"));

    m_files.deleteFile(at("file"));

    EXPECT_FALSE(fs::exists(at("file")));
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at("file")); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at("read-only")); }),
              ErrorNumber::PermissionDenied);
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at("folder")); }),
              ErrorNumber::PathFileAccessError);
    EXPECT_TRUE(fs::exists(at("read-only")));
    EXPECT_TRUE(fs::exists(at("folder")));
}

TEST_F(HostFileOperationsTest, ReadsEveryByteOfOrdinaryFilesOnly) {
    const std::string bytes = "a\r\nb\0\xFF\n"s + std::string(100000, 'z');
    writeBytes(at("file"), bytes);
    fs::create_directory(at("folder"));
    // Opened to read in the usual way, a FIFO with no writer would wait for ever.
    ASSERT_EQ(mkfifo(at("fifo").c_str(), 0644), 0);

    EXPECT_EQ(m_files.readFile(at("file")), bytes);
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at("missing")); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at("folder")); }),
              ErrorNumber::PathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at("fifo")); }),
              ErrorNumber::PathFileAccessError);
}

TEST_F(HostFileOperationsTest, IdentityIsTheFileReachedWhateverTheName) {
    writeBytes(at("file"), "x");
    writeBytes(at("other"), "x");
    fs::create_hard_link(at("file"), at("hard link"));
    fs::create_symlink("file", at("link"));
    fs::create_directory(at("folder"));
    fs::create_directory_symlink(".", at("folder link"));
    fs::create_symlink("nowhere", at("broken"));

    const auto file = m_files.identity(at("file"));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(m_files.identity(at("hard link")), file);
    EXPECT_EQ(m_files.identity(at("link")), file);
    EXPECT_EQ(m_files.identity(at("folder link") / "file"), file);
    EXPECT_NE(m_files.identity(at("other")), file);
    EXPECT_TRUE(m_files.identity(at("other")).has_value());
    EXPECT_EQ(m_files.identity(at("missing")), std::nullopt);
    EXPECT_EQ(m_files.identity(at("broken")), std::nullopt);
    EXPECT_EQ(m_files.identity(at("file") / "below"), std::nullopt);
}

TEST_F(HostFileOperationsTest, AListingGivesTheIdentitiesOfOrdinaryFilesOnly) {
    writeBytes(at("file"), "x");
    fs::create_hard_link(at("file"), at("hard link"));
    fs::create_symlink("file", at("link"));
    fs::create_directory(at("folder"));

    const std::map<std::string, FileIdentity> identities = m_files.identitiesIn(m_folder.path());

    EXPECT_EQ(identities,
              (std::map<std::string, FileIdentity>{{"file", *m_files.identity(at("file"))},
                                                   {"hard link", *m_files.identity(at("file"))}}));
    EXPECT_TRUE(m_files.identitiesIn(at("missing")).empty());
}

TEST_F(HostFileOperationsTest, AFolderThatNoOneMayWriteAllowsNoDeletion) {
    fs::create_directory(at("open"));
    fs::create_directory(at("locked"));
    writeBytes(at("open") / "file", "x");
    writeBytes(at("locked") / "file", "x");
    fs::permissions(at("locked"), fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_TRUE(m_files.folderAllowsDeletion(at("open") / "file"));
    EXPECT_FALSE(m_files.folderAllowsDeletion(at("locked") / "file"));
    EXPECT_EQ(errorNumberOf([&] { m_files.folderAllowsDeletion(at("missing") / "file"); }),
              ErrorNumber::FileNotFound);
    fs::permissions(at("locked"), fs::perms::owner_all);
}

TEST_F(HostFileOperationsTest, BrokenLinkIsDeletedItself) {
    fs::create_symlink("nowhere", at("broken"));

    m_files.deleteFile(at("broken"));

    EXPECT_FALSE(fs::is_symlink(at("broken")));
}

TEST_F(HostFileOperationsTest, FlushingAMissingFolderFails) {
    m_files.flushFolder(m_folder.path());
    EXPECT_EQ(errorNumberOf([&] { m_files.flushFolder(at("missing")); }),
              ErrorNumber::FileNotFound);
}

TEST_F(HostFileOperationsTest, WriteGivesExactlyTheBytesAndPermissions) {
    const mode_t oldMask = umask(077);
    const std::string first = "a\0b"s;
    m_files.writeFile(at("file"), {first, "", "\r\nc"},
                      fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    umask(oldMask);

    EXPECT_EQ(readBytes(at("file")), "a\0b\r\nc"s);
    EXPECT_EQ(m_files.permissions(at("file")),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(HostFileOperationsTest, WriteReplacesALeftoverWithoutWritingThroughIt) {
    writeBytes(at("read-only"), "old");
    fs::permissions(at("read-only"), readOnly);
    writeBytes(at("target"), "elsewhere");
    fs::create_symlink(at("target"), at("link"));

    m_files.writeFile(at("read-only"), {"new"}, fs::perms::owner_all);
    m_files.writeFile(at("link"), {"new"}, fs::perms::owner_all);

    EXPECT_EQ(readBytes(at("read-only")), "new");
    EXPECT_EQ(readBytes(at("link")), "new");
    EXPECT_FALSE(fs::is_symlink(at("link")));
    EXPECT_EQ(readBytes(at("target")), "elsewhere");
}

TEST_F(HostFileOperationsTest, CanonicalResolvesLinks) {
    fs::create_directory(at("real"));
    writeBytes(at("real") / "file", "x");
    fs::create_directory_symlink(at("real"), at("link"));

    EXPECT_EQ(m_files.canonical(at("link") / "file"), at("real") / "file");
    EXPECT_EQ(errorNumberOf([&] { m_files.canonical(at("missing")); }), ErrorNumber::FileNotFound);
}

TEST_F(HostFileOperationsTest, ReplaceKeepsTheOldAsBackupTheFirstTimeAndAfter) {
    writeBytes(at("manifest.ini"), "first");
    writeBytes(at("manifest.new"), "second");

    m_files.replaceKeepingBackup(at("manifest.ini"), at("manifest.new"), at("manifest.bak"),
                                 at("manifest.bak.tmp"));

    EXPECT_EQ(readBytes(at("manifest.ini")), "second");
    EXPECT_EQ(readBytes(at("manifest.bak")), "first");
    EXPECT_FALSE(fs::exists(at("manifest.new")));

    writeBytes(at("manifest.new"), "third");
    m_files.replaceKeepingBackup(at("manifest.ini"), at("manifest.new"), at("manifest.bak"),
                                 at("manifest.bak.tmp"));

    EXPECT_EQ(readBytes(at("manifest.ini")), "third");
    EXPECT_EQ(readBytes(at("manifest.bak")), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.path()), {}), 2);
}

// rename(2) does nothing when both names are links to one file, which would
// leave the name in progress behind.
TEST_F(HostFileOperationsTest, ReplaceOntoABackupThatIsAHardLinkOfCurrentLeavesNothingBehind) {
    writeBytes(at("manifest.ini"), "first");
    fs::create_hard_link(at("manifest.ini"), at("manifest.bak"));
    writeBytes(at("manifest.new"), "second");

    m_files.replaceKeepingBackup(at("manifest.ini"), at("manifest.new"), at("manifest.bak"),
                                 at("manifest.bak.tmp"));

    EXPECT_EQ(readBytes(at("manifest.ini")), "second");
    EXPECT_EQ(readBytes(at("manifest.bak")), "first");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.path()), {}), 2);
}

TEST_F(HostFileOperationsTest, ReplaceWithoutCurrentChangesNothing) {
    writeBytes(at("manifest.new"), "new");
    writeBytes(at("manifest.bak"), "backup");

    EXPECT_EQ(errorNumberOf([&] {
                  m_files.replaceKeepingBackup(at("manifest.ini"), at("manifest.new"),
                                               at("manifest.bak"), at("manifest.bak.tmp"));
              }),
              ErrorNumber::FileNotFound);
    EXPECT_EQ(readBytes(at("manifest.new")), "new");
    EXPECT_EQ(readBytes(at("manifest.bak")), "backup");
    EXPECT_FALSE(fs::exists(at("manifest.ini")));
}

}  // namespace
}  // namespace kestrix
