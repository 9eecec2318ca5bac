#include <gtest/gtest.h>

#include <stdexcept>

#include "app/CenterOnScreen.h"
#include "app/Module1.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "support/FakeDesktop.h"
#include "support/MemorySettingsStore.h"
#include "support/RecordingClipboard.h"
#include "support/RecordingMessageBox.h"
#include "support/RecordingProcessLauncher.h"
#include "views/FormLayout.h"

using namespace kestrix;

namespace {

struct Module1Rig {
    MemorySettingsStore settings;
    RecordingMessageBox messageBox;
    RecordingClipboard clipboard;
    RecordingProcessLauncher processLauncher;
    DriveTable drives{{}, "/"};
    HostFileOperations files;
    FakeDesktop desktop;
    Module1 module{{settings, messageBox, clipboard, processLauncher, drives, files}, desktop};
};

// Half twips are kept: the layouts were drawn for the unrounded position.
TEST(CenterOnScreen, MovesTheOuterFrameToHalfTheFreeSpace) {
    const struct {
        TwipsSize screen;
        TwipsSize window;
        std::pair<float, float> expected;
    } cases[] = {{{19200, 14400}, {5730, 4500}, {6735.0f, 4950.0f}},
                 {{19200, 14400}, {5835, 4275}, {6682.5f, 5062.5f}},
                 {{4000, 3000}, {5000, 3000}, {-500.0f, 0.0f}}};
    for (const auto& centring : cases) {
        FakeDesktop desktop;
        FakeWindow window(desktop, FormLayout{"", 0, 0, {}});
        window.screen = centring.screen;
        window.outer = centring.window;
        CenterOnScreen(window);
        EXPECT_EQ(window.movedTo, centring.expected);
    }
}

TEST(Module1, ReportsAnUntrappedErrorWithItsNumberAndEndsWithCodeOne) {
    const struct {
        std::function<void()> handler;
        const char* report;
    } cases[] = {
        {[] { throw PlatformError(ErrorNumber::PathNotFound); },
         "Run-time error '76':\n\nPath not found"},
        {[] { throw std::runtime_error("bad state"); }, "Run-time error '51':\n\nbad state"},
        {[] { throw 42; }, "Run-time error '51':\n\nInternal error"}};
    for (const auto& untrapped : cases) {
        Module1Rig rig;
        rig.module.runHandler(untrapped.handler);
        EXPECT_EQ(rig.messageBox.shown, std::vector<std::string>{untrapped.report});
        EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{1});
        EXPECT_TRUE(rig.module.programEnding());
    }
}

TEST(Module1, EndHidesEveryWindowEndsOnceAndNoHandlerRunsAfterIt) {
    Module1Rig rig;
    const FormViews views = rig.desktop.create({"", 0, 0, {}});
    views.window().show();
    rig.module.EndProgram();
    EXPECT_FALSE(static_cast<FakeWindow&>(views.window()).shown);
    bool ran = false;
    rig.module.runHandler([&ran] { ran = true; });
    rig.module.EndProgram();
    rig.module.FatalErrorReport(PlatformError(ErrorNumber::FileNotFound));
    EXPECT_FALSE(ran);
    EXPECT_EQ(rig.desktop.quitCodes, std::vector<int>{0});
    EXPECT_TRUE(rig.messageBox.shown.empty());
}

TEST(Module1, StoresTheTwoDirectoriesUnderTheApplicationsNameAndTheirSections) {
    Module1Rig rig;
    EXPECT_TRUE(rig.module.stored(RememberedFolder::Game).empty());
    rig.module.store(RememberedFolder::Game, "C:\\UT");
    rig.module.store(RememberedFolder::Package, "D:\\Mods");
    // Earlier versions stored them under these names, so they must not change.
    EXPECT_EQ(rig.settings.get("KESTRIX", "UTPath", "Path"), "C:\\UT");
    EXPECT_EQ(rig.settings.get("KESTRIX", "UMODPath", "Path"), "D:\\Mods");
    EXPECT_EQ(rig.settings.values.size(), 2U);
    EXPECT_EQ(rig.module.stored(RememberedFolder::Game), "C:\\UT");
    EXPECT_EQ(rig.module.stored(RememberedFolder::Package), "D:\\Mods");
}

}  // namespace
