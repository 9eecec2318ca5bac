#include "manifest/PackageList.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

struct ListCase {
    const char* name;
    std::string manifest;
    std::vector<std::string> packages;
};

class PackageListing : public ::testing::TestWithParam<ListCase> {};

TEST_P(PackageListing, ListsTheNamesOfPackageHeaders) {
    EXPECT_EQ(listPackages(GetParam().manifest), GetParam().packages);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PackageListing,
    ::testing::Values(
        ListCase{"EmptyManifest", "", {}},
        ListCase{"ReservedSectionsLeftOutExactlyAndCaseSensitively",
                 "[Setup]\r\n\r\n[UnrealTournament]\r\n\r\n[RefCounts]\r\n\r\n"
                 "[Unreal Tournament]\r\n\r\n[setup]\r\n\r\n[REFCOUNTS]\r\n",
                 {"setup", "REFCOUNTS"}},
        ListCase{"FileOrderWithDuplicates", "[Zeta]\n[Alpha]\n[Zeta]\n", {"Zeta", "Alpha", "Zeta"}},
        ListCase{"WholeLineNamesWithBlanksCommasAndBrackets",
                 "[My Mod]\r\n[A,B]\r\n[DM-Deck16][]\r\n[ Spaced ]\r\n",
                 {"My Mod", "A,B", "DM-Deck16][", " Spaced "}},
        ListCase{"BlanksAroundTheHeaderAndAMissingBracket",
                 "  \t[Indented]\t \r\n[Open  \r\n\xEF\xBB\xBF[AfterBom]\n",
                 {"Indented", "Open", "AfterBom"}},
        ListCase{"HeadersThatNameNothing", "[\r\n[]\r\n[  ]\r\n", {}},
        ListCase{"OnlyLinesThatBeginWithABracket",
                 "x[NotAHeader]\r\nFile=[Maps]\r\n;[Comment]\r\n[Real]",
                 {"Real"}},
        ListCase{"LoneCrLineEnds", "[Setup]\rGroup=A\r\r[A]\rFile=a\r\r[B]\r", {"A", "B"}},
        ListCase{"UTF8AndEightBitNames",
                 "[Caf\xC3\xA9]\r\n[\xE9t\xE9]\r\n",
                 {"Caf\xC3\xA9", "\xE9t\xE9"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PackageListOfGameFolder, FindsSystemManifestWhateverItsCase) {
    TempFolder drive;
    writeBytes(drive.path() / "Games" / "UT" / "System" / "Manifest.ini",
               "[Setup]\r\nGroup=Pack\r\n\r\n[Pack]\r\nFile=System\\Pack.u\r\n\r\n");
    const DriveTable drives({Drive{'C', drive.path()}}, drive.path());

    EXPECT_EQ(listPackages("C:\\games\\ut", drives), std::vector<std::string>{"Pack"});
}

struct UnreadableCase {
    const char* name;
    void (*make)(const std::filesystem::path& manifest);
    int number;
};

class UnreadableManifest : public ::testing::TestWithParam<UnreadableCase> {};

// A FIFO must fail at once: opening it to read would wait for a writer.
TEST_P(UnreadableManifest, RaisesWithoutWaiting) {
    TempFolder drive;
    const std::filesystem::path manifest = drive.path() / "UT" / "System" / "Manifest.ini";
    std::filesystem::create_directories(manifest.parent_path());
    GetParam().make(manifest);
    const DriveTable drives({Drive{'C', drive.path()}}, drive.path());
    try {
        listPackages("C:\\UT", drives);
        FAIL() << "listed an unreadable manifest";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), GetParam().number);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Manifests, UnreadableManifest,
    ::testing::Values(UnreadableCase{"Missing", [](const std::filesystem::path&) {},
                                     ErrorNumber::FileNotFound},
                      UnreadableCase{"Fifo",
                                     [](const std::filesystem::path& manifest) {
                                         ASSERT_EQ(mkfifo(manifest.c_str(), 0644), 0);
                                     },
                                     ErrorNumber::PathFileAccessError},
                      UnreadableCase{"Folder",
                                     [](const std::filesystem::path& manifest) {
                                         std::filesystem::create_directory(manifest);
                                     },
                                     ErrorNumber::PathFileAccessError}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kestrix
