#include <gtest/gtest.h>

#include <tuple>

#include "support/FormTestRig.h"
#include "windows/Form2.h"

using namespace kestrix;

namespace {

// The installer as Form1 leaves it when the user goes on from the game
// folder, opened with the step run while it is shown.
void withInstaller(FormTestRig& rig, const std::string& gameDir,
                   const std::function<void(Form2&, FakeWindow&)>& step) {
    rig.module.state().GameDir = rig.makeFolder(gameDir);
    rig.module.store(RememberedFolder::Game, gameDir);
    Form2& form = rig.forms.form2();
    rig.whileShown(form, [&] { step(form, FormTestRig::fake(form)); });
}

// A drive that is ready moves both lists, then lets the window redraw; one that
// is not, and a folder that went away, are reported and the lists stay.
TEST(Form2, DriveChangesAndOpensMoveTheListsOrAreReported) {
    FormTestRig rig;
    rig.makeFile("C:\\cwd\\Here.umod");
    rig.makeFolder("C:\\cwd\\Sub");
    withInstaller(rig, "D:\\UT", [&](Form2& form, FakeWindow& window) {
        std::vector<std::string> listedWhenEventsRan;
        rig.onPendingEvents = [&] { listedWhenEventsRan.push_back(form.Dir2.path()); };
        window.controls.at("Drive2").pick(0);
        window.controls.at("Drive2").pick(2);
        std::filesystem::remove(rig.host("C:\\cwd\\Sub"));
        window.controls.at("Dir2").open(2);  // Sub
        EXPECT_EQ(rig.messages, (std::vector<std::string>{"Device unavailable", "Path not found"}));
        EXPECT_EQ(listedWhenEventsRan, std::vector<std::string>{"C:\\cwd"});
        EXPECT_EQ(form.Dir2.path(), "C:\\cwd");
        EXPECT_EQ(window.controls.at("File1").items, std::vector<std::string>{"Here.umod"});
    });
    EXPECT_TRUE(rig.quitCodes.empty());
}

// Install stores the folder, hands the game folder to the clipboard before it
// tries the setup tool, reports a tool that cannot start, and ends either way;
// Exit only ends. A busy clipboard does not keep the tool from starting; the
// game's native Linux version has no tool, and nothing is started or put on
// the clipboard for it when no package is chosen.
TEST(Form2, InstallStartsTheSetupToolAndEndsExitOnlyEnds) {
    for (auto row : FormTestRig::rows(KESTRIX_TEST_DATA "/install-clicks.tsv")) {
        for (std::string& field : row) {
            field = field == "-" ? "" : field;
        }
        const auto& [button, file, failure, failureText, busy, gameFile, message] =
            std::tie(row[0], row[1], row[2], row[3], row[4], row[5], row[6]);
        FormTestRig rig;
        rig.makeFile("D:\\My Mods\\Foo Bar.umod");
        if (failure != "0") {
            rig.launchFailure = PlatformError(std::stoi(failure), failureText);
        }
        rig.clipboardBusy = !busy.empty();
        if (!gameFile.empty()) {
            rig.makeFile(gameFile);
            rig.makeFile("C:\\UT\\System\\ut-bin");
        }
        withInstaller(rig, "C:\\UT", [&](Form2& form, FakeWindow& window) {
            form.Dir2.setPath("D:\\My Mods");
            if (!file.empty()) {
                window.controls.at("File1").current = 0;
            }
            window.controls.at(button).click();
        });
        const bool installs = button == "Command1";
        const bool starts = installs && !message.starts_with("This copy");
        EXPECT_EQ(
            rig.started,
            starts ? std::vector<std::string>{"C:\\UT\\System\\setup.exe install \"D:\\My Mods\\" +
                                              file + "\""}
                   : std::vector<std::string>{})
            << message;
        EXPECT_EQ(rig.messages,
                  message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message});
        EXPECT_EQ(rig.module.stored(RememberedFolder::Package), installs ? "D:\\My Mods" : "");
        EXPECT_EQ(rig.quitCodes, std::vector<int>{0});
        EXPECT_EQ(rig.clipboardText.value_or(""), starts && busy.empty() ? "C:\\UT" : "");
    }
}

}  // namespace
