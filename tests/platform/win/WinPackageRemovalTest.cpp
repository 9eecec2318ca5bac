#include "manifest/PackageRemoval.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/win/Utf16.h"
#include "platform/win/WinTempFolder.h"

// The slots through which the program calls Windows' file functions.
extern "C" {
extern decltype(&CreateFileW) __imp_CreateFileW;
extern decltype(&MoveFileExW) __imp_MoveFileExW;
}

namespace kestrix {
namespace {

namespace fs = std::filesystem;

// A package beside the game's own files: "system\\de.u" is the game's
// "System\\De.u" spelled otherwise, and "Sounds\\Gone.uax" is already gone.
// FooPack has no Group= line of its own here, which its removal would drop:
// these tests are about Windows' rules, and the removal rows test that line.
const std::string kept =
    "[Setup]\r\nGroup=UnrealTournament\r\n\r\n"
    "[UnrealTournament]\r\nFile=System\\Core.u\r\nFile=System\\De.u\r\n\r\n";
const std::string manifest = kept +
                             "[FooPack]\r\nFile=System\\Foo.u\r\nFile=Maps\\DM-Foo][.unr\r\n"
                             "File=system\\de.u\r\nFile=Sounds\\Gone.uax\r\n\r\n";
const std::vector<std::wstring> fooFiles = {L"System\\Foo.u", L"Maps\\DM-Foo][.unr"};
const std::vector<std::wstring> gameFiles = {L"System\\Core.u", L"System\\De.u"};

// A network share that answers one file ID for every file.
class OneIdShare final : public HostFileOperations {
public:
    std::optional<FileIdentity> identity(const fs::path& path) const override {
        std::optional<FileIdentity> identity = HostFileOperations::identity(path);
        if (identity) {
            identity->file = 1;
        }
        return identity;
    }
};

// Windows' rules where Wine is kinder, in front of the program's calls for as
// long as this lives: without the "\\\\?\\" form a path of MAX_PATH characters or
// more reaches nothing (unless the user's policy enables long paths), and a
// move does not replace a read-only file.
class WindowsFileRules {
public:
    WindowsFileRules() {
        DWORD was = 0;
        VirtualProtect(&__imp_CreateFileW, sizeof(void*), PAGE_READWRITE, &was);
        VirtualProtect(&__imp_MoveFileExW, sizeof(void*), PAGE_READWRITE, &was);
        __imp_CreateFileW = &open;
        __imp_MoveFileExW = &move;
    }
    ~WindowsFileRules() {
        __imp_CreateFileW = realOpen;
        __imp_MoveFileExW = realMove;
    }

private:
    static bool tooLong(std::wstring_view path) {
        return path.size() >= MAX_PATH && !path.starts_with(L"\\\\?\\");
    }
    static HANDLE WINAPI open(LPCWSTR path, DWORD access, DWORD share,
                              LPSECURITY_ATTRIBUTES security, DWORD how, DWORD flags,
                              HANDLE model) {
        if (tooLong(path)) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return INVALID_HANDLE_VALUE;
        }
        return realOpen(path, access, share, security, how, flags, model);
    }
    static BOOL WINAPI move(LPCWSTR from, LPCWSTR to, DWORD flags) {
        const DWORD target = GetFileAttributesW(to);
        if (tooLong(from) || tooLong(to) ||
            (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_READONLY) != 0)) {
            SetLastError(tooLong(to) ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED);
            return FALSE;
        }
        return realMove(from, to, flags);
    }
    static inline const decltype(&CreateFileW) realOpen = __imp_CreateFileW;
    static inline const decltype(&MoveFileExW) realMove = __imp_MoveFileExW;
};

class WinPackageRemovalTest : public ::testing::Test {
protected:
    WinPackageRemovalTest() {
        writeBytes(m_ini, manifest);
        for (const std::wstring& file : gameFiles) {
            writeBytes(m_game / file, "content");
        }
    }

    RemovalOutcome remove(FileOperations& files, const char* package = "FooPack") {
        return PackageRemoval(m_drives, files).remove(m_temp.text() + "\\UT", package);
    }

