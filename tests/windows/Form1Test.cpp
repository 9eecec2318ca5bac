#include <gtest/gtest.h>

#include <filesystem>

#include "support/FormTestRig.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

using namespace kestrix;

namespace {

struct Start {
    const char* stored;  // the game directory in the store; "" for none
    bool exists;
    const char* opensOn;
    const char* drive;
};

class Form1Start : public testing::TestWithParam<Start> {};

// A stored directory that has gone must not lock the user out: the window
// opens as on a first start and the value stays stored.
TEST_P(Form1Start, OpensOnTheStoredDirectoryOrTheCurrentOne) {
    const Start start = GetParam();
    FormTestRig rig;
    if (start.exists) {
        rig.makeFolder(start.stored);
    }
    rig.module.storeGameDir(start.stored);
    Form1& form = rig.forms.form1();
    form.showFirst();
    EXPECT_TRUE(FormTestRig::fake(form).shown);
    EXPECT_EQ(form.Dir1.path(), start.opensOn);
    EXPECT_TRUE(form.Drive1.drive().starts_with(start.drive)) << form.Drive1.drive();
    EXPECT_EQ(rig.module.storedGameDir(), start.stored);
    if (*start.stored != '\0') {
        EXPECT_EQ(rig.module.state().SavedGameDir, start.stored);
        EXPECT_EQ(rig.module.state().SavedGameDrive, std::string(start.stored, 1));
    }
    EXPECT_TRUE(rig.messageBox.shown.empty());
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

INSTANTIATE_TEST_SUITE_P(Stored, Form1Start,
                         testing::Values(Start{"", false, "C:\\cwd", "c:"},
                                         Start{"C:\\Games\\UT", true, "C:\\Games\\UT", "c:"},
                                         Start{"D:\\UnrealTournament", true, "D:\\UnrealTournament",
                                               "d:"},
                                         Start{"D:\\Gone", false, "C:\\cwd", "c:"},
                                         Start{"X:\\UT", false, "C:\\cwd", "c:"}));

TEST(Form1, IsCentredOnTheScreenByItsOuterSize) {
    FormTestRig rig;
    Form1& form = rig.forms.form1();
    FakeWindow& window = FormTestRig::fake(form);
    window.outer = {5850, 4950};
    form.showFirst();
    ASSERT_TRUE(window.movedTo);
    EXPECT_EQ(*window.movedTo, std::make_pair(6675.0f, 4725.0f));
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
    EXPECT_TRUE(form.Drive1.drive().starts_with("x:"));
    EXPECT_TRUE(rig.module.state().CurrentDrive.starts_with("x:"));
    EXPECT_EQ(form.Dir1.path(), "C:\\cwd");
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

class Form1GoingOn : public testing::TestWithParam<const char*> {};

TEST_P(Form1GoingOn, StoresTheDirectoryThenShowsTheNextWindowModallyAndComesBack) {
    const std::string button = GetParam();
    FormTestRig rig;
    rig.makeFile("D:\\UT\\System\\Manifest.ini", "[Setup]\r\nGroup=UnrealTournament\r\n\r\n");
    Form1& form = rig.forms.form1();
    form.showFirst();
    form.Drive1.setDrive("d");
    form.Dir1.setPath("D:\\UT");
    const ClassicForm& next =
        button == "Command1" ? static_cast<ClassicForm&>(rig.forms.form2()) : rig.forms.form3();
    bool sawNextModal = false;
    std::string storedWhileOpen;
    rig.desktop.whileShownModally([&] {
        const FakeWindow& shown = FormTestRig::fake(next);
        sawNextModal = shown.shown && shown.modal && shown.owner == &form.window() &&
                       !FormTestRig::fake(form).shown;
        storedWhileOpen = rig.module.storedGameDir();
    });
    FormTestRig::fake(form).buttons.at(button).click();
    EXPECT_TRUE(sawNextModal);
    EXPECT_EQ(storedWhileOpen, "D:\\UT");
    EXPECT_EQ(rig.module.state().GameDir, "D:\\UT");
    EXPECT_TRUE(rig.module.state().CurrentDrive.starts_with("d:"));
    // Closed by its frame, the next window brings the main window back.
    EXPECT_TRUE(FormTestRig::fake(form).shown);
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, Form1GoingOn, testing::Values("Command1", "Command3"));

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
        EXPECT_TRUE(rig.module.storedGameDir().empty());
    }
}

TEST(Form1, ErrorInTheNextWindowsLoadEndsTheProgramThroughTheReport) {
    FormTestRig rig;
    rig.makeFolder("C:\\UT");
    Form1& form = rig.forms.form1();
    form.showFirst();
    form.Dir1.setPath("C:\\UT");
    std::filesystem::remove(rig.host("C:\\UT"));
    FormTestRig::fake(form).buttons.at("Command1").click();
    EXPECT_EQ(rig.messageBox.shown,
              std::vector<std::string>{"Run-time error '76':\n\nPath not found"});
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{1});
    EXPECT_FALSE(FormTestRig::fake(rig.forms.form2()).shown);
}

}  // namespace
