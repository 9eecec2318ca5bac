#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace kestrix {

// A field of values with separator between them ("" holds none); "<TAB>"
// stands for a tab and "<xHH>" for the byte HH.
inline std::vector<std::string> listOf(const std::string& joined, char separator = '|') {
    std::vector<std::string> parts(joined.empty() ? 0 : 1);
    for (std::size_t at = 0; at < joined.size(); ++at) {
        if (joined.compare(at, 5, "<TAB>") == 0) {
            parts.back() += '\t';
            at += 4;
        } else if (joined.compare(at, 2, "<x") == 0 && at + 4 < joined.size() &&
                   joined[at + 4] == '>') {
            parts.back() += static_cast<char>(std::stoi(joined.substr(at + 2, 2), nullptr, 16));
            at += 4;
        } else if (joined[at] == separator) {
            parts.emplace_back();
        } else {
            parts.back() += joined[at];
        }
    }
    return parts;
}

// The rows of a tab-separated file under tests/data, "#" lines left out.
inline std::vector<std::vector<std::string>> rowsOf(const std::string& name) {
    std::ifstream file(KESTRIX_TEST_DATA "/" + name, std::ios::binary);
    EXPECT_TRUE(file.is_open()) << name;
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line[0] != '#') {
            rows.push_back(listOf(line, '\t'));
        }
    }
    return rows;
}

}  // namespace kestrix
