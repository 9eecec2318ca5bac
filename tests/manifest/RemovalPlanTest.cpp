#include "manifest/RemovalPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "manifest/PackageList.h"
#include "manifest/RealisticManifest.h"

namespace kestrix {
namespace {

using namespace std::string_literals;
using Paths = std::vector<std::string_view>;

TEST(RemovalPlan, CopiesEveryOtherLineByteForByte) {
    const std::string before =
        "[Setup]\r\nGroup=Pack\r\n\r\n"
        "[UnrealTournament]\r\n"
        "Copy=(Src=System\\Manifest.ini,Master=System\\Manifest.ini,Size=12986)\r\n"
        "WinRegistry=HKEY_LOCAL_MACHINE\\Software\\Unreal Technology\\Installed "
        "Apps\\UnrealTournament\\UninstallString=%DestPath%\\System\\Setup.exe uninstall "
        "\"%Product%\"\n"
        "  \tCaption=\"Quoted\", with commas,,\t\r\n"
        "Text=caf\xC3\xA9 \xE9\xFF\0end\r\n"
        "\r\n"s;
    const std::string package = "[Pack]\r\nFile=System\\Pack.u\r\nCopy=(a,\"b\")\n\r\n";
    const std::string after = "[Other]\nFile=Maps\\DM-Deck16][.unr\r\nlast line, no end \"q\"";

    const std::string manifest = before + package + after;

    const RemovalPlan plan(manifest, "Pack");

    EXPECT_TRUE(plan.installed());
    EXPECT_EQ(plan.newManifest(), before + after);
    EXPECT_EQ(plan.fileEntries(), Paths{"System\\Pack.u"});
}

struct SectionCase {
    const char* name;
    std::string manifest;
    std::string package;
    std::string newManifest;
    Paths entries;
};

class RemovalPlanSections : public ::testing::TestWithParam<SectionCase> {};

TEST_P(RemovalPlanSections, RemovesExactlyThePackagesSections) {
    const RemovalPlan plan(GetParam().manifest, GetParam().package);
    EXPECT_TRUE(plan.installed());
    EXPECT_EQ(plan.newManifest(), GetParam().newManifest);
    EXPECT_EQ(plan.fileEntries(), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, RemovalPlanSections,
    ::testing::Values(
        SectionCase{"EmptyLineEndsAndLeaves",
                    "[A]\r\nFile=a\r\n\r\n[B]\r\nFile=b\r\n\r\n",
                    "A",
                    "[B]\r\nFile=b\r\n\r\n",
                    {"a"}},
        SectionCase{"BlankLineEndsAndLeaves", "[A]\nFile=a\n \t\nkept\n", "A", "kept\n", {"a"}},
        SectionCase{
            "EmptyLineRightAfterTheHeader", "[A]\r\n\r\nFile=kept\r\n", "A", "File=kept\r\n", {}},
        SectionCase{"NextHeaderEndsAndStays",
                    "[A]\r\nFile=a\r\n[B]\r\nFile=b\r\n\r\n",
                    "A",
                    "[B]\r\nFile=b\r\n\r\n",
                    {"a"}},
        SectionCase{
            "NamelessHeaderEndsAndStays", "[A]\nFile=a\n[\nFile=c\n", "A", "[\nFile=c\n", {"a"}},
        SectionCase{
            "EndOfFileEnds", "[B]\r\n\r\n[A]\r\nFile=a\r\nFile=b", "A", "[B]\r\n\r\n", {"a", "b"}},
        SectionCase{"EverySectionOfTheNameGoes",
                    "[A]\nFile=a\n\n[B]\n\n[A]\nFile=c\n\n",
                    "A",
                    "[B]\n\n",
                    {"a", "c"}},
        SectionCase{
            "SameNameRightAfter", "[A]\nFile=a\n[A]\nFile=b\n\nx\n", "A", "x\n", {"a", "b"}},
        SectionCase{
            "HeaderWithCommaAndBlanks", "x\r\n  [A,B]  \r\nFile=a\r\n\r\n", "A,B", "x\r\n", {"a"}},
        SectionCase{"EntryTextTrimmedAtItsEndOnly",
                    "[A]\n  File= Sys\\a b.u \t\nFile:System\\De.u=2\nfile=lower\n\n",
                    "A",
                    "",
                    {" Sys\\a b.u"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RemovalPlan, NameOfNoPackageChangesNothing) {
    const std::string manifest =
        "[Setup]\r\n\r\n[UnrealTournament]\r\nFile=System\\Core.u\r\n\r\n[A]\r\nFile=a\r\n\r\n[]"
        "\r\n"
        "[ ]\r\n";
    for (const char* name : {"B", "a", "[A]", "", " ", "Setup", "UnrealTournament"}) {
        const RemovalPlan plan(manifest, name);
        EXPECT_FALSE(plan.installed()) << name;
        EXPECT_EQ(plan.newManifest(), manifest) << name;
        EXPECT_TRUE(plan.filesToDelete().empty()) << name;
    }
}

TEST(RemovalPlan, KeepsFilesThatAnotherSectionStillLists) {
    const std::string manifest =
        "File=Loose.u\r\n"
        "[UnrealTournament]\r\nFile=System\\De.u\r\nFile=Maps\\Shared.unr\r\n\r\n"
        "[RefCounts]\r\nFile:System\\Own.u=2\r\n\r\n"
        "[Pack]\r\n"
        "File=system\\de.u\r\n"
        "File=System\\Own.u\r\n"
        "File=MAPS//shared.UNR\r\n"
        "File=Loose.u\r\n"
        "File=Textures\\.\\Mine.utx\r\n"
        "File=textures\\mine.utx\r\n"
        "File=System\\Manifest.ini\r\n"
        "File=System\\Later.u\r\n\r\n"
        "[Other]\r\nFile=System/LATER.u\r\n";

    const RemovalPlan plan(manifest, "Pack");

    EXPECT_EQ(plan.filesToDelete(), (Paths{"System\\Own.u", "Textures\\.\\Mine.utx"}));
    EXPECT_TRUE(plan.unsafeEntries().empty());
}

class RemovalPlanUnsafe : public ::testing::TestWithParam<std::string> {};

TEST_P(RemovalPlanUnsafe, EntryLeavingTheGameFolderIsNeverDeleted) {
    const std::string manifest = "[Pack]\nFile=System\\Ok.u\nFile=" + GetParam() + "\n\n";
    const RemovalPlan plan(manifest, "Pack");
    EXPECT_EQ(plan.unsafeEntries(), Paths{GetParam()});
    EXPECT_EQ(plan.filesToDelete(), Paths{"System\\Ok.u"});
}

INSTANTIATE_TEST_SUITE_P(Paths, RemovalPlanUnsafe,
                         ::testing::Values("", "\\Windows\\win.ini", "/etc/passwd",
                                           "\\\\server\\share\\x.u", "C:\\x.u", "c:x.u",
                                           "System\\x.u:stream", "..\\x.u", "System\\..\\..\\x",
                                           "System/../..", ". .\\x", "...\\x", ".", ".\\.\\",
                                           "System\\x.u\0y"s));

TEST(RemovalPlan, NamesThatOnlyLookLikeClimbingAreSafe) {
    const RemovalPlan plan("[Pack]\nFile=..Maps\\a..u\nFile=Maps\\DM-Deck16][.unr\n", "Pack");
    EXPECT_TRUE(plan.unsafeEntries().empty());
    EXPECT_EQ(plan.filesToDelete(), (Paths{"..Maps\\a..u", "Maps\\DM-Deck16][.unr"}));
}

TEST(RemovalPlan, RoundTripOnARealisticManifest) {
    const RealisticManifest manifest(1900, 5, 6);
    std::string expected = manifest.text();
    const std::string section = manifest.productSection(3);
    expected.erase(expected.find(section), section.size());

    const RemovalPlan plan(manifest.text(), RealisticManifest::productName(3));

    EXPECT_EQ(plan.newManifest(), expected);
    const std::vector<std::string> files = manifest.productFiles(3);
    EXPECT_EQ(plan.filesToDelete(), Paths(files.begin(), files.end()));
    EXPECT_EQ(listPackages(plan.newManifest()),
              (std::vector<std::string>{"BonusPack1", "BonusPack2", "BonusPack4", "BonusPack5"}));
}

}  // namespace
}  // namespace kestrix
