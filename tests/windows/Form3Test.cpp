#include <gtest/gtest.h>

#include <filesystem>

#include "support/FormTestRig.h"
#include "windows/Form1.h"
#include "windows/Form3.h"

using namespace kestrix;

namespace {

const std::string Manifest =
    "[Setup]\r\nMasterProduct=UnrealTournament\r\nGroup=UnrealTournament\r\nGroup=Foo Pack\r\n"
    "Group=BarMaps\r\n\r\n"
    "[UnrealTournament]\r\nFile=System\\De.u\r\nFile=System\\Engine.u\r\n\r\n"
    "[RefCounts]\r\nFile:System\\De.u=2\r\n\r\n"
    "[Foo Pack]\r\nFile=System\\Foo.u\r\nFile=System\\de.u\r\nCaption=Foo (1.0)\r\n\r\n"
    "[BarMaps]\r\nFile=Maps\\DM-Bar][.unr\r\n\r\n";

// A game folder on D: with the manifest and the files it lists, stored as
// the game directory the way Form1 leaves it.
class UninstallerRig : public FormTestRig {
public:
    UninstallerRig() {
        makeFile("D:\\UT\\System\\Manifest.ini", Manifest);
        for (const char* file : {"D:\\UT\\System\\De.u", "D:\\UT\\System\\Engine.u",
                                 "D:\\UT\\System\\Foo.u", "D:\\UT\\Maps\\DM-Bar][.unr"}) {
            makeFile(file, "data");
        }
        module.storeGameDir("D:\\UT");
    }

    void withUninstaller(const std::function<void(FakeWindow&, FakeComboBox&)>& step) {
        Form3& form = forms.form3();
        whileShown(form, [&] { step(fake(form), fake(form).comboBoxes.at("Combo1")); });
    }

    bool exists(const std::string& windowsPath) const {
        return std::filesystem::exists(host(windowsPath));
    }
};

TEST(Form3, LoadListsTheInstalledPackagesOnceWithNothingChosen) {
    UninstallerRig rig;
    for (int opening = 0; opening < 2; ++opening) {
        // Closed by its frame and opened again, the list does not grow.
        rig.withUninstaller([&](FakeWindow& window, FakeComboBox& combo) {
            EXPECT_TRUE(window.shown);
            EXPECT_EQ(combo.items, (std::vector<std::string>{"Foo Pack", "BarMaps"}));
            EXPECT_EQ(combo.text, "");
            combo.text = "typed before closing";
        });
    }
    EXPECT_EQ(rig.module.state().SavedGameDir, "D:\\UT");
    EXPECT_TRUE(rig.messageBox.shown.empty());
}

TEST(Form3, MissingManifestIsReportedAndTheWindowOpensEmpty) {
    FormTestRig rig;
    rig.makeFolder("D:\\NotTheGame");
    rig.module.storeGameDir("D:\\NotTheGame");
    bool openedEmpty = false;
    Form3& form = rig.forms.form3();
    rig.whileShown(form, [&] {
        openedEmpty = FormTestRig::fake(form).shown &&
                      FormTestRig::fake(form).comboBoxes.at("Combo1").items.empty();
    });
    EXPECT_TRUE(openedEmpty);
    EXPECT_EQ(rig.messageBox.shown, std::vector<std::string>{"File not found"});
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

TEST(Form3, UninstallRemovesThePackageLeavesTheListAndSaysDone) {
    UninstallerRig rig;
    rig.withUninstaller([&](FakeWindow& window, FakeComboBox& combo) {
        combo.addItem("Foo Pack");  // the same name twice: every entry leaves
        combo.text = "Foo Pack";
        window.buttons.at("Command2").click();
        EXPECT_EQ(combo.items, std::vector<std::string>{"BarMaps"});
        EXPECT_EQ(combo.text, "");
        EXPECT_TRUE(window.shown);
    });
    EXPECT_EQ(rig.messageBox.shown, std::vector<std::string>{"done"});
    EXPECT_EQ(rig.module.state().ChosenPackage, "Foo Pack");
    EXPECT_FALSE(rig.exists("D:\\UT\\System\\Foo.u"));
    // Still listed by the base game, in another letter case.
    EXPECT_TRUE(rig.exists("D:\\UT\\System\\De.u"));
    EXPECT_EQ(readBytes(rig.host("D:\\UT\\system\\manifest.bak")), Manifest);
    const std::string now = readBytes(rig.host("D:\\UT\\system\\manifest.ini"));
    EXPECT_EQ(now.find("[Foo Pack]"), std::string::npos);
    EXPECT_NE(now.find("[BarMaps]\r\nFile=Maps\\DM-Bar][.unr\r\n"), std::string::npos);
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

struct Refusal {
    const char* typed;
    bool removeManifest;
    const char* messageStart;
};

class Form3Refusal : public testing::TestWithParam<Refusal> {};

// A name that is not installed, or a manifest that went away since the window
// opened, is reported; nothing changes and the window stays for another try.
TEST_P(Form3Refusal, IsReportedAndChangesNothing) {
    const Refusal refusal = GetParam();
    UninstallerRig rig;
    rig.withUninstaller([&](FakeWindow& window, FakeComboBox& combo) {
        if (refusal.removeManifest) {
            std::filesystem::remove(rig.host("D:\\UT\\System\\Manifest.ini"));
        }
        combo.text = refusal.typed;
        window.buttons.at("Command2").click();
        EXPECT_TRUE(window.shown);
        EXPECT_EQ(combo.items.size(), 2U);
    });
    ASSERT_EQ(rig.messageBox.shown.size(), 1U);
    EXPECT_TRUE(rig.messageBox.shown[0].starts_with(refusal.messageStart))
        << rig.messageBox.shown[0];
    EXPECT_FALSE(rig.exists("D:\\UT\\System\\manifest.bak"));
    EXPECT_TRUE(rig.exists("D:\\UT\\System\\Foo.u"));
    EXPECT_TRUE(rig.exists("D:\\UT\\System\\Engine.u"));
    EXPECT_TRUE(rig.desktop.quitCodes.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, Form3Refusal,
                         testing::Values(Refusal{"UnrealTournament", false,
                                                 "No package named \"UnrealTournament\""},
                                         Refusal{"Foo Pack", true, "File not found"}));

TEST(Form3, WithNoStoredGameDirectoryTheMainWindowComesBackModally) {
    FormTestRig rig;
    Form1& main = rig.forms.form1();
    Form3& form = rig.forms.form3();
    main.showFirst();
    bool mainShownInstead = false;
    rig.whileShown(form, [&] {
        const FakeWindow& shown = FormTestRig::fake(main);
        mainShownInstead = shown.shown && shown.modal && shown.owner == &form.window() &&
                           !FormTestRig::fake(form).shown;
        FormTestRig::fake(main).buttons.at("Command2").click();
    });
    EXPECT_TRUE(mainShownInstead);
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0});
}

TEST(Form3, ExitEndsTheProgramAndLeavesTheManifest) {
    UninstallerRig rig;
    rig.withUninstaller(
        [&](FakeWindow& window, FakeComboBox&) { window.buttons.at("Command1").click(); });
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0});
    EXPECT_EQ(readBytes(rig.host("D:\\UT\\System\\Manifest.ini")), Manifest);
}

}  // namespace
