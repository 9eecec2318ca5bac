#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace kestrix {

// The rows of a tab-separated file under tests/data, lines starting with "#"
// left out. In a field "<TAB>" stands for a tab and "<xHH>" for the byte HH.
inline std::vector<std::vector<std::string>> rowsOf(const std::string& name) {
    std::ifstream file(KESTRIX_TEST_DATA "/" + name, std::ios::binary);
    EXPECT_TRUE(file.is_open()) << name;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string>& row = rows.emplace_back(1);
        for (std::size_t at = 0; at < line.size(); ++at) {
            if (line.compare(at, 5, "<TAB>") == 0) {
                row.back() += '\t';
                at += 4;
            } else if (line.compare(at, 2, "<x") == 0 && at + 4 < line.size() &&
                       line[at + 4] == '>') {
                row.back() += static_cast<char>(std::stoi(line.substr(at + 2, 2), nullptr, 16));
                at += 4;
            } else if (line[at] == '\t') {
                row.emplace_back();
            } else {
                row.back() += line[at];
            }
        }
    }
    return rows;
}

// A field of joined values ("" for none).
inline std::vector<std::string> listOf(const std::string& joined, char separator = '|') {
    std::vector<std::string> parts;
    for (std::size_t from = 0; !joined.empty() && from <= joined.size();) {
        const std::size_t to = (std::min)(joined.find(separator, from), joined.size());
        parts.push_back(joined.substr(from, to - from));
        from = to + 1;
    }
    return parts;
}

}  // namespace kestrix
