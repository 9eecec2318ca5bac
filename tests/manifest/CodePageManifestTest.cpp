// The manifest's names beyond ASCII, in Windows-1252 (the test runs in a
// French locale), on a disk that holds them in UTF-8 as Wine does.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "manifest/ManifestReader.h"
#include "manifest/PackageList.h"
#include "manifest/PackageRemoval.h"
#include "manifest/RemovalPlan.h"
#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

using Names = std::vector<std::string>;

const std::string bom = "\xEF\xBB\xBF";

// The game folder C:\Jeux été\UT, the manifest in its System folder.
class CodePageManifestTest : public ::testing::Test {
protected:
    fs::path game() const { return m_drive.path() / "Jeux été" / "UT"; }
    fs::path manifestIni() const { return game() / "System" / "manifest.ini"; }
    RemovalOutcome remove(const std::string& package) {
        return PackageRemoval(m_drives, m_files).remove(m_gameDir, package);
    }

    TempFolder m_drive;
    DriveTable m_drives{{Drive{'C', m_drive.path()}}, m_drive.path(), CodePage::windows1252()};
    HostFileOperations m_files;
    const std::string m_gameDir = "C:\\Jeux \xE9t\xE9\\UT";
};

TEST_F(CodePageManifestTest, RunsInWindows1252) {
    ASSERT_EQ(CodePage::system().number(), 1252U) << "the test's locale sets the code page";
}

TEST_F(CodePageManifestTest, AccentedPackagesAreListedAndRemovedWithTheirFilesOnly) {
    const std::string setup = "[Setup]\r\nGroup=R\xE4ume\r\n\r\n";
    const std::string raume =
        "[R\xE4ume Pack]\r\n"
        "File=Maps\\DM-\xC9T\xC9.unr\r\n"
        "File=Textures\\\xE9.utx\r\n"
        "File=Maps\\CAF\xC9.unr\r\n"
        "File=Music\\\x8A\x9Aum.umx\r\n"
        "\r\n";
    // Lists two of the same files in other letter cases, whose two cases
    // differ by more than the ASCII case bit ("\x8A" is "Š", "\x9A" "š").
    const std::string ete =
        "[\xE9t\xE9]\r\n"
        "File=maps\\dm-\xE9t\xE9.unr\r\n"
        "File=music\\\x9A\x9Aum.umx\r\n"
        "\r\n";
    const std::string manifest = setup + raume + ete;
    writeBytes(manifestIni(), manifest);
    for (const char* file :
         {"Maps/DM-Été.unr", "Textures/é.utx", "Maps/café.unr", "Music/Ššum.umx"}) {
        writeBytes(game() / file, "x");
    }

    EXPECT_EQ(listPackages(m_gameDir, m_drives), (Names{"R\xE4ume Pack", "\xE9t\xE9"}));
    // Names are compared exactly: "ÉTÉ" is not "été".
    EXPECT_EQ(remove("\xC9T\xC9").status, RemovalStatus::NotInstalled);
    EXPECT_EQ(readBytes(manifestIni()), manifest);

    const RemovalOutcome first = remove("R\xE4ume Pack");
    EXPECT_EQ(first.status, RemovalStatus::Removed);
    EXPECT_FALSE(fs::exists(game() / "Textures/é.utx"));
    EXPECT_FALSE(fs::exists(game() / "Maps/café.unr"));
    EXPECT_TRUE(fs::exists(game() / "Maps/DM-Été.unr"));
    EXPECT_TRUE(fs::exists(game() / "Music/Ššum.umx"));
    EXPECT_EQ(readBytes(manifestIni()), setup + ete);
    EXPECT_EQ(readBytes(game() / "System" / "manifest.bak"), manifest);

    const RemovalOutcome second = remove("\xE9t\xE9");
    EXPECT_EQ(second.status, RemovalStatus::Removed);
    EXPECT_FALSE(fs::exists(game() / "Maps/DM-Été.unr"));
    EXPECT_FALSE(fs::exists(game() / "Music/Ššum.umx"));
    EXPECT_EQ(readBytes(manifestIni()), setup);
}

TEST_F(CodePageManifestTest, AUtf16ManifestIsRefusedAndNothingChanges) {
    const std::vector<std::string> manifests = {
        std::string("\xFF\xFE[\0A\0]\0\r\0\n\0F\0i\0l\0e\0=\0x\0\r\0\n\0", 28),
        std::string("\xFE\xFF\0[\0A\0]\0\r\0\n", 12),
        std::string("\xFF\xFE", 2),
    };
    writeBytes(game() / "x", "x");
    for (const std::string& manifest : manifests) {
        writeBytes(manifestIni(), manifest);
        for (const auto& attempt :
             {std::function<void()>([&] { listPackages(manifest); }),
              std::function<void()>([&] { listPackages(m_gameDir, m_drives); }),
              std::function<void()>([&] { remove("A"); })}) {
            try {
                attempt();
                ADD_FAILURE() << "a UTF-16 manifest was read";
            } catch (const PlatformError& error) {
                EXPECT_EQ(error.number(), ErrorNumber::PathFileAccessError);
                EXPECT_NE(error.description().find("not in the game's format"), std::string::npos)
                    << error.description();
            }
        }
        EXPECT_EQ(readBytes(manifestIni()), manifest);
        EXPECT_FALSE(fs::exists(game() / "System" / "manifest.new"));
        EXPECT_FALSE(fs::exists(game() / "System" / "manifest.bak"));
        EXPECT_TRUE(fs::exists(game() / "x"));
    }
}

struct Removal {
    std::string manifest;
    std::string package;
    std::string kept;
};

TEST(CodePageManifest, AUtf8ByteOrderMarkStaysAtTheStart) {
    const std::vector<Removal> cases = {
        {bom + "[A]\r\nFile=x\r\n\r\n[B]\r\n", "A", bom + "[B]\r\n"},
        {bom + "[A]\r\n", "A", bom},
        {bom + "[A]\r\n[B]\r\n[A]\r\n", "A", bom + "[B]\r\n"},
        {bom + "[B]\r\n\r\n[A]\r\n", "A", bom + "[B]\r\n\r\n"},
        {bom + "  [A]\r\nFile=x\r\n", "A", bom},
        // Only at the start is it a mark: elsewhere the bytes are "ï»¿".
        {"[A]\r\n\r\n" + bom + "[B]\r\n", "A", bom + "[B]\r\n"},
        // Nor are UTF-16's after the first line, where they are "ÿþ".
        {"[A]\r\n\r\n\xFF\xFE=1\r\n", "A", "\xFF\xFE=1\r\n"},
    };
    for (const Removal& removal : cases) {
        const RemovalPlan plan(removal.manifest, removal.package);
        EXPECT_TRUE(plan.installed()) << removal.manifest;
        EXPECT_EQ(plan.newManifest(), removal.kept) << removal.manifest;
    }
    EXPECT_EQ(listPackages(bom + "[A]\r\n[B]\r\n"), (Names{"A", "B"}));

    const std::string marked = bom + "[A]\r\n";
    ManifestReader reader;
    reader.openText(marked);
    EXPECT_EQ(reader.next().raw, "[A]\r\n");
}

}  // namespace
}  // namespace kestrix