    void expectFiles(bool fooLeft) {
        for (const std::wstring& file : fooFiles) {
            EXPECT_EQ(fs::exists(m_game / file), fooLeft) << fs::path(file).string();
        }
        for (const std::wstring& file : gameFiles) {
            EXPECT_TRUE(fs::exists(m_game / file)) << fs::path(file).string();
        }
        EXPECT_EQ(readBytes(m_ini), fooLeft ? manifest : kept);
    }

    WinTempFolder m_temp;
    // Gone before the folder is: the library's own calls go through them too.
    const WindowsFileRules m_windowsRules;
    const DriveTable m_drives = DriveTable::fromSystem();
    HostFileOperations m_files;
    fs::path m_game = m_temp.path() / L"UT";
    fs::path m_ini = m_game / L"System" / L"Manifest.ini";
    fs::path m_bak = m_game / L"System" / L"manifest.bak";
};

// First with no backup, then over an earlier one, then over a read-only one
// with a read-only, hidden manifest, which keeps its attributes, on a share
// that answers one file ID for every file.
TEST_F(WinPackageRemovalTest, TheManifestIsReplacedKeepingABackupWhateverIsReadOnly) {
    OneIdShare share;
    for (const int round : {0, 1, 2}) {
        writeBytes(m_ini, manifest);
        for (const std::wstring& file : fooFiles) {
            writeBytes(m_game / file, "content");
        }
        if (round > 0) {
            writeBytes(m_bak, "an earlier backup");
        }
        SetFileAttributesW(m_bak.c_str(),
                           round == 2 ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
        constexpr DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
        const DWORD attributes = round == 2 ? kept : 0;
        SetFileAttributesW(m_ini.c_str(), attributes | FILE_ATTRIBUTE_ARCHIVE);

        const RemovalOutcome result = remove(round == 2 ? share : m_files);

        EXPECT_EQ(result.status, RemovalStatus::Removed) << result.errorDescription;
        EXPECT_EQ(result.notFound, std::vector<std::string>{"Sounds\\Gone.uax"});
        expectFiles(false);
        EXPECT_EQ(readBytes(m_bak), manifest);
        EXPECT_FALSE(fs::exists(fs::path(m_bak) += L".tmp"));
        EXPECT_EQ(GetFileAttributesW(m_ini.c_str()) & kept, attributes);
    }
}

// The running game holds its packages open, sharing reading only: nothing is
// deleted while one is held, and the removal goes through once it is let go.
TEST_F(WinPackageRemovalTest, AFileInUseIsRefusedUpFrontAndRemovedOnceClosed) {
    for (const std::wstring& file : fooFiles) {
        writeBytes(m_game / file, "content");
    }
    const HANDLE game = CreateFileW((m_game / fooFiles[1]).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);

    const RemovalOutcome refused = remove(m_files);
    CloseHandle(game);

    EXPECT_EQ(refused.reason, RefusalReason::InUse);
    EXPECT_EQ(refused.path, m_temp.text() + "\\UT\\Maps\\DM-Foo][.unr");
    expectFiles(true);
    EXPECT_EQ(remove(m_files).status, RemovalStatus::Removed);
    expectFiles(false);
}

// Past MAX_PATH characters a failed lookup must not pass for a file already
// gone: the file is deleted, not left behind unlisted.
TEST_F(WinPackageRemovalTest, FilesBeyondMaxPathAreDeleted) {
    const std::wstring deep =
        L"System\\" + std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e');
    const std::wstring folder = L"\\\\?\\" + (m_game / deep).native();
    const std::wstring file = folder + L"\\Deep.unr";
    CreateDirectoryW(fs::path(folder).parent_path().c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    writeBytes(m_ini, kept + "[Deep]\r\nFile=" + Utf16::describe(deep) + "\\Deep.unr\r\n\r\n");

    const RemovalOutcome result = remove(m_files, "Deep");

    EXPECT_EQ(result.status, RemovalStatus::Removed) << result.errorDescription;
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(readBytes(m_ini), kept);
    // The library's removal of the temporary folder stops at MAX_PATH.
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(fs::path(folder).parent_path().c_str());
}

}  // namespace
}  // namespace kestrix
