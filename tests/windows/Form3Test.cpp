#include <gtest/gtest.h>

#include <filesystem>

#include "support/FormTestRig.h"
#include "windows/Form1.h"
#include "windows/Form3.h"

using namespace kestrix;

namespace {

// A game folder on D: with a manifest and the file of its package Foo Pack,
// stored as the game directory the way Form1 leaves it; the uninstaller is
// opened and the step run while it is shown. What a removal does to the
// game folder is the removal's own tests' concern.
void withUninstaller(FormTestRig& rig, const std::function<void(FakeWindow&, FakeControl&)>& step) {
    rig.makeFile("D:\\UT\\System\\Manifest.ini",
                 "[Setup]\r\nMasterProduct=UnrealTournament\r\nGroup=UnrealTournament\r\n"
                 "Group=Foo Pack\r\nGroup=BarMaps\r\n\r\n[Foo Pack]\r\nFile=Foo.u\r\n\r\n"
                 "[BarMaps]\r\nFile=..\\Bar.unr\r\n");  // outside the game folder
    rig.makeFile("D:\\UT\\Foo.u", "data");
    rig.module.store(RememberedFolder::Game, "D:\\UT");
    Form3& form = rig.forms.form3();
    rig.whileShown(form, [&] {
        step(FormTestRig::fake(form), FormTestRig::fake(form).controls.at("Combo1"));
    });
}

// Closed by its frame and opened again, the list does not grow; a missing
// manifest is reported and the window opens empty.
TEST(Form3, LoadListsTheInstalledPackagesOnceWithNothingChosen) {
    FormTestRig rig;
    for (int opening = 0; opening < 2; ++opening) {
        withUninstaller(rig, [&](FakeWindow& window, FakeControl& combo) {
            EXPECT_TRUE(window.shown);
            EXPECT_EQ(combo.items, (std::vector<std::string>{"Foo Pack", "BarMaps"}));
            EXPECT_EQ(combo.text, "");
        });
    }
    EXPECT_TRUE(rig.messages.empty());
    std::filesystem::remove(rig.host("D:\\UT\\System\\Manifest.ini"));
    rig.whileShown(rig.forms.form3(), [&] {
        EXPECT_TRUE(FormTestRig::fake(rig.forms.form3()).shown);
        EXPECT_TRUE(FormTestRig::fake(rig.forms.form3()).controls.at("Combo1").items.empty());
    });
    EXPECT_EQ(rig.messages, std::vector<std::string>{"File not found"});
    EXPECT_TRUE(rig.quitCodes.empty());
}

// The window stays for another try whatever the outcome. A name that is not
// installed, or a manifest that went away since the window opened, is
// reported and changes nothing.
TEST(Form3, UninstallRemovesThePackageOrReportsWhyNot) {
    const std::pair<std::string, std::string> cases[] = {
        {"Foo Pack", "done"},
        {"UnrealTournament", "No package named \"UnrealTournament\""},
        {"BarMaps", "The package \"BarMaps\" was not removed"},
        {"Foo Pack", "File not found"}};  // the manifest went away
    for (const auto& [typed, messageStart] : cases) {
        const bool removes = messageStart == "done";
        FormTestRig rig;
        withUninstaller(rig, [&](FakeWindow& window, FakeControl& combo) {
            if (messageStart == "File not found") {
                std::filesystem::remove(rig.host("D:\\UT\\System\\Manifest.ini"));
            }
            combo.addItem(typed);  // the same name twice: every entry leaves
            combo.text = typed;
            window.controls.at("Command2").click();
            EXPECT_EQ(combo.items,
                      (removes ? std::vector<std::string>{"BarMaps"}
                               : std::vector<std::string>{"Foo Pack", "BarMaps", typed}));
            EXPECT_EQ(combo.text, removes ? "" : typed);
            EXPECT_TRUE(window.shown);
        });
        ASSERT_EQ(rig.messages.size(), 1U);
        EXPECT_TRUE(rig.messages[0].starts_with(messageStart)) << rig.messages[0];
        EXPECT_EQ(std::filesystem::exists(rig.host("D:\\UT\\Foo.u")), !removes);
        EXPECT_TRUE(rig.quitCodes.empty());
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
        mainShownInstead =
            shown.shown && shown.owner == &form.window() && !FormTestRig::fake(form).shown;
        FormTestRig::fake(main).hide();  // gone without ending the program
    });
    EXPECT_TRUE(mainShownInstead);
    EXPECT_FALSE(FormTestRig::fake(form).owner);  // not shown after all
    EXPECT_TRUE(rig.quitCodes.empty());
}

}  // namespace
