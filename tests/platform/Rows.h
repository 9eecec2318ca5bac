#pragma once

#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "support/ErrorNumberOf.h"

namespace kestrix {

// A field of values with separator between them ("" holds none); "<xHH>"
// stands for the byte HH.
inline std::vector<std::string> listOf(const std::string& field, char separator = '|') {
    std::vector<std::string> parts(field.empty() ? 0 : 1);
    for (std::size_t at = 0; at < field.size(); ++at) {
        if (field.compare(at, 2, "<x") == 0 && at + 4 < field.size() && field[at + 4] == '>') {
            parts.back() += static_cast<char>(std::stoi(field.substr(at + 2, 2), nullptr, 16));
            at += 4;
        } else if (field[at] == separator) {
            parts.emplace_back();
        } else {
            parts.back() += field[at];
        }
    }
    return parts;
}

// The texts with "|" between them, as listOf reads them, or another separator.
inline std::string joined(const std::vector<std::string>& texts,
                          const std::string& separator = "|") {
    std::string all;
    for (const std::string& text : texts) {
        all += (&text == &texts.front() ? "" : separator) + text;
    }
    return all;
}

// A number's digits in a base, as the tables write numbers.
inline std::string digitsOf(unsigned number, int base) {
    char digits[16] = {};
    std::to_chars(digits, digits + sizeof digits - 1, number, base);
    return digits;
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

// Checks the rows of a table under tests/data: what an Answers object gives for
// each (or "raises N" for the error number it raises) must be the row's last
// column. A "case" row starts a fresh Answers object for the rows after it, on
// "both" systems or on this one ("posix", "windows") alone.
template <typename Answers>
void checkRows(const std::string& name, std::size_t count) {
    const std::vector<std::vector<std::string>> rows = rowsOf(name);
    std::optional<Answers> current(std::in_place);
    for (const std::vector<std::string>& row : rows) {
        ASSERT_GE(row.size(), 2U) << name << ": a row without its answer";
        if (row[0] == "case") {
            EXPECT_TRUE(row[1] == "both" || row[1] == "posix" || row[1] == "windows") << row[1];
            current.reset();
            // Windows is the system whose paths are written with backslashes.
            const bool windows = std::filesystem::path::preferred_separator == '\\';
            if (row[1] == "both" || row[1] == (windows ? "windows" : "posix")) {
                current.emplace();
            }
        } else if (current) {
            SCOPED_TRACE(row[0] + " " + row[1]);
            std::string answer;
            const int error = errorNumberOf([&] { answer = current->answer(row); });
            EXPECT_EQ(error == 0 ? answer : "raises " + std::to_string(error), row.back());
        }
    }
    EXPECT_EQ(rows.size(), count) << name;
}

}  // namespace kestrix
