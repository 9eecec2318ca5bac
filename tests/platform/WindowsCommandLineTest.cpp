// The rows of tests/data/command-lines.tsv, read by Windows' own rules.
#include "platform/WindowsCommandLine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/PlatformError.h"

namespace kestrix {
namespace {

// Splits at separator; "<TAB>" in the file stands for a tab.
std::vector<std::string> fields(const std::string& line, char separator) {
    std::vector<std::string> parts(1);
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line.compare(at, 5, "<TAB>") == 0) {
            parts.back() += '\t';
            at += 4;
        } else if (line[at] == separator) {
            parts.emplace_back();
        } else {
            parts.back() += line[at];
        }
    }
    return parts;
}

std::vector<std::string> list(const std::string& joined) {
    return joined.empty() ? std::vector<std::string>{} : fields(joined, '|');
}

TEST(WindowsCommandLine, ReadsEachRowAsWindowsDoes) {
    std::ifstream rows(KESTRIX_TEST_DATA "/command-lines.tsv");
    int count = 0;
    for (std::string line; std::getline(rows, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        ++count;
        const std::vector<std::string> row = fields(line, '\t');
        SCOPED_TRACE(line);
        if (row[0] == "split") {
            EXPECT_EQ(WindowsCommandLine::splitArguments(row[1]), list(row[2]));
            continue;
        }
        const std::vector<std::string> existing = list(row[2]);
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
            EXPECT_EQ(tried, list(row[5]));
        }
    }
    EXPECT_EQ(count, 32);
}

}  // namespace
}  // namespace kestrix
