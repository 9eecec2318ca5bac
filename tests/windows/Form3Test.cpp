#include <gtest/gtest.h>

#include <filesystem>

#include "platform/CodePage.h"
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
        module.store(RememberedFolder::Game, "D:\\UT");
    }

    void withUninstaller(const std::function<void(FakeWindow&, FakeComboBox&)>& step) {
        Form3& form = forms.form3();
        whileShown(form, [&] { step(fake(form), fake(form).comboBoxes.at("Combo1")); });
    }

    bool exists(const std::string& windowsPath) const {
        return std::filesystem::exists(host(windowsPath));
    }
};

// Closed by its frame and opened again, the list does not grow; a missing
// manifest is reported and the window opens empty.
TEST(Form3, LoadListsTheInstalledPackagesOnceWithNothingChosen) {
    UninstallerRig rig;
    for (int opening = 0; opening < 2; ++opening) {
        rig.withUninstaller([&](FakeWindow& window, FakeComboBox& combo) {
            EXPECT_TRUE(window.shown);
            EXPECT_EQ(combo.items, (std::vector<std::string>{"Foo Pack", "BarMaps"}));
            EXPECT_EQ(combo.text, "");
            combo.text = "typed before closing";
        });
    }
    EXPECT_EQ(rig.module.state().SavedGameDir, "D:\\UT");
    EXPECT_TRUE(rig.messageBox.shown.empty());

    FormTestRig empty;
    // Its System folder is there, so that Windows too says the file is missing.
    empty.makeFolder("D:\\NotTheGame\\System");
    empty.module.store(RememberedFolder::Game, "D:\\NotTheGame");
    Form3& form = empty.forms.form3();
    empty.whileShown(form, [&] {
        EXPECT_TRUE(FormTestRig::fake(form).shown);
        EXPECT_TRUE(FormTestRig::fake(form).comboBoxes.at("Combo1").items.empty());
    });
    EXPECT_EQ(empty.messageBox.shown, std::vector<std::string>{"File not found"});
    EXPECT_TRUE(empty.desktop.quitCodes.empty());
}

// A package named in Windows-1252, as the game's tools write it, is removed by
// the name the user picked, and its file is found under the name Wine (UTF-8)
// or Windows (UTF-16) gives it on disk.
TEST(Form3, UninstallRemovesAPackageNamedInTheCodePage) {
    if (CodePage::system().number() != 1252) {
        GTEST_SKIP() << "the names are spelled for Windows-1252";
    }
    FormTestRig rig;
    const std::string manifest =
        "[Setup]\r\nGroup=R\xE4ume Pack\r\n\r\n"
        "[R\xE4ume Pack]\r\nFile=Maps\\DM-\xC9T\xC9.unr\r\n\r\n"
        "[Caf\xE9]\r\nFile=Maps\\Caf\xE9.unr\r\n\r\n";
    rig.makeFile("D:\\UT\\System\\Manifest.ini", manifest);
    const std::filesystem::path removed =
        rig.host(rig.makeFolder("D:\\UT\\Maps")) / FormTestRig::diskName("DM-\u00e9t\u00e9.unr");
    writeBytes(removed, "data");
    rig.makeFile("D:\\UT\\Maps\\Caf\xE9.unr", "data");
    rig.module.store(RememberedFolder::Game, "D:\\UT");
    Form3& form = rig.forms.form3();
    rig.whileShown(form, [&] {
        FakeComboBox& combo = FormTestRig::fake(form).comboBoxes.at("Combo1");
        EXPECT_EQ(combo.items, (std::vector<std::string>{"R\xE4ume Pack", "Caf\xE9"}));
        combo.text = combo.items[0];
        ASSERT_TRUE(std::filesystem::exists(removed));
        FormTestRig::fake(form).buttons.at("Command2").click();
        EXPECT_EQ(combo.items, std::vector<std::string>{"Caf\xE9"});
    });
    EXPECT_EQ(rig.messageBox.shown.size(), 1U);
    EXPECT_FALSE(std::filesystem::exists(removed));
    EXPECT_TRUE(std::filesystem::exists(rig.host("D:\\UT\\Maps\\Caf\xE9.unr")));
    EXPECT_EQ(readBytes(rig.host("D:\\UT\\System\\Manifest.ini")),
              "[Setup]\r\nGroup=R\xE4ume Pack\r\n\r\n"
              "[Caf\xE9]\r\nFile=Maps\\Caf\xE9.unr\r\n\r\n");
}

// The window stays for another try whatever the outcome. A name that is not
// installed, or a manifest that went away since the window opened, is
// reported and changes nothing.
TEST(Form3, UninstallRemovesThePackageOrReportsWhyNot) {
    const struct {
        const char* typed;
        bool removeManifest;
        const char* messageStart;
    } cases[] = {{"Foo Pack", false, "done"},
                 {"UnrealTournament", false, "No package named \"UnrealTournament\""},
                 {"Foo Pack", true, "File not found"}};
    for (const auto& uninstall : cases) {
        const bool removes = std::string(uninstall.messageStart) == "done";
        UninstallerRig rig;
        rig.withUninstaller([&](FakeWindow& window, FakeComboBox& combo) {
            if (uninstall.removeManifest) {
                std::filesystem::remove(rig.host("D:\\UT\\System\\Manifest.ini"));
            }
            combo.addItem("Foo Pack");  // the same name twice: every entry leaves
            combo.text = uninstall.typed;
            window.buttons.at("Command2").click();
            EXPECT_EQ(combo.items,
                      (removes ? std::vector<std::string>{"BarMaps"}
                               : std::vector<std::string>{"Foo Pack", "BarMaps", "Foo Pack"}));
            EXPECT_EQ(combo.text, removes ? "" : uninstall.typed);
            EXPECT_TRUE(window.shown);
        });
        ASSERT_EQ(rig.messageBox.shown.size(), 1U);
        EXPECT_TRUE(rig.messageBox.shown[0].starts_with(uninstall.messageStart))
            << rig.messageBox.shown[0];
        EXPECT_EQ(rig.exists("D:\\UT\\System\\Foo.u"), !removes);
        // Still listed by the base game, in another letter case.
        EXPECT_TRUE(rig.exists("D:\\UT\\System\\De.u"));
        EXPECT_TRUE(rig.exists("D:\\UT\\System\\Engine.u"));
        EXPECT_EQ(rig.exists("D:\\UT\\System\\manifest.bak"), removes);
        EXPECT_TRUE(rig.desktop.quitCodes.empty());
        if (removes) {
            EXPECT_EQ(rig.module.state().ChosenPackage, "Foo Pack");
            EXPECT_EQ(readBytes(rig.host("D:\\UT\\system\\manifest.bak")), Manifest);
            const std::string now = readBytes(rig.host("D:\\UT\\system\\manifest.ini"));
            EXPECT_EQ(now.find("[Foo Pack]"), std::string::npos);
            EXPECT_NE(now.find("[BarMaps]\r\nFile=Maps\\DM-Bar][.unr\r\n"), std::string::npos);
        }
    }
}

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
    EXPECT_FALSE(FormTestRig::fake(form).modal);  // not shown after all
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
