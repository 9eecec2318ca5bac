#include "platform/FilePattern.h"

#include <gtest/gtest.h>

#include "platform/Rows.h"

namespace kestrix {
namespace {

TEST(FilePatternTest, MatchesAsWindowsDoes) {
    const auto rows = rowsOf("file-patterns.tsv");
    for (const std::vector<std::string>& row : rows) {
        EXPECT_EQ(FilePattern::matches(row[0], row[1]), row[2] == "1") << row[0] << " ~ " << row[1];
    }
    EXPECT_EQ(rows.size(), 13U);
}

}  // namespace
}  // namespace kestrix
