#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Rows.h"
#include "platform/Utf8.h"

namespace kestrix {
namespace {

TEST(CodePageTest, EachRowAsTheCodePagesHaveIt) {
    std::size_t count = 0;
    for (const std::vector<std::string>& row : rowsOf("code-pages.tsv")) {
        SCOPED_TRACE(row[1]);
        if (row[0] == "locale") {
            EXPECT_EQ(CodePage::forLocale(row[1]).number(), std::stoul(row[2]));
        } else if (row[0] == "case") {
            const CodePage& codePage =
                CodePage::forNumber(static_cast<unsigned>(std::stoul(row[1])));
            EXPECT_EQ(codePage.equalsIgnoringCase(row[2], row[3]), row[4] == "1");
            if (row[4] == "1") {
                EXPECT_EQ(codePage.foldCase(row[2]), row[3]);
            }
        } else {
            std::size_t at = 0;
            const std::optional<char32_t> decoded = Utf8::decodeNext(row[1], at);
            EXPECT_EQ(decoded, row[2] == "-"
                                   ? std::nullopt
                                   : std::optional<char32_t>(std::stoul(row[2], nullptr, 16)));
            EXPECT_EQ(at, decoded ? row[1].size() : 0U);
            std::string encoded;
            Utf8::append(encoded, decoded.value_or(0));
            EXPECT_TRUE(!decoded || encoded == row[1]);
        }
        ++count;
    }
    EXPECT_EQ(count, 47U);
    EXPECT_EQ(CodePage::forNumber(1250).number(), 1250U);
    EXPECT_EQ(CodePage::forNumber(932).number(), 1252U);
}

TEST(CodePageTest, EveryByteDecodesAndEncodesBackToItself) {
    for (const CodePage* codePage :
         {&CodePage::windows1250(), &CodePage::windows1251(), &CodePage::windows1252()}) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            EXPECT_EQ(codePage->encode(codePage->decode(c)), c) << codePage->name() << " " << byte;
        }
    }
    EXPECT_EQ(CodePage::windows1252().encode(U'\u0416'), std::nullopt);
}

TEST(CodePageTest, ConvertsToAndFromUtf8ForTheWindows) {
    const CodePage& latin1 = CodePage::windows1252();
    EXPECT_EQ(latin1.toUtf8("R\xE4ume Pack"), "Räume Pack");
    EXPECT_EQ(latin1.fromUtf8("DM-Été.unr"), "DM-\xC9t\xE9.unr");
    EXPECT_EQ(CodePage::windows1251().fromUtf8("Игры"), "\xC8\xE3\xF0\xFB");
    // Nothing rather than a look-alike: neither text names anything here.
    EXPECT_EQ(latin1.fromUtf8("Игры"), std::nullopt);
    EXPECT_EQ(latin1.fromUtf8("Caf\xE9"), std::nullopt);
    // Messages always convert, with what is missing spelled out.
    EXPECT_EQ(latin1.describe("Ré? Игр\xE9"), "R\xE9? <U+0418><U+0433><U+0440><E9>");
    EXPECT_EQ(CodePage::windows1251().describe("Игр"), "\xC8\xE3\xF0");
}

}  // namespace
}  // namespace kestrix
