#include <gtest/gtest.h>

#include <filesystem>

#include "support/FormTestRig.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

using namespace kestrix;

namespace {

// A stored directory that has gone, or lies on a drive that is not ready, must
// not lock the user out: the window opens as on a first start and the value
// stays stored. Either way the window is centred by its outer size.
TEST(Form1, OpensCentredOnTheStoredDirectoryOrTheCurrentOne) {
    const struct {
        const char* stored;  // "" for none
        bool exists;
        const char* opensOn;
    } starts[] = {{"", false, "C:\\cwd"},
                  {"C:\\Games\\UT", true, "C:\\Games\\UT"},
                  {"D:\\UnrealTournament", true, "D:\\UnrealTournament"},
                  {"D:\\Gone", false, "C:\\cwd"},
                  {"X:\\UT", false, "C:\\cwd"}};
    for (const auto& start : starts) {
        FormTestRig rig;
        if (start.exists) {
            rig.makeFolder(start.stored);
        }
        rig.module.store(RememberedFolder::Game, start.stored);
        Form1& form = rig.forms.form1();
        FakeWindow& window = FormTestRig::fake(form);
        window.outer = {5850, 4950};
        form.showFirst();
        EXPECT_TRUE(window.shown);
        EXPECT_EQ(window.movedTo, std::make_pair(6675.0f, 4725.0f));
        EXPECT_EQ(form.Dir1.path(), start.opensOn);
        const char drive = static_cast<char>(start.opensOn[0] - 'A' + 'a');
        EXPECT_EQ(form.Drive1.drive().substr(0, 2), (std::string{drive, ':'})) << start.stored;
        EXPECT_EQ(rig.module.stored(RememberedFolder::Game), start.stored);
        EXPECT_TRUE(rig.messageBox.shown.empty());
        EXPECT_TRUE(rig.desktop.quitCodes.empty());
    }
}

TEST(Form1, DriveChangeMovesToThatDrivesCurrentDirectoryOrReportsANotReadyOne) {
    FormTestRig rig;
    Form1& form = rig.forms.form1();
    form.showFirst();
    FakeDriveList& drive = FormTestRig::fake(form).driveLists.at("Drive1");
    drive.pick(1);
    EXPECT_EQ(form.Dir1.path(), "D:\\");
    drive.pick(0);
    EXPECT_EQ(form.Dir1.path(), "C:\\cwd");
    drive.pick(2);
    EXPECT_EQ(rig.messageBox.shown, std::vector<std::string>{"Device unavailable"});
    EXPECT_TRUE(rig.module.state().CurrentDrive.starts_with("x:"));
    EXPECT_EQ(form.Dir1.path(), "C:\\cwd");
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

// Both buttons store the directory before the next window opens, show it
// modally in Form1's place, and bring Form1 back when it is closed by its frame.
TEST(Form1, GoingOnStoresTheDirectoryThenShowsTheNextWindowModallyAndComesBack) {
    for (const char* button : {"Command1", "Command3"}) {
        FormTestRig rig;
        rig.makeFile("D:\\UT\\System\\Manifest.ini", "[Setup]\r\nGroup=UnrealTournament\r\n");
        Form1& form = rig.forms.form1();
        form.showFirst();
        form.Drive1.setDrive("d");
        form.Dir1.setPath("D:\\UT");
        const ClassicForm& next = std::string(button) == "Command1"
                                      ? static_cast<ClassicForm&>(rig.forms.form2())
                                      : rig.forms.form3();
        bool sawNextModal = false;
        rig.desktop.whileShownModally([&] {
            const FakeWindow& shown = FormTestRig::fake(next);
            sawNextModal = shown.shown && shown.modal && shown.owner == &form.window() &&
                           !FormTestRig::fake(form).shown &&
                           rig.module.stored(RememberedFolder::Game) == "D:\\UT";
        });
        FormTestRig::fake(form).buttons.at(button).click();
        EXPECT_TRUE(sawNextModal) << button;
        EXPECT_EQ(rig.module.state().GameDir, "D:\\UT");
        EXPECT_TRUE(rig.module.state().CurrentDrive.starts_with("d:"));
        EXPECT_TRUE(FormTestRig::fake(form).shown);
        EXPECT_TRUE(rig.desktop.quitCodes.empty());
    }
}

TEST(Form1, ExitAndTheFrameEndTheProgramWithNothingStored) {
    for (const bool byFrame : {false, true}) {
        FormTestRig rig;
        Form1& form = rig.forms.form1();
        form.showFirst();
        if (byFrame) {
            FormTestRig::fake(form).closeByFrame();
        } else {
            FormTestRig::fake(form).buttons.at("Command2").click();
        }
        EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0}) << byFrame;
        EXPECT_FALSE(FormTestRig::fake(form).shown);
        EXPECT_TRUE(rig.module.stored(RememberedFolder::Game).empty());
    }
}

TEST(Form1, ErrorInTheNextWindowsLoadEndsTheProgramThroughTheReport) {
    FormTestRig rig;
    Form1& form = rig.forms.form1();
    form.showFirst();
    form.Dir1.setPath(rig.makeFolder("C:\\UT"));
    std::filesystem::remove(rig.host("C:\\UT"));
    FormTestRig::fake(form).buttons.at("Command1").click();
    EXPECT_EQ(rig.messageBox.shown,
              std::vector<std::string>{"Run-time error '76':\n\nPath not found"});
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{1});
    EXPECT_FALSE(FormTestRig::fake(rig.forms.form2()).shown);
}

// A window asked for after the program has begun to end stays hidden, or it
// would hold the ending program open.
TEST(Form1, NoWindowOpensOnceTheProgramEnds) {
    FormTestRig rig;
    // Where Form1 would have left the installer's lists.
    rig.module.state().GameDir = rig.makeFolder("C:\\UT");
    rig.module.EndProgram();
    rig.forms.form2().showModal(rig.forms.form1());
    EXPECT_FALSE(FormTestRig::fake(rig.forms.form2()).modal);
}

}  // namespace
