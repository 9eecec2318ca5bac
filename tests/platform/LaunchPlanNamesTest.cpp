// The setup tool's command line with names beyond ASCII: the program is found
// under its UTF-8 name on disk, and its arguments reach it in UTF-8, which
// Wine turns back into the same code page.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/posix/LaunchPlan.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

struct Launch {
    const CodePage& codePage;
    std::string commandLine;
    const char* program;  // on disk, under C:
    std::vector<std::string> hostArguments;
};

TEST(LaunchPlanNamesTest, AccentedPathsReachTheToolIntact) {
    const std::vector<Launch> cases = {
        {CodePage::windows1252(),
         "C:\\Jeux \xE9t\xE9\\UT\\System\\setup.exe install \"C:\\Jeux \xE9t\xE9\\R\xE4ume "
         "Pack.umod\"",
         "Jeux été/UT/System/setup.exe",
         {"install", "C:\\Jeux été\\Räume Pack.umod"}},
        {CodePage::windows1251(),
         "C:\\\xC8\xE3\xF0\xFB\\UT\\system\\SETUP.EXE install \"D:\\\xCC\xEE\xE4.umod\"",
         "Игры/UT/System/setup.exe",
         {"install", "D:\\Мод.umod"}},
        {CodePage::windows1250(),
         "C:\\\xA3\xF3\x64\x9F\\UT\\System\\setup.exe install \"C:\\Gry\\Mapa \x9Cwiat.umod\"",
         "Łódź/UT/System/setup.exe",
         {"install", "C:\\Gry\\Mapa świat.umod"}},
    };
    for (const Launch& launch : cases) {
        const TempFolder drive;
        writeBytes(drive.path() / launch.program, std::string("MZ\x90\0", 4));
        const DriveTable drives({{'C', drive.path()}, {'D', drive.path()}}, drive.path(),
                                launch.codePage);
        const LaunchPlan plan(launch.commandLine, drives,
                              [](std::string_view) { return fs::path("/usr/bin/wine"); });

        std::vector<std::string> expected{(drive.path() / launch.program).string()};
        expected.insert(expected.end(), launch.hostArguments.begin(), launch.hostArguments.end());
        EXPECT_EQ(plan.executable(), "/usr/bin/wine");
        EXPECT_EQ(plan.executableArguments(), expected) << launch.commandLine;
        // The Windows texts themselves stay as the command line has them.
        EXPECT_EQ(plan.arguments().back(), *launch.codePage.fromUtf8(launch.hostArguments.back()));
    }
}

}  // namespace
}  // namespace kestrix
