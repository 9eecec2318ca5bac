// Names beyond ASCII between the Windows texts, in the code page, and a Linux
// disk that holds them in UTF-8 as Wine does.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

class DriveTableNamesTest : public ::testing::Test {
protected:
    DriveTableNamesTest() {
        for (const char* file : {"UT/Maps/DM-Été.unr", "UT/Maps/café.unr", "UT/Textures/é.utx",
                                 "UT/Räume Pack/Readme.txt", "UT/Caf\xE9/Old.umod",
                                 "UT/Игры/Мод.umod", "UT/Łódź/Mapa.unr"}) {
            writeBytes(m_drive.path() / file, "x");
        }
    }
    DriveTable table(const CodePage& codePage) const {
        return DriveTable({Drive{'C', m_drive.path()}}, m_drive.path(), codePage);
    }
    fs::path ut() const { return m_drive.path() / "UT"; }

    TempFolder m_drive;
};

TEST_F(DriveTableNamesTest, CodePageTextsFindTheirUtf8NamesInAnyCase) {
    const DriveTable latin1 = table(CodePage::windows1252());
    const std::vector<std::pair<std::string, fs::path>> cases = {
        {"C:\\UT\\Maps\\DM-\xC9t\xE9.unr", ut() / "Maps/DM-Été.unr"},
        {"C:\\ut\\maps\\dm-\xE9t\xE9.UNR", ut() / "Maps/DM-Été.unr"},
        {"C:\\UT\\Maps\\DM-\xC9T\xC9.unr", ut() / "Maps/DM-Été.unr"},
        {"C:\\UT\\MAPS\\CAF\xC9.UNR", ut() / "Maps/café.unr"},
        {"C:\\UT\\Textures\\\xC9.utx", ut() / "Textures/é.utx"},
        {"c:\\ut\\r\xC4UME PACK\\readme.txt", ut() / "Räume Pack/Readme.txt"},
        // A Latin-1 name on disk, by its escape in either case.
        {"C:\\UT\\Caf?E9\\Old.umod", ut() / "Caf\xE9/Old.umod"},
        {"C:\\UT\\caf?e9\\old.umod", ut() / "Caf\xE9/Old.umod"},
        // A file about to be made is named in UTF-8, as Wine would name it.
        {"C:\\UT\\Maps\\N\xE9w.unr", ut() / "Maps/Néw.unr"},
        // "e" is not "é".
        {"C:\\UT\\Maps\\cafe.unr", ut() / "Maps/cafe.unr"},
    };
    for (const auto& [windowsPath, host] : cases) {
        EXPECT_EQ(latin1.toHost(windowsPath), host) << windowsPath;
    }
    const DriveTable central = table(CodePage::windows1250());
    EXPECT_EQ(central.toHost("C:\\UT\\\xB3\xD3\x44\x8F\\MAPA.UNR"), ut() / "Łódź/Mapa.unr");
    const DriveTable cyrillic = table(CodePage::windows1251());
    EXPECT_EQ(cyrillic.toHost("C:\\UT\\\xE8\xe3\xf0\xfb\\\xCC\xCE\xC4.umod"),
              ut() / "Игры/Мод.umod");
}

TEST_F(DriveTableNamesTest, DiskNamesBecomeCodePageTextsAndMapBackToTheSameBytes) {
    const DriveTable latin1 = table(CodePage::windows1252());
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {ut() / "Maps/DM-Été.unr", "C:\\UT\\Maps\\DM-\xC9t\xE9.unr"},
        {ut() / "Räume Pack", "C:\\UT\\R\xE4ume Pack"},
        {ut() / "Caf\xE9" / "Old.umod", "C:\\UT\\Caf?E9\\Old.umod"},
    };
    for (const auto& [host, windowsPath] : cases) {
        EXPECT_EQ(latin1.toWindows(host), windowsPath) << host;
        EXPECT_EQ(latin1.toHost(windowsPath), host) << windowsPath;
    }
    EXPECT_EQ(latin1.nameOf("Räume Pack"), "R\xE4ume Pack");
    EXPECT_EQ(latin1.nameOf("Игры"), std::nullopt);
    EXPECT_EQ(table(CodePage::windows1251()).toWindows(ut() / "Игры"), "C:\\UT\\\xC8\xE3\xF0\xFB");
}

TEST_F(DriveTableNamesTest, ANameTheCodePageCannotWriteIsReportedNeverGarbled) {
    const DriveTable latin1 = table(CodePage::windows1252());
    try {
        latin1.toWindows(ut() / "Игры" / "Мод.umod");
        FAIL() << "a Cyrillic name has no Windows-1252 text";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::BadFileName);
        EXPECT_NE(
            error.description().find(
                "\"C:\\UT\\<U+0418><U+0433><U+0440><U+044B>\\<U+041C><U+043E><U+0434>.umod\""),
            std::string::npos)
            << error.description();
        EXPECT_NE(error.description().find("Windows-1252"), std::string::npos);
    }
    // No Windows-1252 text reaches it, not even one whose escapes spell its
    // UTF-8 bytes.
    EXPECT_EQ(latin1.toHost("C:\\UT\\?D0?98?D0?B3?D1?80?D1?8B"), ut() / "?D0?98?D0?B3?D1?80?D1?8B");
    EXPECT_EQ(latin1.toHost("C:\\UT\\????"), ut() / "????");
}

}  // namespace
}  // namespace kestrix
