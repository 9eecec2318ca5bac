// The rows of tests/data/command-lines.tsv, read by Windows' own rules.
#include "platform/WindowsCommandLine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/Rows.h"

namespace kestrix {
namespace {

TEST(WindowsCommandLine, ReadsEachRowAsWindowsDoes) {
    const auto rows = rowsOf("command-lines.tsv");
    for (const std::vector<std::string>& row : rows) {
        SCOPED_TRACE(row[1]);
        if (row[0] == "split") {
            EXPECT_EQ(WindowsCommandLine::splitArguments(row[1]), listOf(row[2]));
            continue;
        }
        const std::vector<std::string> existing = listOf(row[2]);
        const std::set<std::string> files(existing.begin(), existing.end());
        std::vector<std::string> tried;
        std::string found;
        try {
            const auto program =
                WindowsCommandLine::findProgram(row[1], [&](std::string_view path) {
                    tried.emplace_back(path);
                    return files.contains("*") || files.contains(std::string(path));
                });
            found = program.program + "\t" + program.rest;
        } catch (const PlatformError& error) {
            found = "raises " + std::to_string(error.number()) + "\t";
        }
        EXPECT_EQ(found, row[3] + "\t" + row[4]);
        if (!files.contains("*") && row[5] != "*") {
            EXPECT_EQ(tried, listOf(row[5]));
        }
    }
    EXPECT_EQ(rows.size(), 32U);
}

}  // namespace
}  // namespace kestrix
