#include <gtest/gtest.h>

#include <functional>

#include "platform/ErrorNumber.h"
#include "support/ErrorNumberOf.h"
#include "support/FakeDirList.h"
#include "support/FakeDriveList.h"
#include "support/FakeFileList.h"
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
    dir.list.setPath("c:\\games\\ut");
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

TEST(DirListBox, MovesAndRaisesItsChangeOnlyWhenItsFolderChanges) {
    FormTestRig rig;
    rig.makeFolder("C:\\cwd\\Sub");
    Counted<DirListBox, FakeDirList> dir(rig.drives);
    const struct {
        std::function<void()> action;
        const char* path;
        int changes;
    } steps[] = {
        {[&] { dir.list.setPath("C:\\cwd"); }, "C:\\cwd", 1},
        {[&] { dir.list.setPath("c:\\CWD"); }, "C:\\cwd", 1},
        {[&] { dir.view.open("Sub"); }, "C:\\cwd\\Sub", 2},
        {[&] { dir.view.open("C:\\"); }, "C:\\", 3},
        {[&] { dir.list.setPath("d: [whatever]"); }, "D:\\", 4},
        {[&] { dir.list.setPath("c:"); }, "C:\\cwd", 5},
    };
    for (const auto& step : steps) {
        step.action();
        EXPECT_EQ(dir.list.path(), step.path);
        EXPECT_EQ(dir.changes, step.changes) << step.path;
    }
}

TEST(DirListBox, RefusesMissingFoldersAndDrivesThatAreNotReadyAndStays) {
    FormTestRig rig;
    rig.makeFolder("C:\\cwd\\Sub");
    Counted<DirListBox, FakeDirList> dir(rig.drives);
    dir.list.setPath("C:\\cwd");
    EXPECT_EQ(errorNumberOf([&] { dir.list.setPath("C:\\Gone"); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(errorNumberOf([&] { dir.list.setPath("x:"); }), ErrorNumber::DeviceUnavailable);
    EXPECT_EQ(errorNumberOf([&] { dir.list.setPath("X:\\UT"); }), ErrorNumber::DeviceUnavailable);
    // The user's open is reported, not raised.
    std::vector<std::string> failures;
    dir.list.onOpenFailed([&](const std::string& description) { failures.push_back(description); });
    std::filesystem::remove(rig.host("C:\\cwd\\Sub"));
    dir.view.open("Sub");
    EXPECT_EQ(failures, std::vector<std::string>{"Path not found"});
    EXPECT_EQ(dir.list.path(), "C:\\cwd");
    EXPECT_EQ(dir.view.texts(), (std::vector<std::string>{"C:\\", "cwd", "Sub"}));
    EXPECT_EQ(dir.changes, 1);
}

TEST(DriveListBox, NamesEachDriveAndRaisesItsChangeWhenAnotherIsChosen) {
    FormTestRig rig;
    Counted<DriveListBox, FakeDriveList> drive(rig.drives);
    const std::string base = rig.root.path().string();
    EXPECT_EQ(drive.view.items,
              (std::vector<std::string>{"c: [" + base + "/c]", "d: [" + base + "/d]",
                                        "x: [" + base + "/missing]"}));
    EXPECT_EQ(drive.view.current, 0);
    const struct {
        std::function<void()> action;
        int current;
        int changes;
    } steps[] = {
        {[&] { drive.list.setDrive("d"); }, 1, 1},
        {[&] { drive.list.setDrive("D:\\Mods"); }, 1, 1},
        {[&] { drive.list.setDrive(drive.list.drive()); }, 1, 1},
        {[&] { drive.view.pick(1); }, 1, 1},
        {[&] { drive.view.pick(2); }, 2, 2},
        {[&] { drive.list.showDriveOf("C:\\UT"); }, 0, 2},
    };
    for (const auto& step : steps) {
        step.action();
        EXPECT_EQ(drive.view.current, step.current);
        EXPECT_EQ(drive.list.drive(), drive.view.items[step.current]);
        EXPECT_EQ(drive.changes, step.changes) << step.current;
    }
    EXPECT_EQ(errorNumberOf([&] { drive.list.setDrive("q"); }), ErrorNumber::DeviceUnavailable);
    EXPECT_EQ(errorNumberOf([&] { drive.list.showDriveOf("q:\\"); }),
              ErrorNumber::DeviceUnavailable);
    EXPECT_EQ(drive.view.current, 0);
}

TEST(DriveListBox, StartsOnTheDriveOfTheCurrentDirectory) {
    FormTestRig rig;
    const DriveTable drives({{'C', rig.root.path() / "c"}, {'D', rig.root.path() / "d"}},
                            rig.root.path() / "d");
    Counted<DriveListBox, FakeDriveList> drive(drives);
    EXPECT_EQ(drive.view.current, 1);
    EXPECT_TRUE(drive.list.drive().starts_with("d: ["));
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
    list.setPath("c:\\mods");
    EXPECT_EQ(list.path(), "C:\\Mods");
    EXPECT_EQ(view.entries, (std::vector<std::string>{"a.UMOD", "B.umod", "c.Umod"}));
    EXPECT_EQ(list.fileName(), "");
    view.selected = 1;
    EXPECT_EQ(list.fileName(), "B.umod");
    EXPECT_EQ(errorNumberOf([&] { list.setPath("C:\\Gone"); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(view.entries.size(), 3U);
}

}  // namespace
