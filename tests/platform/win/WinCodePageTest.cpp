// The code page against Windows' own conversions and comparisons, and the
// texts of the Windows side in it.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/ErrorNumber.h"
#include "platform/win/Utf16.h"
#include "platform/win/WinTempFolder.h"
#include "support/ErrorNumberOf.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

TEST(WinCodePage, TheSystemsIsTheAnsiCodePageAndAgreesWithWindows) {
    const unsigned acp = GetACP();
    if (acp != 1250 && acp != 1251 && acp != 1252) {
        GTEST_SKIP() << "the ANSI code page " << acp << " is not carried";
    }
    const CodePage& codePage = CodePage::system();
    ASSERT_EQ(codePage.number(), acp);
    std::wstring wide[256];
    for (unsigned byte = 0; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        wide[byte] = Utf16::fromCodePage(text);
        ASSERT_EQ(wide[byte].size(), 1U) << byte;
        EXPECT_EQ(static_cast<char32_t>(wide[byte][0]), codePage.decode(text[0])) << byte;
        EXPECT_EQ(Utf16::toCodePage(wide[byte]), text) << byte;
    }
    // Windows' own comparison of file names, byte against byte.
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = a + 1; b < 256; ++b) {
            const bool windowsSays =
                CompareStringOrdinal(wide[a].c_str(), 1, wide[b].c_str(), 1, TRUE) == CSTR_EQUAL;
            EXPECT_EQ(codePage.equalsIgnoringCase(std::string(1, static_cast<char>(a)),
                                                  std::string(1, static_cast<char>(b))),
                      windowsSays)
                << a << " " << b;
        }
    }
}

TEST(WinCodePage, TextsAndFoldersTheCodePageCannotWriteAreRefusedAndSpelledOut) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
    }
    EXPECT_EQ(Utf16::toCodePage(L"R\u00e4ume Pack"), "R\xE4ume Pack");
    EXPECT_EQ(Utf16::toCodePage(L"\u0418\u0433\u0440\u044b"), std::nullopt);
    // A system set to UTF-8 (65001) writes every character, but no lone
    // surrogate. Windows refuses there the flags and the default-character
    // arguments of 8-bit code pages, which Wine lets pass.
    const Utf16::WideToBytes wine = Utf16::useConversion(
        [](unsigned page, unsigned long flags, const wchar_t* text, int size, char* bytes,
           int capacity, const char* defaultChar, int* usedDefault) {
            if (page == CP_UTF8 && ((flags & ~WC_ERR_INVALID_CHARS) != 0 ||
                                    defaultChar != nullptr || usedDefault != nullptr)) {
                SetLastError(ERROR_INVALID_FLAGS);
                return 0;
            }
            return WideCharToMultiByte(page, flags, text, size, bytes, capacity, defaultChar,
                                       usedDefault);
        });
    EXPECT_EQ(Utf16::toCodePage(L"\u0141ukasz", CP_UTF8), "\xC5\x81ukasz");
    EXPECT_EQ(Utf16::toCodePage(std::wstring(1, L'\xD800'), CP_UTF8), std::nullopt);
    Utf16::useConversion(wine);
    // No best fit: "ā" is not quietly written as "a".
    EXPECT_EQ(Utf16::toCodePage(L"M\u0101ori"), std::nullopt);
    EXPECT_EQ(Utf16::describe(L"Jeux \u00e9t\u00e9 \u0418\U0001F3AE"),
              "Jeux \xE9t\xE9 <U+0418><U+1F3AE>");

    // Folders whose names it writes map both ways; others are refused.
    const WinTempFolder temp;
    const fs::path accented = temp.path() / L"R\u00e4ume Pack";
    const fs::path cyrillic = temp.path() / L"\u0418\u0433\u0440\u044b";
    fs::create_directories(accented);
    fs::create_directories(cyrillic);
    const DriveTable table = DriveTable::fromSystem();

    const std::string text = temp.text() + "\\R\xE4ume Pack";
    EXPECT_EQ(table.toWindows(accented), text);
    EXPECT_EQ(table.toHost(text), accented);
    EXPECT_TRUE(fs::is_directory(table.toHost(temp.text() + "\\r\xC4UME PACK")));
    EXPECT_EQ(table.nameOf(cyrillic.filename()), std::nullopt);
    EXPECT_EQ(errorNumberOf([&] { table.toWindows(cyrillic); }), ErrorNumber::BadFileName);
}

}  // namespace
}  // namespace kestrix
