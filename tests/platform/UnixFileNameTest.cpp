#include "platform/posix/UnixFileName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePage.h"

namespace kestrix {
namespace {

TEST(UnixFileNameTest, EveryDiskNameMapsToOneWindowsTextAndBack) {
    const CodePage& latin1 = CodePage::windows1252();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Manifest.ini", "Manifest.ini"},
        {"é.utx", "\xE9.utx"},
        {"Räume Pack", "R\xE4ume Pack"},
        {"€uro", "\x80uro"},
        // Latin-1 bytes, as an old archive may have left them.
        {"Caf\xE9", "Caf?E9"},
        {"\xFF\xFE", "?FF?FE"},
        {"\xC3", "?C3"},
        {"\xC3\xC3\xA9", "?C3\xE9"},
        // The escape's own character, and the Windows separator, are escaped.
        {"Why?", "Why?3F"},
        {"?E9", "?3FE9"},
        {"a\\b", "a?5Cb"},
    };
    for (const auto& [disk, windows] : cases) {
        EXPECT_EQ(UnixFileName::toWindows(disk, latin1), windows) << disk;
        EXPECT_EQ(UnixFileName::fromWindows(windows, latin1), disk) << windows;
    }
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

TEST(UnixFileNameTest, TextsTheMappingNeverWritesAreTakenAsTheyStand) {
    const CodePage& latin1 = CodePage::windows1252();
    const std::vector<std::pair<std::string, std::string>> cases = {
        // Escapes spelling "é" and "И" would reach names whose own texts differ.
        {"?C3?A9", "?C3?A9"}, {"?D0?98", "?D0?98"}, {"?e9", "?e9"},
        {"?", "?"},           {"a?Z1", "a?Z1"},     {"100%?", "100%?"},
    };
    for (const auto& [windows, disk] : cases) {
        EXPECT_EQ(UnixFileName::fromWindows(windows, latin1), disk) << windows;
    }
}

}  // namespace
}  // namespace kestrix
