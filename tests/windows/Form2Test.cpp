#include <gtest/gtest.h>

#include "platform/ErrorNumber.h"
#include "support/FormTestRig.h"
#include "windows/Form2.h"

using namespace kestrix;

namespace {

// The installer as Form1 leaves it when the user goes on from the game
// folder: the directory chosen, recorded and stored.
class InstallerRig : public FormTestRig {
public:
    explicit InstallerRig(const std::string& gameDir = "D:\\UT") {
        makeFolder(gameDir);
        module.state().GameDir = gameDir;
        module.state().CurrentDrive = gameDir.substr(0, 1) + ":";
        module.storeGameDir(gameDir);
    }

    // Opens the installer and runs the step while it is shown.
    void withInstaller(const std::function<void(Form2&, FakeWindow&)>& step) {
        Form2& form = forms.form2();
        whileShown(form, [&] { step(form, fake(form)); });
    }
};

struct Opening {
    const char* storedPackageDir;  // "" for none
    bool exists;
    const char* opensOn;
};

class Form2Opening : public testing::TestWithParam<Opening> {};

// A remembered folder that has gone must not keep the installer from
// opening: the lists then open on the game directory.
TEST_P(Form2Opening, OpensOnTheStoredPackageDirectoryOrTheGameDirectory) {
    const Opening opening = GetParam();
    InstallerRig rig;
    rig.makeFile("D:\\UT\\Foo.umod");
    rig.makeFile("D:\\UT\\Bar.UMOD");
    if (opening.exists) {
        rig.makeFile(std::string(opening.storedPackageDir) + "\\Pack.umod");
    }
    rig.module.storePackageDir(opening.storedPackageDir);
    bool shown = false;
    rig.withInstaller([&](Form2& form, FakeWindow& window) {
        shown = window.shown;
        EXPECT_EQ(form.Dir2.path(), opening.opensOn);
        const char drive = static_cast<char>(opening.opensOn[0] - 'A' + 'a');
        EXPECT_EQ(form.Drive2.drive().substr(0, 2), (std::string{drive, ':'}));
        EXPECT_EQ(rig.module.state().PackageDir, opening.opensOn);
        EXPECT_EQ(window.fileLists.at("File1").entries,
                  (opening.exists ? std::vector<std::string>{"Pack.umod"}
                                  : std::vector<std::string>{"Bar.UMOD", "Foo.umod"}));
    });
    EXPECT_TRUE(shown);
    if (*opening.storedPackageDir != '\0') {
        EXPECT_EQ(rig.module.state().SavedPackageDir, opening.storedPackageDir);
        EXPECT_EQ(rig.module.state().SavedPackageDrive, std::string(opening.storedPackageDir, 1));
    }
    EXPECT_TRUE(rig.messageBox.shown.empty());
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

INSTANTIATE_TEST_SUITE_P(Stored, Form2Opening,
                         testing::Values(Opening{"", false, "D:\\UT"},
                                         Opening{"D:\\Downloads", true, "D:\\Downloads"},
                                         Opening{"C:\\Mods", true, "C:\\Mods"},
                                         Opening{"C:\\Gone", false, "D:\\UT"},
                                         Opening{"X:\\Mods", false, "D:\\UT"}));

TEST(Form2, DriveChangeMovesTheListsThenRunsPendingEvents) {
    InstallerRig rig;
    rig.makeFile("C:\\cwd\\Here.umod");
    rig.withInstaller([&](Form2& form, FakeWindow& window) {
        std::string listedWhenEventsRan;
        rig.desktop.onPendingEvents = [&] { listedWhenEventsRan = form.Dir2.path(); };
        window.driveLists.at("Drive2").pick(0);
        EXPECT_EQ(rig.desktop.pendingEventRuns, 1);
        EXPECT_EQ(listedWhenEventsRan, "C:\\cwd");
        EXPECT_EQ(window.fileLists.at("File1").entries, std::vector<std::string>{"Here.umod"});
        EXPECT_TRUE(rig.module.state().CurrentDrive.starts_with("c:"));
    });
}

TEST(Form2, DriveThatIsNotReadyIsReportedAndTheListsStay) {
    InstallerRig rig;
    rig.makeFile("D:\\UT\\Foo.umod");
    rig.withInstaller([&](Form2& form, FakeWindow& window) {
        window.driveLists.at("Drive2").pick(2);
        EXPECT_EQ(rig.messageBox.shown, std::vector<std::string>{"Device unavailable"});
        EXPECT_TRUE(form.Drive2.drive().starts_with("x:"));
        EXPECT_EQ(form.Dir2.path(), "D:\\UT");
        EXPECT_EQ(window.fileLists.at("File1").entries, std::vector<std::string>{"Foo.umod"});
        EXPECT_EQ(rig.module.state().PackageDir, "D:\\UT");
    });
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

TEST(Form2, OpeningAFolderThatWentAwayIsReportedAndTheListStays) {
    InstallerRig rig;
    rig.makeFolder("D:\\UT\\Sub");
    rig.withInstaller([&](Form2& form, FakeWindow& window) {
        std::filesystem::remove(rig.host("D:\\UT\\Sub"));
        window.dirLists.at("Dir2").open("Sub");
        EXPECT_EQ(rig.messageBox.shown, std::vector<std::string>{"Path not found"});
        EXPECT_EQ(form.Dir2.path(), "D:\\UT");
    });
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

TEST(Form2, InstallStoresTheFolderStartsTheSetupToolAndEnds) {
    InstallerRig rig("C:\\UT");
    rig.makeFile("D:\\My Mods\\Foo Bar.umod");
    rig.module.storePackageDir("D:\\My Mods");
    rig.withInstaller([&](Form2&, FakeWindow& window) {
        window.fileLists.at("File1").selected = 0;
        window.buttons.at("Command1").click();
    });
    EXPECT_EQ(rig.processLauncher.started,
              std::vector<std::string>{
                  "C:\\UT\\System\\setup.exe install \"D:\\My Mods\\Foo Bar.umod\""});
    EXPECT_TRUE(rig.clipboard.cleared);
    EXPECT_EQ(rig.clipboard.text.value_or(""), "C:\\UT");
    EXPECT_EQ(rig.module.storedPackageDir(), "D:\\My Mods");
    EXPECT_EQ(rig.module.state().PackageFile, "Foo Bar.umod");
    EXPECT_TRUE(rig.messageBox.shown.empty());
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0});
}

TEST(Form2, InstallWithNoFileSelectedStillStoresAndEnds) {
    InstallerRig rig("C:\\UT");
    rig.makeFile("C:\\UT\\Foo.umod");
    rig.withInstaller([&](Form2&, FakeWindow& window) { window.buttons.at("Command1").click(); });
    EXPECT_EQ(rig.processLauncher.started,
              std::vector<std::string>{"C:\\UT\\System\\setup.exe install \"C:\\UT\\\""});
    EXPECT_EQ(rig.module.storedPackageDir(), "C:\\UT");
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0});
}

