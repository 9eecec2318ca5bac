#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "platform/win/WinTempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using namespace std::string_view_literals;

int errorNumberOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const PlatformError& error) {
        EXPECT_FALSE(error.description().empty());
        return error.number();
    }
    return 0;
}

class WinFileOperationsTest : public ::testing::Test {
protected:
    fs::path at(const wchar_t* name) const { return m_temp.path() / name; }

    WinTempFolder m_temp;
    HostFileOperations m_files;
};

TEST_F(WinFileOperationsTest, InspectSaysWhatAPathHolds) {
    writeBytes(at(L"file"), "x");
    writeBytes(at(L"read-only"), "x");
    setReadOnly(at(L"read-only"), true);
    fs::create_directories(at(L"folder"));
    fs::create_directories(at(L"read-only folder"));
    setReadOnly(at(L"read-only folder"), true);

    const std::vector<std::pair<const wchar_t*, PathKind>> cases = {
        {L"file", PathKind::File},
        {L"FILE", PathKind::File},
        {L"read-only", PathKind::ReadOnlyFile},
        {L"folder", PathKind::Folder},
        {L"read-only folder", PathKind::Folder},
        {L"missing", PathKind::Missing},
        {L"missing folder\\file", PathKind::Missing},
    };
    for (const auto& [name, kind] : cases) {
        EXPECT_EQ(m_files.inspect(at(name)), kind) << fs::path(name).string();
    }
}

TEST_F(WinFileOperationsTest, DeletionRefusesAReadOnlyFileAndReportsMissingOnes) {
    writeBytes(at(L"file"), "x");
    writeBytes(at(L"read-only"), "x");
    setReadOnly(at(L"read-only"), true);

    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at(L"FILE")); }), 0);
    EXPECT_FALSE(fs::exists(at(L"file")));
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at(L"read-only")); }),
              ErrorNumber::PermissionDenied);
    EXPECT_EQ(readBytes(at(L"read-only")), "x");
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at(L"missing")); }),
              ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.deleteFile(at(L"missing folder\\file")); }),
              ErrorNumber::PathNotFound);
}

TEST_F(WinFileOperationsTest, WritesReplaceALeftoverAndKeepTheGivenPermission) {
    const std::vector<std::string_view> pieces = {"[Setup]\r\n"sv, ""sv, "caf\xC3\xA9\0x\n"sv};
    const std::string whole = "[Setup]\r\ncaf\xC3\xA9\0x\n"s;
    writeBytes(at(L"leftover"), "an earlier run's much longer content");
    setReadOnly(at(L"leftover"), true);

    m_files.writeFile(at(L"leftover"), pieces, fs::perms::owner_read | fs::perms::group_read);
    m_files.writeFile(at(L"writable"), pieces, fs::perms::owner_read | fs::perms::owner_write);

    EXPECT_EQ(m_files.readFile(at(L"leftover")), whole);
    EXPECT_TRUE(isReadOnly(at(L"leftover")));
    EXPECT_EQ(m_files.permissions(at(L"leftover")) & fs::perms::owner_write, fs::perms::none);
    EXPECT_EQ(m_files.readFile(at(L"writable")), whole);
    EXPECT_FALSE(isReadOnly(at(L"writable")));
    EXPECT_NE(m_files.permissions(at(L"writable")) & fs::perms::owner_write, fs::perms::none);
}

TEST_F(WinFileOperationsTest, ReadingAndAskingFailWithTheClassicNumbers) {
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at(L"missing")); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.readFile(at(L"missing folder\\file")); }),
              ErrorNumber::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.permissions(at(L"missing")); }),
              ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf([&] { m_files.canonical(at(L"missing")); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOf(
                  [&] { m_files.writeFile(at(L"missing folder\\file"), {"x"}, fs::perms::all); }),
              ErrorNumber::PathNotFound);
}

TEST_F(WinFileOperationsTest, IdentityIsTheFileReachedWhateverTheName) {
    writeBytes(at(L"file"), "x");
    writeBytes(at(L"other"), "x");
    ASSERT_TRUE(CreateHardLinkW(at(L"hard link").c_str(), at(L"file").c_str(), nullptr));

    const auto file = m_files.identity(at(L"file"));
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(m_files.identity(at(L"FILE")), file);
    EXPECT_EQ(m_files.identity(at(L"file. .")), file);
    EXPECT_EQ(m_files.identity(at(L"hard link")), file);
    EXPECT_NE(m_files.identity(at(L"other")), file);
    EXPECT_EQ(m_files.identity(at(L"missing")), std::nullopt);
    EXPECT_EQ(m_files.identity(at(L"missing folder\\file")), std::nullopt);
}

TEST_F(WinFileOperationsTest, FlushingAFolderHeldWithoutSharingFails) {
    m_files.flushFolder(m_temp.path());
    const HANDLE holder =
        CreateFileW(m_temp.path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_NE(errorNumberOf([&] { m_files.flushFolder(m_temp.path()); }), 0);
    CloseHandle(holder);
    EXPECT_EQ(errorNumberOf([&] { m_files.flushFolder(at(L"missing")); }),
              ErrorNumber::FileNotFound);
}

TEST_F(WinFileOperationsTest, CanonicalGivesTheNamesAsTheyAreOnDisk) {
    writeBytes(at(L"Game\\System\\Manifest.ini"), "x");

    EXPECT_EQ(m_files.canonical(m_temp.path() / L"game\\.\\SYSTEM\\..\\system\\manifest.ini"),
              m_files.canonical(m_temp.path()) / L"Game" / L"System" / L"Manifest.ini");
    EXPECT_FALSE(m_files.canonical(m_temp.path()).native().starts_with(L"\\\\?\\"));
}

}  // namespace
}  // namespace kestrix
