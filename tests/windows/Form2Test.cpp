#include <gtest/gtest.h>

#include <optional>

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
        module.state().GameDir = makeFolder(gameDir);
        module.store(RememberedFolder::Game, gameDir);
    }

    // Opens the installer and runs the step while it is shown.
    void withInstaller(const std::function<void(Form2&, FakeWindow&)>& step) {
        Form2& form = forms.form2();
        whileShown(form, [&] { step(form, fake(form)); });
    }
};

// A remembered folder that has gone must not keep the installer from
// opening: the lists then open on the game directory.
TEST(Form2, OpensOnTheStoredPackageDirectoryOrTheGameDirectory) {
    const struct {
        const char* stored;  // "" for none
        bool exists;
        const char* opensOn;
    } openings[] = {{"", false, "D:\\UT"},
                    {"D:\\Downloads", true, "D:\\Downloads"},
                    {"C:\\Mods", true, "C:\\Mods"},
                    {"C:\\Gone", false, "D:\\UT"},
                    {"X:\\Mods", false, "D:\\UT"}};
    for (const auto& opening : openings) {
        InstallerRig rig;
        rig.makeFile("D:\\UT\\Foo.umod");
        rig.makeFile("D:\\UT\\Bar.UMOD");
        if (opening.exists) {
            rig.makeFile(std::string(opening.stored) + "\\Pack.umod");
        }
        rig.module.store(RememberedFolder::Package, opening.stored);
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
        EXPECT_TRUE(shown) << opening.stored;
        if (*opening.stored != '\0') {
            EXPECT_EQ(rig.module.state().SavedPackageDir, opening.stored);
            EXPECT_EQ(rig.module.state().SavedPackageDrive, std::string(opening.stored, 1));
        }
        EXPECT_TRUE(rig.messageBox.shown.empty());
        EXPECT_TRUE(rig.desktop.quitCodes.empty());
    }
}

// A drive that is ready moves both lists, then lets the window redraw; one that
// is not, and a folder that went away, are reported and the lists stay.
TEST(Form2, DriveChangesAndOpensMoveTheListsOrAreReported) {
    InstallerRig rig;
    rig.makeFile("C:\\cwd\\Here.umod");
    rig.makeFolder("C:\\cwd\\Sub");
    rig.withInstaller([&](Form2& form, FakeWindow& window) {
        std::string listedWhenEventsRan;
        rig.desktop.onPendingEvents = [&] { listedWhenEventsRan = form.Dir2.path(); };
        window.driveLists.at("Drive2").pick(0);
        EXPECT_EQ(listedWhenEventsRan, "C:\\cwd");
        EXPECT_EQ(window.fileLists.at("File1").entries, std::vector<std::string>{"Here.umod"});
        EXPECT_TRUE(rig.module.state().CurrentDrive.starts_with("c:"));

        window.driveLists.at("Drive2").pick(2);
        std::filesystem::remove(rig.host("C:\\cwd\\Sub"));
        window.dirLists.at("Dir2").open(2);  // Sub
        EXPECT_EQ(rig.messageBox.shown,
                  (std::vector<std::string>{"Device unavailable", "Path not found"}));
        EXPECT_EQ(rig.desktop.pendingEventRuns, 1);
        EXPECT_EQ(form.Dir2.path(), "C:\\cwd");
        EXPECT_EQ(window.fileLists.at("File1").entries, std::vector<std::string>{"Here.umod"});
        EXPECT_EQ(rig.module.state().PackageDir, "C:\\cwd");
    });
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

// Install stores the folder, hands the game folder to the clipboard before it
// tries the setup tool, reports a tool that cannot start, and ends either way;
// Exit only ends. A busy clipboard does not keep the tool from starting; the
// game's native Linux version has no tool, and nothing is started or put on
// the clipboard for it when no package is chosen.
TEST(Form2, InstallStartsTheSetupToolAndEndsExitOnlyEnds) {
    const std::string toolFor = "C:\\UT\\System\\setup.exe install \"D:\\My Mods\\";
    const struct {
        const char* button;
        const char* file;  // selected; "" for none
        std::optional<PlatformError> failure;
        const char* message;  // "" for none
        bool clipboardBusy = false;
        const char* gameFile = "";  // also in the game folder
    } cases[] = {
        {"Command1", "Foo Bar.umod", std::nullopt, ""},
        {"Command1", "", std::nullopt, ""},
        {"Command1", "Foo Bar.umod", PlatformError(ErrorNumber::FileNotFound, "File not found"),
         "Make sure you have your Main UT Directory Selected."},
        {"Command1", "Foo Bar.umod", PlatformError(ErrorNumber::PathFileAccessError, "No Wine."),
         "No Wine."},
        {"Command2", "Foo Bar.umod", std::nullopt, ""},
        {"Command1", "Foo Bar.umod", std::nullopt,
         "The setup tool has started, but the game folder could not be put on the clipboard "
         "(Can't open Clipboard): type C:\\UT where it asks for it.",
         true},
        // With a package chosen there KESTRIX installs it itself.
        {"Command1", "", std::nullopt,
         "This copy of the game is its native Linux version, which has no setup tool "
         "(System\\Setup.exe): only the Windows version of the game ships one, and KESTRIX "
         "installs umods through it.",
         false, "C:\\UT\\System64\\ut-bin-amd64"},
        // Linux programs beside the Windows tool: a copy that has both.
        {"Command1", "Foo Bar.umod", std::nullopt, "", false, "C:\\UT\\System\\SETUP.EXE"},
    };
    for (const auto& install : cases) {
        InstallerRig rig("C:\\UT");
        rig.makeFile("D:\\My Mods\\Foo Bar.umod");
        rig.processLauncher.failure = install.failure;
        rig.clipboard.busy = install.clipboardBusy;
        const bool native = std::string(install.message).starts_with("This copy");
        if (*install.gameFile != '\0') {
            rig.makeFile(install.gameFile);
            rig.makeFile("C:\\UT\\System\\ut-bin");
        }
        rig.withInstaller([&](Form2& form, FakeWindow& window) {
            form.Dir2.setPath("D:\\My Mods");
            if (*install.file != '\0') {
                window.fileLists.at("File1").selected = 0;
            }
            window.buttons.at(install.button).click();
        });
        const bool installs = std::string(install.button) == "Command1";
        EXPECT_EQ(rig.processLauncher.started,
                  installs && !native ? std::vector<std::string>{toolFor + install.file + "\""}
                                      : std::vector<std::string>{});
        EXPECT_EQ(rig.messageBox.shown, *install.message == '\0'
                                            ? std::vector<std::string>{}
                                            : std::vector<std::string>{install.message});
        EXPECT_EQ(rig.module.stored(RememberedFolder::Package), installs ? "D:\\My Mods" : "");
        EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0});
        if (installs) {
            const bool set = !native && !install.clipboardBusy;
            EXPECT_EQ(rig.clipboard.cleared, set);
            EXPECT_EQ(rig.clipboard.text.value_or(""), set ? "C:\\UT" : "");
            EXPECT_EQ(rig.module.state().PackageFile, install.file);
        }
    }
}

}  // namespace
