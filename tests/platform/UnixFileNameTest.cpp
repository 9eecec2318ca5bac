#include "platform/posix/UnixFileName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Rows.h"

namespace kestrix {
namespace {

TEST(UnixFileNameTest, EveryDiskNameMapsToOneWindowsTextAndBack) {
    const CodePage& latin1 = CodePage::windows1252();
    const auto rows = rowsOf("unix-file-names.tsv");
    for (const std::vector<std::string>& row : rows) {
        const std::string& windows = row[0] == "both" ? row[2] : row[1];
        if (row[0] == "both") {
            EXPECT_EQ(UnixFileName::toWindows(row[1], latin1), windows) << row[1];
        }
        EXPECT_EQ(UnixFileName::fromWindows(windows, latin1), row[1]) << windows;
    }
    EXPECT_EQ(rows.size(), 17U);
}

TEST(UnixFileNameTest, ANameTheCodePageCannotWriteHasNoWindowsText) {
    EXPECT_EQ(UnixFileName::toWindows("Игры", CodePage::windows1252()), std::nullopt);
    EXPECT_EQ(UnixFileName::toWindows("Łódź", CodePage::windows1252()), std::nullopt);
    EXPECT_EQ(UnixFileName::toWindows("Игры", CodePage::windows1251()), "\xC8\xE3\xF0\xFB");
    EXPECT_EQ(UnixFileName::toWindows("Łódź", CodePage::windows1250()), "\xA3\xF3\x64\x9F");
    EXPECT_EQ(UnixFileName::describe("Мой UT", CodePage::windows1252()),
              "<U+041C><U+043E><U+0439> UT");
    EXPECT_EQ(UnixFileName::describe("Caf\xE9 Игр", CodePage::windows1252()),
              "Caf?E9 <U+0418><U+0433><U+0440>");
}

}  // namespace
}  // namespace kestrix
