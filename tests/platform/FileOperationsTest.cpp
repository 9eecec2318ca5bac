// One contract on both systems: HostFileOperations on POSIX calls and on
// Windows' own (under Wine in the cross build). What only one system has
// follows in a section of its own.
#include "platform/HostFileOperations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/ErrorNumber.h"
#include "support/ErrorNumberOf.h"
#include "support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace kestrix {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read;

class FileOperationsTest : public ::testing::Test {
protected:
    fs::path at(const char* name) const { return (m_folder.path() / name).make_preferred(); }

    TempFolder m_folder;
    HostFileOperations m_files;
};

TEST_F(FileOperationsTest, InspectSaysWhatAPathHolds) {
    writeBytes(at("file"), "x");
    writeBytes(at("read-only"), "x");
    fs::permissions(at("read-only"), readOnly);
    fs::create_directory(at("folder"));

    EXPECT_EQ(m_files.inspect(at("file")), PathKind::File);
    EXPECT_EQ(m_files.inspect(at("read-only")), PathKind::ReadOnlyFile);
    EXPECT_EQ(m_files.inspect(at("folder")), PathKind::Folder);
    EXPECT_EQ(m_files.inspect(at("missing")), PathKind::Missing);
}

TEST_F(FileOperationsTest, DeleteRefusesAReadOnlyFileAndReportsMissingOnes) {
    writeBytes(at("file"), "x");
    writeBytes(at("read-only"), "x");
    fs::permissions(at("read-only"), readOnly);

    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at("file")); }), 0);
    EXPECT_FALSE(fs::exists(at("file")));
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at("file")); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at("read-only")); }),
              ErrorNumber::PermissionDenied);
    EXPECT_EQ(readBytes(at("read-only")), "x");
    fs::permissions(at("read-only"), fs::perms::owner_all);
}

TEST_F(FileOperationsTest, WritesAndReadsExactlyTheBytesReplacingALeftover) {
    const std::string whole = "[Setup]\r\ncaf\xC3\xA9\0x\n"s + std::string(100000, 'z');
    writeBytes(at("leftover"), "an earlier run's content");
    fs::permissions(at("leftover"), readOnly);

    m_files.writeFile(at("leftover"), {whole.substr(0, 9), "", whole.substr(9)}, readOnly);
    m_files.writeFile(at("writable"), {whole}, fs::perms::owner_read | fs::perms::owner_write);

    EXPECT_EQ(m_files.readFile(at("leftover")), whole);
    EXPECT_EQ(readBytes(at("writable")), whole);
    EXPECT_EQ(m_files.permissions(at("leftover")) & fs::perms::owner_write, fs::perms::none);
    EXPECT_NE(m_files.permissions(at("writable")) & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at("missing")); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.permissions(at("missing")); }),
              ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.canonical(at("missing")); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.flushFolder(at("missing")); }),
              ErrorNumber::FileNotFound);
    m_files.flushFolder(m_folder.path());
    fs::permissions(at("leftover"), fs::perms::owner_all);
}

TEST_F(FileOperationsTest, IdentityIsTheFileReachedWhateverTheName) {
    writeBytes(at("file"), "x");
    writeBytes(at("other"), "x");
    fs::create_hard_link(at("file"), at("hard link"));

    const auto file = m_files.identity(at("file"));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(m_files.identity(at("hard link")), file);
    EXPECT_NE(m_files.identity(at("other")), file);
    EXPECT_TRUE(m_files.identity(at("other")).has_value());
    EXPECT_EQ(m_files.identity(at("missing")), std::nullopt);
}

TEST_F(FileOperationsTest, ReplaceKeepsTheOldAsBackupOrChangesNothing) {
    writeBytes(at("manifest.ini"), "first");
    writeBytes(at("manifest.new"), "second");
    const auto replace = [&] {
        m_files.replaceKeepingBackup(at("manifest.ini"), at("manifest.new"), at("manifest.bak"),
                                     at("manifest.bak.tmp"));
    };

    replace();
    EXPECT_EQ(readBytes(at("manifest.ini")), "second");
    EXPECT_EQ(readBytes(at("manifest.bak")), "first");
    EXPECT_FALSE(fs::exists(at("manifest.new")));

    writeBytes(at("manifest.new"), "third");
    replace();
    EXPECT_EQ(readBytes(at("manifest.ini")), "third");
    EXPECT_EQ(readBytes(at("manifest.bak")), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.path()), {}), 2);

    fs::remove(at("manifest.ini"));
    writeBytes(at("manifest.new"), "new");
    EXPECT_EQ(errorNumberOf(replace), ErrorNumber::FileNotFound);
    EXPECT_EQ(readBytes(at("manifest.new")), "new");
    EXPECT_EQ(readBytes(at("manifest.bak")), "second");
    EXPECT_FALSE(fs::exists(at("manifest.ini")));
}

#ifdef _WIN32