struct Failure {
    int number;
    const char* description;
    const char* message;
};

class Form2Failure : public testing::TestWithParam<Failure> {};

TEST_P(Form2Failure, InstallReportsASetupToolThatCannotStartAndStillEnds) {
    const Failure failure = GetParam();
    InstallerRig rig("C:\\UT");
    rig.processLauncher.failure = PlatformError(failure.number, failure.description);
    rig.withInstaller([&](Form2&, FakeWindow& window) { window.buttons.at("Command1").click(); });
    EXPECT_EQ(rig.messageBox.shown, std::vector<std::string>{failure.message});
    // The clipboard is set before the start is tried.
    EXPECT_EQ(rig.clipboard.text.value_or(""), "C:\\UT");
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0});
}

INSTANTIATE_TEST_SUITE_P(
    Errors, Form2Failure,
    testing::Values(Failure{ErrorNumber::FileNotFound, "File not found",
                            "Make sure you have your Main UT Directory Selected."},
                    Failure{ErrorNumber::PathFileAccessError,
                            "Wine is needed to start the game's setup tool.",
                            "Wine is needed to start the game's setup tool."}));

TEST(Form2, ExitEndsWithoutInstallingOrStoring) {
    InstallerRig rig("C:\\UT");
    rig.withInstaller([&](Form2&, FakeWindow& window) { window.buttons.at("Command2").click(); });
    EXPECT_TRUE(rig.processLauncher.started.empty());
    EXPECT_TRUE(rig.module.storedPackageDir().empty());
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0});
}

}  // namespace
