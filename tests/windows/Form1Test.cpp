#include <gtest/gtest.h>

#include "support/FormTestRig.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/Form3.h"

using namespace kestrix;

namespace {

// Each window opens centred by its outer size, on the folder of its row in
// openings.tsv; the value stays stored either way.
TEST(Forms, OpenCentredOnTheStoredFolderOrWhereTheyWouldOnAFirstStart) {
    for (const auto& row : FormTestRig::rows(KESTRIX_TEST_DATA "/openings.tsv")) {
        const std::string stored = row[1] == "-" ? "" : row[1];
        const bool installer = row[0] == "Form2";
        FormTestRig rig;
        if (row[2] == "yes") {
            rig.makeFolder(stored);
        }
        rig.module.store(installer ? RememberedFolder::Package : RememberedFolder::Game, stored);
        rig.module.state().GameDir = rig.makeFolder("D:\\UT");
        Form1& main = rig.forms.form1();
        Form2& form2 = rig.forms.form2();
        const ClassicForm& form = installer ? static_cast<ClassicForm&>(form2) : main;
        FakeWindow& window = FormTestRig::fake(form);
        window.outer = {5850, 4950};
        std::string opened;
        const auto look = [&] {
            EXPECT_TRUE(window.shown);
            opened = (installer ? form2.Dir2.path() : main.Dir1.path()) + " " +
                     (installer ? form2.Drive2.drive() : main.Drive1.drive()).substr(0, 2);
        };
        if (installer) {
            rig.whileShown(form2, look);
        } else {
            main.showFirst();
            look();
        }
        const char drive = static_cast<char>(row[3][0] - 'A' + 'a');
        EXPECT_EQ(opened, row[3] + " " + drive + ":") << row[0] << " " << stored;
        EXPECT_EQ(window.movedTo, std::make_pair(6675.0f, 4725.0f));
        EXPECT_EQ(rig.module.stored(installer ? RememberedFolder::Package : RememberedFolder::Game),
                  stored);
        EXPECT_TRUE(rig.messages.empty() && rig.quitCodes.empty());
    }
}

TEST(Form1, DriveChangeMovesToThatDrivesCurrentDirectoryOrReportsANotReadyOne) {
    FormTestRig rig;
    Form1& form = rig.forms.form1();
    form.showFirst();
    FakeControl& drive = FormTestRig::fake(form).controls.at("Drive1");
    drive.pick(1);
    EXPECT_EQ(form.Dir1.path(), "D:\\");
    drive.pick(2);
    EXPECT_EQ(rig.messages, std::vector<std::string>{"Device unavailable"});
    EXPECT_EQ(form.Dir1.path(), "D:\\");
    EXPECT_TRUE(rig.quitCodes.empty());
}

// Both buttons store the directory before the next window opens, show it
// modally in Form1's place, and bring Form1 back when it is closed by its
// frame, but not when the program was ended there; Exit and the frame end the
// program with nothing stored.
TEST(Form1, ButtonsGoOnToTheNextWindowOrEndTheProgram) {
    for (const std::string row : {"Command1", "Command3", "Command2", "", "Command3 Exit"}) {
        const std::string button = row.substr(0, 8);
        const bool endsInNext = row.ends_with("Exit");
        FormTestRig rig;
        rig.makeFile("D:\\UT\\System\\Manifest.ini", "[Setup]\r\nGroup=UnrealTournament\r\n");
        Form1& form = rig.forms.form1();
        FakeWindow& window = FormTestRig::fake(form);
        form.showFirst();
        form.Dir1.setPath("D:\\UT");
        const bool goesOn = button == "Command1" || button == "Command3";
        const ClassicForm& next =
            button == "Command1" ? static_cast<ClassicForm&>(rig.forms.form2()) : rig.forms.form3();
        bool sawNextModal = false;
        rig.steps.push_back([&] {
            const FakeWindow& shown = FormTestRig::fake(next);
            sawNextModal = shown.shown && shown.owner == &window && !window.shown &&
                           rig.module.stored(RememberedFolder::Game) == "D:\\UT";
            if (endsInNext) {
                FormTestRig::fake(next).controls.at("Command1").click();  // Exit
            }
        });
        if (button.empty()) {
            window.closeByFrame();
        } else {
            window.controls.at(button).click();
        }
        EXPECT_EQ(sawNextModal, goesOn) << row;
        EXPECT_EQ(window.shown, goesOn && !endsInNext) << row;
        EXPECT_EQ(rig.quitCodes, goesOn && !endsInNext ? std::vector<int>{} : std::vector<int>{0});
        EXPECT_EQ(rig.module.stored(RememberedFolder::Game), goesOn ? "D:\\UT" : "");
    }
}

// A window asked for after the program has begun to end stays hidden, or it
// would hold the ending program open.
TEST(Form1, NoWindowOpensOnceTheProgramEnds) {
    FormTestRig rig;
    // Where Form1 would have left the installer's lists.
    rig.module.state().GameDir = rig.makeFolder("C:\\UT");
    rig.module.EndProgram();
    rig.forms.form2().showModal(rig.forms.form1());
    EXPECT_FALSE(FormTestRig::fake(rig.forms.form2()).owner);
}

}  // namespace