TEST_F(FileOperationsTest, WindowsNamesIgnoreCaseAndMissingFoldersAreTheirOwnError) {
    writeBytes(at("Game/System/Manifest.ini"), "x");
    const auto file = m_files.identity(at("Game/System/Manifest.ini"));

    EXPECT_EQ(m_files.inspect(at("GAME/system/MANIFEST.INI")), PathKind::File);
    EXPECT_EQ(m_files.identity(at("game/system/manifest.ini. .")), file);
    EXPECT_EQ(m_files.canonical(m_folder.path() / L"game\\.\\SYSTEM\\..\\system\\manifest.ini"),
              m_files.canonical(m_folder.path()) / L"Game" / L"System" / L"Manifest.ini");
    EXPECT_FALSE(m_files.canonical(m_folder.path()).native().starts_with(L"\\\\?\\"));
    EXPECT_EQ(m_files.inspect(at("missing/file")), PathKind::Missing);
    EXPECT_EQ(m_files.identity(at("missing/file")), std::nullopt);
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at("missing/file")); }),
              ErrorNumber::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at("missing/file")); }),
              ErrorNumber::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.writeFile(at("missing/file"), {"x"}, fs::perms::all); }),
              ErrorNumber::PathNotFound);
    m_files.deleteFile(at("GAME/SYSTEM/manifest.ini"));
    EXPECT_FALSE(fs::exists(at("Game/System/Manifest.ini")));
}

TEST_F(FileOperationsTest, FlushingAFolderHeldWithoutSharingFails) {
    const HANDLE holder =
        CreateFileW(m_folder.path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_NE(errorNumberOf([&] { m_files.flushFolder(m_folder.path()); }), 0);
    CloseHandle(holder);
}

#else

TEST_F(FileOperationsTest, KindsAndFailuresOnlyLinuxHas) {
    writeBytes(at("group-writable"), "x");
    fs::permissions(at("group-writable"), fs::perms::owner_read | fs::perms::group_write);
    ASSERT_EQ(mkfifo(at("fifo").c_str(), 0644), 0);
    fs::create_directory(at("folder"));
    fs::create_symlink("group-writable", at("link"));
    fs::create_symlink("nowhere", at("broken"));
    fs::create_symlink("loop", at("loop"));

    EXPECT_EQ(m_files.inspect(at("group-writable")), PathKind::File);
    EXPECT_EQ(m_files.inspect(at("fifo")), PathKind::Other);
    EXPECT_EQ(m_files.inspect(at("link")), PathKind::File);
    EXPECT_EQ(m_files.inspect(at("broken")), PathKind::BrokenLink);
    // What cannot be looked at is an error, not a missing file.
    EXPECT_NE(errorNumberOf([&] { m_files.inspect(at("loop")); }), 0);
    // Opened to read in the usual way, a FIFO with no writer would wait for ever.
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at("fifo")); }),
              ErrorNumber::PathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at("folder")); }),
              ErrorNumber::PathFileAccessError);
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at("folder")); }),
              ErrorNumber::PathFileAccessError);
    m_files.deleteFile(at("broken"));
    EXPECT_FALSE(fs::is_symlink(at("broken")));
}

TEST_F(FileOperationsTest, LinksLeadToTheirFilesForIdentityButAreReplacedByWrites) {
    writeBytes(at("real/file"), "x");
    fs::create_hard_link(at("real/file"), at("real/hard link"));
    fs::create_symlink("file", at("real/link"));
    fs::create_directory_symlink("real", at("folder link"));
    fs::create_symlink("nowhere", at("broken"));

    const auto file = m_files.identity(at("real/file"));
    EXPECT_EQ(m_files.identity(at("real/link")), file);
    EXPECT_EQ(m_files.identity(at("folder link/file")), file);
    EXPECT_EQ(m_files.identity(at("broken")), std::nullopt);
    EXPECT_EQ(m_files.identity(at("real/file/below")), std::nullopt);
    EXPECT_EQ(m_files.identitiesIn(at("real")),
              (std::map<std::string, FileIdentity>{{"file", *file}, {"hard link", *file}}));
    EXPECT_TRUE(m_files.identitiesIn(at("missing")).empty());
    EXPECT_EQ(m_files.canonical(at("folder link/file")), at("real/file"));

    const mode_t oldMask = umask(077);
    m_files.writeFile(at("real/link"), {"new"}, fs::perms::owner_read | fs::perms::others_read);
    umask(oldMask);
    EXPECT_FALSE(fs::is_symlink(at("real/link")));
    EXPECT_EQ(m_files.permissions(at("real/link")), fs::perms::owner_read | fs::perms::others_read);
    EXPECT_EQ(readBytes(at("real/file")), "x");
}

TEST_F(FileOperationsTest, AFolderThatNoOneMayWriteAllowsNoDeletion) {
    writeBytes(at("open/file"), "x");
    writeBytes(at("locked/file"), "x");
    fs::permissions(at("locked"), fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_TRUE(m_files.folderAllowsDeletion(at("open/file")));
    EXPECT_FALSE(m_files.folderAllowsDeletion(at("locked/file")));
    EXPECT_EQ(errorNumberOf([&] { m_files.folderAllowsDeletion(at("missing/file")); }),
              ErrorNumber::FileNotFound);
    fs::permissions(at("locked"), fs::perms::owner_all);
}

// rename(2) does nothing when both names are links to one file, which would
// leave the name in progress behind.
TEST_F(FileOperationsTest, ReplaceOntoABackupThatIsAHardLinkOfCurrentLeavesNothingBehind) {
    writeBytes(at("manifest.ini"), "first");
    fs::create_hard_link(at("manifest.ini"), at("manifest.bak"));
    writeBytes(at("manifest.new"), "second");

    m_files.replaceKeepingBackup(at("manifest.ini"), at("manifest.new"), at("manifest.bak"),
                                 at("manifest.bak.tmp"));

    EXPECT_EQ(readBytes(at("manifest.ini")), "second");
    EXPECT_EQ(readBytes(at("manifest.bak")), "first");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.path()), {}), 2);
}

#endif

}  // namespace
}  // namespace kestrix
