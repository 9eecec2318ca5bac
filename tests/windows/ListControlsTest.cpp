#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/CodePage.h"
#include "platform/ErrorNumber.h"
#include "support/ErrorNumberOf.h"
#include "support/FormTestRig.h"
#include "windows/DirListBox.h"
#include "windows/DriveListBox.h"
#include "windows/FileListBox.h"

using namespace kestrix;

namespace {

// A list on the rig's drives that counts its change events.
template <typename List, typename View>
struct Counted {
    explicit Counted(const DriveTable& drives) : list(drives, view) {
        list.onChange([this] { ++changes; });
    }
    View view;
    List list;
    int changes = 0;
};

TEST(DirListBox, ShowsTheRootAndAncestorsOpenThenTheVisibleSubfoldersClosedInNameOrder) {
    FormTestRig rig;
    for (const char* folder : {"C:\\Games\\UT\\System", "C:\\Games\\UT\\maps",
                               "C:\\Games\\UT\\.cache", "C:\\Games\\UT\\Textures"}) {
        rig.makeFolder(folder);
    }
    rig.makeFile("C:\\Games\\UT\\readme.txt");
    Counted<DirListBox, FakeDirList> dir(rig.drives);
    dir.list.setPath("c:\\Games\\UT\\System\\..");
    EXPECT_EQ(dir.list.path(), "C:\\Games\\UT");
    const std::vector<DirEntry> expected{{"C:\\", 0, true},    {"Games", 1, true},
                                         {"UT", 2, true},      {"maps", 3, false},
                                         {"System", 3, false}, {"Textures", 3, false}};
    ASSERT_EQ(dir.view.entries.size(), expected.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(dir.view.entries[index].text, expected[index].text);
        EXPECT_EQ(dir.view.entries[index].depth, expected[index].depth) << index;
        EXPECT_EQ(dir.view.entries[index].open, expected[index].open) << index;
    }
    EXPECT_EQ(dir.view.current, 2);
}

// The list moves and raises its change only when its folder changes; a folder
// that is missing or on a drive that is not ready is refused, and a failed
// open by the user is reported, not raised. The list stays either way.
TEST(DirListBox, MovesAndRaisesItsChangeOnlyWhenItsFolderChanges) {
    FormTestRig rig;
    rig.makeFolder("C:\\cwd\\Sub");
    Counted<DirListBox, FakeDirList> dir(rig.drives);
    std::vector<std::string> failures;
    dir.list.onOpenFailed([&](const std::string& description) { failures.push_back(description); });
    const struct {
        std::function<void()> action;
        int error;  // the number it raises, 0 for none
        const char* path;
        int changes;
    } steps[] = {
        {[&] { dir.list.setPath("C:\\cwd"); }, 0, "C:\\cwd", 1},
        {[&] { dir.list.setPath("c:\\cwd\\"); }, 0, "C:\\cwd", 1},
        {[&] { dir.view.open(2); }, 0, "C:\\cwd\\Sub", 2},
        {[&] { dir.view.open(0); }, 0, "C:\\", 3},
        {[&] { dir.list.setPath("d: [whatever]"); }, 0, "D:\\", 4},
        {[&] { dir.list.setPath("c:"); }, 0, "C:\\cwd", 5},
        {[&] { dir.list.setPath("C:\\Gone"); }, ErrorNumber::PathNotFound, "C:\\cwd", 5},
        {[&] { dir.list.setPath("x:"); }, ErrorNumber::DeviceUnavailable, "C:\\cwd", 5},
        {[&] { dir.list.setPath("X:\\UT"); }, ErrorNumber::DeviceUnavailable, "C:\\cwd", 5},
        {[&] {
             std::filesystem::remove(rig.host("C:\\cwd\\Sub"));
             dir.view.open(2);
         },
         0, "C:\\cwd", 5},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(errorNumberOf(step.action), step.error) << step.path;
        EXPECT_EQ(dir.list.path(), step.path);
        EXPECT_EQ(dir.changes, step.changes) << step.path;
    }
    EXPECT_EQ(failures, std::vector<std::string>{"Path not found"});
    EXPECT_EQ(dir.view.entries.size(), 3U);
}

// Windows gives its fixed drives' volume labels: "c: [SYSTEM]", as the
// classic list shows them, where a drive without one shows its root.
TEST(DriveListBox, ShowsAVolumeLabelInPlaceOfTheRoot) {
    FormTestRig rig;
    const DriveTable drives({{'C', rig.root.path() / "c", "SYSTEM"}, {'D', rig.root.path() / "d"}},
                            rig.root.path() / "c");
    Counted<DriveListBox, FakeDriveList> drive(drives);
    EXPECT_EQ(
        drive.view.items,
        (std::vector<std::string>{"c: [SYSTEM]", "d: [" + (rig.root.path() / "d").string() + "]"}));
}

TEST(DriveListBox, NamesEachDriveAndRaisesItsChangeWhenAnotherIsChosen) {
    FormTestRig rig;
    Counted<DriveListBox, FakeDriveList> drive(rig.drives);
    const std::filesystem::path& base = rig.root.path();
    EXPECT_EQ(drive.view.items,
              (std::vector<std::string>{"c: [" + (base / "c").string() + "]",
                                        "d: [" + (base / "d").string() + "]",
                                        "x: [" + (base / "missing").string() + "]"}));
    EXPECT_EQ(drive.view.current, 0);
    const struct {
        std::function<void()> action;
        int error;  // the number it raises, 0 for none
        int current;
        int changes;
    } steps[] = {
        {[&] { drive.list.setDrive("d"); }, 0, 1, 1},
        {[&] { drive.list.setDrive("D:\\Mods"); }, 0, 1, 1},
        {[&] { drive.list.setDrive(drive.list.drive()); }, 0, 1, 1},
        {[&] { drive.view.pick(1); }, 0, 1, 1},
        {[&] { drive.view.pick(2); }, 0, 2, 2},
        {[&] { drive.list.showDriveOf("C:\\UT"); }, 0, 0, 2},
        {[&] { drive.list.setDrive("q"); }, ErrorNumber::DeviceUnavailable, 0, 2},
        {[&] { drive.list.showDriveOf("q:\\"); }, ErrorNumber::DeviceUnavailable, 0, 2},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(errorNumberOf(step.action), step.error);
        EXPECT_EQ(drive.view.current, step.current);
        EXPECT_EQ(drive.list.drive(), drive.view.items[step.current]);
        EXPECT_EQ(drive.changes, step.changes) << step.current;
    }

    // It starts on the drive of the current directory, not on the first.
    const DriveTable onD({{'C', base / "c"}, {'D', base / "d"}}, base / "d");
    const Counted<DriveListBox, FakeDriveList> startsOnD(onD);
    EXPECT_EQ(startsOnD.view.current, 1);
}

TEST(FileListBox, ShowsMatchingVisibleFilesInAnyCaseInNameOrder) {
    FormTestRig rig;
    for (const char* file :
         {"C:\\Mods\\B.umod", "C:\\Mods\\a.UMOD", "C:\\Mods\\c.Umod", "C:\\Mods\\.hidden.umod",
          "C:\\Mods\\notes.txt", "C:\\Mods\\x.umod.bak"}) {
        rig.makeFile(file);
    }
    rig.makeFolder("C:\\Mods\\folder.umod");
    FakeFileList view;
    FileListBox list(rig.drives, view);
    list.setPattern("*.umod");
    list.setPath("c:\\Mods\\");
    EXPECT_EQ(list.path(), "C:\\Mods");
    EXPECT_EQ(view.entries, (std::vector<std::string>{"a.UMOD", "B.umod", "c.Umod"}));
    EXPECT_EQ(list.fileName(), "");
    view.selected = 1;
    EXPECT_EQ(list.fileName(), "B.umod");
    EXPECT_EQ(errorNumberOf([&] { list.setPath("C:\\Gone"); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(view.entries.size(), 3U);
}

// Wine keeps names in UTF-8 on Linux, Windows in UTF-16: either way the lists
// show them in the code page and open them by that text. A name the code page
// cannot write is shown by its characters' numbers and never opened as
// another; a file of such a name is left out, as no path can name it.
TEST(ListControls, ShowNamesBeyondAsciiInTheCodePage) {
    if (CodePage::system().number() != 1252) {
        GTEST_SKIP() << "the names are spelled for Windows-1252";
    }
    FormTestRig rig;
    const std::filesystem::path mods = rig.host(rig.makeFolder("C:\\Mods"));
    for (const char* folder : {"Caf\u00e9", "\u0416\u0443\u043a", "Zone"}) {
        std::filesystem::create_directory(mods / FormTestRig::diskName(folder));
    }
    for (const char* file : {"R\u00e4ume.umod", "\u0416.umod", "a.umod"}) {
        std::ofstream(mods / FormTestRig::diskName(file)) << "data";
    }
    FakeDirList dirView;
    DirListBox dir(rig.drives, dirView);
    std::vector<std::string> failures;
    dir.onOpenFailed([&](const std::string& description) { failures.push_back(description); });
    dir.setPath("C:\\Mods");
    std::vector<std::string> texts;
    for (const DirEntry& entry : dirView.entries) {
        texts.push_back(entry.text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"C:\\", "Mods", "<U+0416><U+0443><U+043A>",
                                               "Caf\xE9", "Zone"}));
    dirView.open(2);
    EXPECT_EQ(dir.path(), "C:\\Mods");
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_NE(failures[0].find("Mods\\<U+0416><U+0443><U+043A>\" holds characters"),
              std::string::npos)
        << failures[0];
    dirView.open(3);
    EXPECT_EQ(dir.path(), "C:\\Mods\\Caf\xE9");

    FakeFileList fileView;
    FileListBox files(rig.drives, fileView);
    files.setPattern("*.UMOD");
    files.setPath("C:\\Mods");
    EXPECT_EQ(fileView.entries, (std::vector<std::string>{"a.umod", "R\xE4ume.umod"}));
}

}  // namespace
