#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ErrorNumber.h"
#include "platform/Rows.h"
#include "support/ErrorNumberOf.h"
#include "support/FormTestRig.h"
#include "windows/DirListBox.h"
#include "windows/DriveListBox.h"

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

}  // namespace
