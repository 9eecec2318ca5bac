// The rows of tests/data/launch-plans.tsv: the setup tool's command line,
// names beyond ASCII included (found under their UTF-8 names on disk and
// handed on in UTF-8, which Wine turns back into the same code page).
#include "platform/posix/LaunchPlan.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/PlatformError.h"
#include "platform/Rows.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

TEST(LaunchPlanTest, EachRowStartsAsItSays) {
    const auto rows = rowsOf("launch-plans.tsv");
    for (const std::vector<std::string>& row : rows) {
        SCOPED_TRACE(row[4]);
        const TempFolder root;
        const std::vector<std::string> files = listOf(row[1]);
        for (const std::string& file : files) {
            if (file.ends_with('/')) {
                fs::create_directories(root.path() / file);
            } else {
                writeBytes(root.path() / file, row[2]);
            }
        }
        const DriveTable drives(
            {{'C', root.path() / "c"}, {'D', root.path() / "d"}, {'E', root.path() / "e"}},
            root.path() / "c", CodePage::forNumber(static_cast<unsigned>(std::stoul(row[0]))));
        std::vector<std::string> asked;
        const auto plan = [&] {
            return LaunchPlan(
                row[4], drives, [&](std::string_view name) -> std::optional<fs::path> {
                    asked.emplace_back(name);
                    return row[3] == "1" ? std::optional<fs::path>("/usr/bin/wine") : std::nullopt;
                });
        };
        if (row[5].starts_with("raises")) {
            try {
                plan();
                ADD_FAILURE() << "no error";
            } catch (const PlatformError& error) {
                EXPECT_EQ("raises " + std::to_string(error.number()), row[5]);
                for (const std::string& words : listOf(row[6])) {
                    EXPECT_NE(error.description().find(words), std::string::npos) << words;
                }
            }
            continue;
        }
        const LaunchPlan launch = plan();
        std::vector<std::string> expected = listOf(row[6]);
        EXPECT_EQ(launch.hostProgram(), root.path() / files.front());
        EXPECT_EQ(launch.arguments(), row[7] == "=" ? expected : listOf(row[7]));
        if (row[5] == "wine") {
            EXPECT_EQ(launch.executable(), "/usr/bin/wine");
            EXPECT_EQ(asked, std::vector<std::string>{"wine"});
            expected.insert(expected.begin(), launch.hostProgram().string());
        } else {
            EXPECT_EQ(launch.executable(), launch.hostProgram());
        }
        EXPECT_EQ(launch.executableArguments(), expected);
    }
    EXPECT_EQ(rows.size(), 19U);
}

}  // namespace
}  // namespace kestrix
