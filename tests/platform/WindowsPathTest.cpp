#include "platform/WindowsPath.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kestrix {
namespace {

TEST(WindowsPathTest, ComponentsIgnoreDoubledAndMixedSeparators) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"C:\\UT\\System", {"C:", "UT", "System"}},
        {"\\\\UT//System\\/x\\", {"UT", "System", "x"}},
        {"system/manifest.ini", {"system", "manifest.ini"}},
        {"..\\.", {"..", "."}},
        {"", {}},
        {"\\/", {}},
    };
    for (const auto& [path, names] : cases) {
        EXPECT_EQ(WindowsPath::components(path), names) << path;
    }
}

TEST(WindowsPathTest, DriveLetterIsUpperCaseLetterBeforeColon) {
    const std::vector<std::pair<std::string, std::optional<char>>> cases = {
        {"c:", 'C'},
        {"C:\\UT", 'C'},
        {"z:/", 'Z'},
        {"1:", std::nullopt},
        {"", std::nullopt},
        {"C", std::nullopt},
        {"UT\\c:", std::nullopt},
        {"::", std::nullopt},
    };
    for (const auto& [path, letter] : cases) {
        EXPECT_EQ(WindowsPath::driveLetter(path), letter) << path;
    }
}

TEST(WindowsPathTest, CaseIsFoldedAsWindowsFoldsFileNames) {
    EXPECT_TRUE(WindowsPath::equalsIgnoringCase("System\\Manifest.INI", "system\\manifest.ini"));
    EXPECT_TRUE(WindowsPath::equalsIgnoringCase("", ""));
    EXPECT_FALSE(WindowsPath::equalsIgnoringCase("System", "Systems"));
    EXPECT_FALSE(WindowsPath::equalsIgnoringCase("System", "Syst"));
    // "Ä" and "ä" in Windows-1250 and 1252, "Д" and "д" in 1251: a capital
    // and its small letter in every code page carried.
    EXPECT_TRUE(WindowsPath::equalsIgnoringCase("\xC4", "\xE4"));
    EXPECT_EQ(WindowsPath::foldCase("UT-Mod_2.UMOD"), "ut-mod_2.umod");
    EXPECT_TRUE(WindowsPath::isSeparator('/'));
    EXPECT_TRUE(WindowsPath::isSeparator('\\'));
    EXPECT_FALSE(WindowsPath::isSeparator(':'));
}

}  // namespace
}  // namespace kestrix
