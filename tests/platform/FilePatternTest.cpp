#include "platform/FilePattern.h"

#include <gtest/gtest.h>

#include "platform/Rows.h"

namespace kestrix {
namespace {

struct FilePatternRows {
    std::string answer(const std::vector<std::string>& row) const {
        return FilePattern::matches(row[0], row[1]) ? "1" : "0";
    }
};

TEST(FilePatternTest, MatchesAsWindowsDoes) {
    checkRows<FilePatternRows>("file-patterns.tsv", 13);
}

}  // namespace
}  // namespace kestrix
