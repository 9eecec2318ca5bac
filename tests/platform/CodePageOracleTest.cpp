// The code page tables and their case folding checked against the C
// library's own conversion and Unicode data, which were written apart from
// them.
#include <gtest/gtest.h>
#include <iconv.h>

#include <clocale>
#include <cwctype>
#include <optional>

#include "platform/CodePage.h"

namespace kestrix {
namespace {

std::optional<char32_t> decodedByIconv(const char* codePage, char byte) {
    const iconv_t converter = iconv_open("UTF-32LE", codePage);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "the C library has no " << codePage;
        return std::nullopt;
    }
    char in[1] = {byte};
    unsigned char out[4] = {};
    char* inAt = in;
    char* outAt = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (out[3] << 24));
}

struct Table {
    const CodePage& codePage;
    const char* iconvName;
};

TEST(CodePageOracleTest, TablesAgreeWithTheCLibraryAndFoldAsUnicodeLowersCase) {
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    for (const Table& table :
         {Table{CodePage::windows1250(), "CP1250"}, Table{CodePage::windows1251(), "CP1251"},
          Table{CodePage::windows1252(), "CP1252"}}) {
        int letters = 0;
        for (unsigned byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            const char32_t unicode = table.codePage.decode(c);
            // A byte the library leaves undefined is the control character of
            // its number, as Windows reads it.
            EXPECT_EQ(unicode, decodedByIconv(table.iconvName, c).value_or(byte))
                << table.iconvName << " " << byte;
            const auto lower = static_cast<char32_t>(std::towlower(static_cast<wint_t>(unicode)));
            const char expected = table.codePage.encode(lower).value_or(c);
            EXPECT_EQ(table.codePage.foldCase(c), expected) << table.iconvName << " " << byte;
            letters += expected != c ? 1 : 0;
        }
        // Every code page has its accented capitals, not ASCII's alone.
        EXPECT_GT(letters, 26 + 20) << table.iconvName;
    }
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
}  // namespace kestrix
