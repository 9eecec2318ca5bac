#include "manifest/PackageRemoval.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "platform/win/Utf16.h"
#include "platform/win/WinTempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

// What the removal of FooPack keeps. FooPack has no Group= line or counts
// of its own here, which its removal would drop: these tests are about
// Windows' rules, and the rows test those lines.
const std::string kept =
    "[Setup]\r\nMasterProduct=UnrealTournament\r\nGroup=UnrealTournament\r\n"
    "Group=BarPack\r\n\r\n"
    "[UnrealTournament]\r\nFile=System\\Core.u\r\nFile=System\\De.u\r\n"
    "Copy=(Src=System\\Manifest.ini,Master=System\\Manifest.ini,Size=12986)\r\n\r\n"
    "[RefCounts]\r\nFile:System\\Core.u=1\r\n\r\n";
const std::string fooPack =
    "[FooPack]\r\nFile=System\\Foo.u\r\nFile=Maps\\DM-Foo][.unr\r\nFile=system\\de.u\r\n"
    "File=Textures\\Caf\xE9.utx\r\nFile=Sounds\\Gone.uax\r\nCaption=Foo Pack\r\n"
    "Requires=UnrealTournament\r\n\r\n";
const std::string barPack = "[BarPack]\r\nFile=System\\Bar.u\r\n\r\n";
const std::string manifest = kept + fooPack + barPack;

// The package's files as they lie on disk; "Sounds\Gone.uax" is listed but
// already gone. The manifest's 8-bit name is the ANSI code page's, whichever
// it is.
const std::vector<std::wstring> fooFiles = {L"System\\Foo.u", L"Maps\\DM-Foo][.unr",
                                            Utf16::fromCodePage("Textures\\Caf\xE9.utx")};
const std::vector<std::wstring> otherFiles = {L"System\\Core.u", L"System\\De.u", L"System\\Bar.u"};

// Holds the new manifest open, as a virus scanner may, while the host's own
// operations put it in place: Windows then refuses to move it.
class ScannedReplacement final : public HostFileOperations {
public:
    void replaceKeepingBackup(const fs::path& current, const fs::path& replacement,
                              const fs::path& backup, const fs::path& inProgress) override {
        const HANDLE scanner = CreateFileW(replacement.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                           nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(scanner, INVALID_HANDLE_VALUE);
        try {
            HostFileOperations::replaceKeepingBackup(current, replacement, backup, inProgress);
        } catch (const PlatformError&) {
            CloseHandle(scanner);
            throw;
        }
        CloseHandle(scanner);
    }
};

class WinPackageRemovalTest : public ::testing::Test {
protected:
    WinPackageRemovalTest()
        : m_game(m_temp.path() / L"Unreal Tournament"),
          m_gameDir(m_temp.text() + "\\Unreal Tournament"),
          m_ini(m_game / L"System" / L"Manifest.ini"),
          m_bak(m_game / L"System" / L"manifest.bak"),
          m_new(m_game / L"System" / L"manifest.new") {
        writeBytes(m_ini, manifest);
        for (const std::vector<std::wstring>* files : {&fooFiles, &otherFiles}) {
            for (const std::wstring& file : *files) {
                writeBytes(m_game / file, "content");
            }
        }
    }

    RemovalOutcome remove(FileOperations& files) {
        return PackageRemoval(m_drives, files).remove(m_gameDir, "FooPack");
    }

    void expectUnchanged() {
        EXPECT_EQ(readBytes(m_ini), manifest);
        for (const std::vector<std::wstring>* files : {&fooFiles, &otherFiles}) {
            for (const std::wstring& file : *files) {
                EXPECT_TRUE(fs::exists(m_game / file)) << fs::path(file).string();
            }
        }
    }

    void expectRemoved() {
        EXPECT_EQ(readBytes(m_ini), kept + barPack);
        EXPECT_EQ(readBytes(m_bak), manifest);
        EXPECT_FALSE(fs::exists(m_new));
        EXPECT_FALSE(fs::exists(fs::path(m_bak) += L".tmp"));
        for (const std::wstring& file : fooFiles) {
            EXPECT_FALSE(fs::exists(m_game / file)) << fs::path(file).string();
        }
        for (const std::wstring& file : otherFiles) {
            EXPECT_TRUE(fs::exists(m_game / file)) << fs::path(file).string();
        }
    }

