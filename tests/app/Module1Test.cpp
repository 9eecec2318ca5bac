#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ErrorNumber.h"
#include "support/FormTestRig.h"

using namespace kestrix;

namespace {

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
        FormTestRig rig;
        rig.module.runHandler(untrapped.handler);
        EXPECT_EQ(rig.messages, std::vector<std::string>{untrapped.report});
        EXPECT_EQ(rig.quitCodes, std::vector<int>{1});
        EXPECT_TRUE(rig.module.programEnding());
    }
}

TEST(Module1, EndHidesEveryWindowEndsOnceAndNoHandlerRunsAfterIt) {
    FormTestRig rig;
    const FormViews views = rig.create({"", 0, 0, {}});
    views.window().show();
    rig.module.EndProgram();
    EXPECT_FALSE(static_cast<FakeWindow&>(views.window()).shown);
    bool ran = false;
    rig.module.runHandler([&ran] { ran = true; });
    rig.module.EndProgram();
    rig.module.FatalErrorReport(PlatformError(ErrorNumber::FileNotFound));
    EXPECT_FALSE(ran);
    EXPECT_EQ(rig.quitCodes, std::vector<int>{0});
    EXPECT_TRUE(rig.messages.empty());
}

TEST(Module1, StoresTheTwoDirectoriesUnderTheApplicationsNameAndTheirSections) {
    FormTestRig rig;
    rig.module.store(RememberedFolder::Game, "C:\\UT");
    rig.module.store(RememberedFolder::Package, "D:\\Mods");
    // Earlier versions stored them under these names, so they must not change.
    EXPECT_EQ(rig.get("KESTRIX", "UTPath", "Path"), "C:\\UT");
    EXPECT_EQ(rig.get("KESTRIX", "UMODPath", "Path"), "D:\\Mods");
    EXPECT_EQ(rig.module.stored(RememberedFolder::Game), "C:\\UT");
}

}  // namespace
