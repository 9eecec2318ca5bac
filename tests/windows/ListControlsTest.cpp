#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/CodePage.h"
#include "platform/ErrorNumber.h"
#include "support/ErrorNumberOf.h"
#include "support/FormTestRig.h"
#include "windows/DirListBox.h"
#include "windows/DriveListBox.h"
#include "windows/FileListBox.h"

using namespace kestrix;

namespace {

// A list on the given drives that counts its change events.
template <typename List>
struct Counted {
    explicit Counted(const DriveTable& drives) : list(drives, view) {
        list.onChange([this] { ++changes; });
    }
    FakeControl view;
    List list;
    int changes = 0;
};

// The folder list's rows as it shows them: "+" marks an open folder.
std::string shown(const FakeControl& view) {
    std::string rows;
    for (const DirEntry& entry : view.entries) {
        rows += entry.text + " " + std::to_string(entry.depth) + (entry.open ? "+|" : "|");
    }
    return rows;
}

TEST(DirListBox, ShowsTheRootAndAncestorsOpenThenTheVisibleSubfoldersClosedInNameOrder) {
    FormTestRig rig;
    for (const char* folder : {"C:\\Games\\UT\\System", "C:\\Games\\UT\\maps",
                               "C:\\Games\\UT\\.cache", "C:\\Games\\UT\\Textures"}) {
        rig.makeFolder(folder);
    }
    rig.makeFile("C:\\Games\\UT\\readme.txt");
    Counted<DirListBox> dir(rig.drives);
    dir.list.setPath("c:\\Games\\UT\\System\\..");
    EXPECT_EQ(dir.list.path(), "C:\\Games\\UT");
    EXPECT_EQ(shown(dir.view), "C:\\ 0+|Games 1+|UT 2+|maps 3|System 3|Textures 3|");
    EXPECT_EQ(dir.view.current, 2);
}

// The lists move and raise their change only when their folder or drive
// changes; a folder that is missing or on a drive that is not ready is
// refused, and a failed open by the user is reported, not raised.
TEST(ListControls, FolderAndDriveListsFollowTheRowsOfListSteps) {
    FormTestRig rig;
    rig.makeFolder("C:\\cwd\\Sub");
    Counted<DirListBox> dir(rig.drives);
    Counted<DriveListBox> drive(rig.drives);
    std::vector<std::string> failures;
    dir.list.onOpenFailed([&](const std::string& description) { failures.push_back(description); });
    for (const auto& row : FormTestRig::rows(KESTRIX_TEST_DATA "/list-steps.tsv")) {
        const bool onDir = row[0] == "dir";
        const std::string& action = row[1];
        const int error = errorNumberOf([&] {
            if (action == "set" && onDir) {
                dir.list.setPath(row[2]);
            } else if (action == "set") {
                drive.list.setDrive(row[2]);
            } else if (action == "open") {
                dir.view.open(std::stoi(row[2]));
            } else if (action == "pick") {
                drive.view.pick(std::stoi(row[2]));
            } else if (action == "show") {
                drive.list.showDriveOf(row[2]);
            } else if (action == "same") {
                drive.list.setDrive(drive.list.drive());
            } else {
                std::filesystem::remove(rig.host(row[2]));
            }
        });
        const std::string step = row[0] + " " + action + " " + row[2];
        EXPECT_EQ(error, std::stoi(row[3])) << step;
        EXPECT_EQ(onDir ? dir.list.path() : std::to_string(drive.view.current), row[4]) << step;
        EXPECT_EQ(onDir ? dir.changes : drive.changes, std::stoi(row[5])) << step;
        EXPECT_EQ(drive.list.drive(), drive.view.items.at(drive.view.current)) << step;
    }
    EXPECT_EQ(failures, std::vector<std::string>{"Path not found"});
    EXPECT_EQ(dir.view.entries.size(), 3U);
}

// Each drive shows its root, or the volume label Windows gives its fixed
// drives; the list starts on the drive of the current directory.
TEST(DriveListBox, NamesEachDriveAndStartsOnTheCurrentDirectorysDrive) {
    const FormTestRig rig;
    const std::filesystem::path& base = rig.root.path();
    const DriveTable drives({{'C', base / "c", "SYSTEM"}, {'D', base / "d"}}, base / "d");
    const Counted<DriveListBox> drive(drives);
    EXPECT_EQ(drive.view.items,
              (std::vector<std::string>{"c: [SYSTEM]", "d: [" + (base / "d").string() + "]"}));
    EXPECT_EQ(drive.view.current, 1);
}

TEST(FileListBox, ShowsMatchingVisibleFilesInAnyCaseInNameOrder) {
    FormTestRig rig;
    for (const char* file :
         {"C:\\Mods\\B.umod", "C:\\Mods\\a.UMOD", "C:\\Mods\\c.Umod", "C:\\Mods\\.hidden.umod",
          "C:\\Mods\\notes.txt", "C:\\Mods\\x.umod.bak"}) {
        rig.makeFile(file);
    }
    rig.makeFolder("C:\\Mods\\folder.umod");
    FakeControl view;
    FileListBox list(rig.drives, view);
    list.setPattern("*.umod");
    list.setPath("c:\\Mods\\");
    EXPECT_EQ(list.path(), "C:\\Mods");
    EXPECT_EQ(view.items, (std::vector<std::string>{"a.UMOD", "B.umod", "c.Umod"}));
    EXPECT_EQ(list.fileName(), "");
    view.current = 1;
    EXPECT_EQ(list.fileName(), "B.umod");
    EXPECT_EQ(errorNumberOf([&] { list.setPath("C:\\Gone"); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(view.items.size(), 3U);
}

// Wine keeps names in UTF-8 on Linux, Windows in UTF-16: either way the folder
// list shows them in the code page. A name the code page cannot write is shown
// by its characters' numbers and never opened as another. (Opening and
// installing by accented names: the end-to-end scenarios.)
TEST(ListControls, ShowNamesBeyondAsciiInTheCodePage) {
    if (CodePage::system().number() != 1252) {
        GTEST_SKIP() << "the names are spelled for Windows-1252";
    }
    FormTestRig rig;
    const std::filesystem::path mods = rig.host(rig.makeFolder("C:\\Mods"));
    for (const std::u8string name : {u8"Caf\u00e9", u8"\u0416\u0443\u043a", u8"Zone"}) {
        std::filesystem::create_directory(mods / name);
    }
    Counted<DirListBox> dir(rig.drives);
    std::vector<std::string> failures;
    dir.list.onOpenFailed([&](const std::string& description) { failures.push_back(description); });
    dir.list.setPath("C:\\Mods");
    EXPECT_EQ(shown(dir.view), "C:\\ 0+|Mods 1+|<U+0416><U+0443><U+043A> 2|Caf\xE9 2|Zone 2|");
    dir.view.open(2);
    EXPECT_EQ(dir.list.path(), "C:\\Mods");
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_NE(failures[0].find("Mods\\<U+0416><U+0443><U+043A>\" holds characters"),
              std::string::npos)
        << failures[0];
}

}  // namespace
