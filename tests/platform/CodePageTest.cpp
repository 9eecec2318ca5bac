#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Utf8.h"

namespace kestrix {
namespace {

TEST(CodePageTest, ChosenFromTheLocaleAsWineChooses) {
    const std::vector<std::pair<std::string, unsigned>> cases = {
        {"de_DE.UTF-8", 1252},
        {"fr_FR", 1252},
        {"en_US.utf8", 1252},
        {"C", 1252},
        {"POSIX", 1252},
        {"C.UTF-8", 1252},
        {"", 1252},
        {"cs_CZ.UTF-8", 1250},
        {"pl_PL", 1250},
        {"hu_HU.UTF-8", 1250},
        {"sk_SK", 1250},
        {"sl_SI.UTF-8", 1250},
        {"hr_HR", 1250},
        {"ro_RO.UTF-8", 1250},
        {"sr_RS@latin", 1250},
        {"ru_RU.UTF-8", 1251},
        {"uk_UA", 1251},
        {"bg_BG.UTF-8", 1251},
        {"be_BY", 1251},
        {"sr_RS", 1251},
        {"RU_ru.UTF-8", 1251},
        {"ja_JP.UTF-8", 1252},
        {"zh_CN.UTF-8", 1252},
        {"ko_KR.EUC-KR", 1252},
        // Kashubian, not Czech: the whole language counts, not its first letters.
        {"csb_PL", 1252},
    };
    for (const auto& [locale, number] : cases) {
        EXPECT_EQ(CodePage::forLocale(locale).number(), number) << locale;
    }
    EXPECT_EQ(CodePage::forNumber(1250).number(), 1250U);
    EXPECT_EQ(CodePage::forNumber(932).number(), 1252U);
    EXPECT_EQ(CodePage::windows1251().name(), "Windows-1251");
}

TEST(CodePageTest, EveryByteDecodesAndEncodesBackToItself) {
    for (const CodePage* codePage :
         {&CodePage::windows1250(), &CodePage::windows1251(), &CodePage::windows1252()}) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            EXPECT_EQ(codePage->encode(codePage->decode(c)), c) << codePage->name() << " " << byte;
        }
    }
    EXPECT_EQ(CodePage::windows1252().decode('\x80'), U'\u20AC');
    EXPECT_EQ(CodePage::windows1251().decode('\xC6'), U'\u0416');
    EXPECT_EQ(CodePage::windows1250().decode('\xA3'), U'\u0141');
    // Left undefined by Windows, decoded as Windows decodes it.
    EXPECT_EQ(CodePage::windows1252().decode('\x81'), U'\u0081');
    EXPECT_EQ(CodePage::windows1252().encode(U'\u0416'), std::nullopt);
}

struct CasePair {
    const CodePage& codePage;
    const char* capital;
    const char* small;
    bool same;
};

TEST(CodePageTest, FoldsCaseAcrossTheWholeCodePage) {
    const CodePage& latin1 = CodePage::windows1252();
    const CodePage& central = CodePage::windows1250();
    const CodePage& cyrillic = CodePage::windows1251();
    const std::vector<CasePair> cases = {
        {latin1, "CAF\xC9", "caf\xE9", true},              // É é
        {latin1, "\xD6L", "\xF6l", true},                  // Ö ö
        {latin1, "\x8A\x8C\x8E", "\x9A\x9C\x9E", true},    // Š Œ Ž
        {latin1, "\x9F", "\xFF", true},                    // Ÿ ÿ
        {latin1, "\xD7", "\xF7", false},                   // × ÷ are no letters
        {latin1, "SS", "\xDF", false},                     // ß has no capital of its own
        {latin1, "\xA3", "\xB3", false},                   // £ ³
        {central, "\xA3\xA5\xBC", "\xB3\xB9\xBE", true},   // Ł Ą Ľ
        {central, "\x8C\xAF\xD8", "\x9C\xBF\xF8", true},   // Ś Ż Ř
        {cyrillic, "\xC6\xC4", "\xE6\xE4", true},          // Ж Д
        {cyrillic, "\xA8\x81\xB2", "\xB8\x83\xB3", true},  // Ё Ѓ І
        {cyrillic, "\xA5\xA1\xA3", "\xB4\xA2\xBC", true},  // Ґ Ў Ј
        {cyrillic, "\xC0", "\xE1", false},
    };
    for (const CasePair& pair : cases) {
        EXPECT_EQ(pair.codePage.equalsIgnoringCase(pair.capital, pair.small), pair.same)
            << pair.codePage.name() << " " << pair.capital;
        if (pair.same) {
            EXPECT_EQ(pair.codePage.foldCase(pair.capital), pair.small) << pair.capital;
        }
    }
    EXPECT_FALSE(latin1.equalsIgnoringCase("caf\xE9", "caf"));
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

TEST(Utf8Test, TakesOnlyWellFormedSequences) {
    const std::vector<std::pair<std::string, std::optional<char32_t>>> cases = {
        {"a", U'a'},
        {"é", U'é'},
        {"€", U'€'},
        {"\xF0\x9F\x8E\xAE", U'\U0001F3AE'},
        {"\xC3", std::nullopt},              // cut short
        {"\xC3(", std::nullopt},             // no continuation
        {"\xC0\x80", std::nullopt},          // overlong NUL
        {"\xE0\x80\xAF", std::nullopt},      // overlong "/"
        {"\xED\xA0\x80", std::nullopt},      // a surrogate
        {"\xF4\x90\x80\x80", std::nullopt},  // past U+10FFFF
        {"\x80", std::nullopt},
        {"\xFF", std::nullopt},
    };
    for (const auto& [bytes, expected] : cases) {
        std::size_t at = 0;
        EXPECT_EQ(Utf8::decodeNext(bytes, at), expected) << bytes;
        EXPECT_EQ(at, expected ? bytes.size() : 0U) << bytes;
        if (expected) {
            std::string encoded;
            Utf8::append(encoded, *expected);
            EXPECT_EQ(encoded, bytes);
        }
    }
}

}  // namespace
}  // namespace kestrix