    WinTempFolder m_temp;
    const DriveTable m_drives = DriveTable::fromSystem();
    HostFileOperations m_files;
    fs::path m_game;
    std::string m_gameDir;
    fs::path m_ini;
    fs::path m_bak;
    fs::path m_new;
};

// First with no backup, then over an earlier one, and over a read-only one
// with a read-only manifest, which stays read-only.
TEST_F(WinPackageRemovalTest, TheManifestIsReplacedKeepingABackupWhateverIsReadOnly) {
    for (const int round : {0, 1, 2}) {
        writeBytes(m_ini, manifest);
        for (const std::wstring& file : fooFiles) {
            writeBytes(m_game / file, "content");
        }
        if (round > 0) {
            setReadOnly(m_bak, false);
            writeBytes(m_bak, "the backup of an earlier removal");
        }
        setReadOnly(m_bak, round == 2);
        setReadOnly(m_ini, round == 2);

        const RemovalOutcome result = remove(m_files);

        EXPECT_EQ(result.status, RemovalStatus::Removed) << result.errorDescription;
        // "Sounds\Gone.uax" is listed but already gone.
        EXPECT_EQ(result.notFound, std::vector<std::string>{"Sounds\\Gone.uax"});
        expectRemoved();
        EXPECT_EQ(isReadOnly(m_ini), round == 2);
    }
}

TEST_F(WinPackageRemovalTest, AManifestThatCannotBeSwappedStaysWholeAndTheOutcomeSaysSo) {
    ScannedReplacement scanned;

    const RemovalOutcome result = remove(scanned);

    // The files went first, and the manifest still lists them: Uninstall
    // again finishes the removal.
    EXPECT_EQ(result.status, RemovalStatus::ManifestNotReplaced);
    EXPECT_FALSE(fs::exists(m_game / fooFiles[0]));
    EXPECT_EQ(readBytes(m_ini), manifest);
    EXPECT_EQ(remove(m_files).status, RemovalStatus::Removed);
    expectRemoved();
}

// The running game holds its packages open, sharing reading only: nothing is
// deleted while one is held, and the removal goes through once it is let go.
TEST_F(WinPackageRemovalTest, AFileInUseIsRefusedUpFrontAndRemovedOnceClosed) {
    const HANDLE game = CreateFileW((m_game / fooFiles[1]).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(game, INVALID_HANDLE_VALUE);

    const RemovalOutcome refused = remove(m_files);
    CloseHandle(game);

    EXPECT_EQ(refused.status, RemovalStatus::Refused);
    EXPECT_EQ(refused.reason, RefusalReason::InUse);
    EXPECT_EQ(refused.path, m_gameDir + "\\Maps\\DM-Foo][.unr");
    expectUnchanged();
    EXPECT_EQ(remove(m_files).status, RemovalStatus::Removed);
    expectRemoved();
}

// Past MAX_PATH characters a failed lookup must not pass for a file already
// gone: the file is deleted, not left behind unlisted.
TEST_F(WinPackageRemovalTest, FilesBeyondMaxPathAreDeleted) {
    const std::wstring deep = L"Maps\\" + std::wstring(120, L'd') + L"\\" + std::wstring(120, L'e');
    const std::wstring folder = L"\\\\?\\" + (m_game / deep).native();
    const std::wstring file = folder + L"\\Deep.unr";
    ASSERT_TRUE(CreateDirectoryW(fs::path(folder).parent_path().c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    const std::string entry = Utf16::describe(deep) + "\\Deep.unr";
    writeBytes(m_ini, kept + "[Deep]\r\nFile=" + entry + "\r\n\r\n");

    const RemovalOutcome result = PackageRemoval(m_drives, m_files).remove(m_gameDir, "Deep");

    EXPECT_EQ(result.status, RemovalStatus::Removed) << result.errorDescription;
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(readBytes(m_ini), kept);
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(fs::path(folder).parent_path().c_str());
}

}  // namespace
}  // namespace kestrix
