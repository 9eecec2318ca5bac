#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>

#include "app/SettingsKeys.h"
#include "platform/EarlyFolderListing.h"
#include "platform/Rows.h"
#include "support/ErrorNumberOf.h"
#include "support/FormTestRig.h"
#include "windows/DirListBox.h"
#include "windows/DriveListBox.h"
#include "windows/Form1.h"

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

// The lists move and raise their change only when their folder or drive
// changes; a folder that is missing or on a drive that is not ready is
// refused, and a failed open by the user is not raised (the window reports it).
TEST(ListControls, FolderAndDriveListsFollowTheRowsOfListSteps) {
    FormTestRig rig;
    rig.makeFolder("C:\\cwd\\Sub");
    Counted<DirListBox> dir(rig.drives);
    Counted<DriveListBox> drive(rig.drives);
    for (const auto& row : rowsOf("list-steps.tsv")) {
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
    // A drive shows its volume label where Windows gives it one, else its root.
    EXPECT_EQ(drive.view.items.at(0), "c: [SYSTEM]");
    EXPECT_EQ(drive.view.items.at(1), "d: [" + (rig.root.path() / "d").string() + "]");
}

// The main window comes up before the sub-folders of its first folder, read
// early at start, have arrived, with the folder's path rows; the sub-folders
// are listed before the window takes any input. With a remembered game folder
// the first folder is never waited for.
TEST(ListControls, MainWindowShowsBeforeItsFirstFolderArrives) {
    for (const bool gameFolderRemembered : {false, true}) {
        FormTestRig rig;
        rig.makeFolder("C:\\cwd\\Sub");
        if (gameFolderRemembered) {
            rig.values[{SettingsKeys::Application, SettingsKeys::GameDirSection,
                        SettingsKeys::Key}] = rig.makeFolder("D:\\UT\\System");
        }
        std::promise<void> shown;
        // Bounded, so that a window that waits before it shows fails rather than hangs.
        const EarlyFolderListing early(rig.host("C:\\cwd"),
                                       [arrival = shown.get_future().share()](const auto& folder) {
                                           arrival.wait_for(std::chrono::seconds(10));
                                           return readFolderEntries(folder, EntryType::Folder);
                                       });
        FakeWindow& window = FormTestRig::fake(rig.forms.form1());
        const FakeControl& dir = window.controls.at("Dir1");
        using Rows = std::vector<std::string>;
        const auto rows = [&dir] {
            Rows texts;
            for (const DirEntry& row : dir.entries) {
                texts.push_back(row.text);
            }
            return texts;
        };
        Rows rowsWhenShown;
        window.onShow = [&] {
            rowsWhenShown = rows();
            shown.set_value();
        };
        rig.forms.form1().showFirst();
        const Rows game{"D:\\", "UT", "System"};
        EXPECT_EQ(rowsWhenShown, gameFolderRemembered ? game : Rows({"C:\\", "cwd"}));
        EXPECT_EQ(rows(), gameFolderRemembered ? game : Rows({"C:\\", "cwd", "Sub"}));
    }
}

}  // namespace
