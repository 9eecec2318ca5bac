#include "platform/posix/ClipboardHelperCommand.h"
#include "platform/x11/SelectionText.h"

#include <gtest/gtest.h>

#include "platform/PlatformError.h"

namespace kestrix {
namespace {

using namespace std::chrono_literals;

std::vector<std::string_view> views(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

TEST(ClipboardHelperCommandTest, theHelperReadsBackWhatKestrixBuilds) {
    struct Case {
        std::string text;
        std::chrono::seconds bound;
    };
    const Case cases[] = {
        {R"(C:\UnrealTournament)", ClipboardHelperCommand::DefaultBound},
        {R"(C:\)", 5s},
        // Texts that look like options stay texts.
        {"--seconds", 1s},
        {"--", 7s},
        {"", 3600s},
        {std::string(ClipboardHelperCommand::MaxTextBytes, 'x'), 60s},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text.substr(0, 40));
        const ClipboardHelperCommand built("/usr/bin/kestrix-clipboard", test.text, test.bound);
        const std::vector<std::string> arguments = built.arguments();
        const ClipboardHelperCommand read =
            ClipboardHelperCommand::parse(built.program(), views(arguments));
        EXPECT_EQ(read.text(), test.text);
        EXPECT_EQ(read.bound(), test.bound);
    }
}

TEST(ClipboardHelperCommandTest, theBoundIsAnHourUnlessGiven) {
    EXPECT_EQ(ClipboardHelperCommand::DefaultBound, 3600s);
    const std::vector<std::string> arguments{"--", R"(C:\UT)"};
    EXPECT_EQ(ClipboardHelperCommand::parse("kestrix-clipboard", views(arguments)).bound(), 3600s);
}

TEST(ClipboardHelperCommandTest, rejectsWhatItDoesNotBuild) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {R"(C:\UT)"},
        {"--seconds", "10", R"(C:\UT)"},
        {"--seconds", "--", R"(C:\UT)"},
        {"--seconds", "0", "--", R"(C:\UT)"},
        {"--seconds", "-5", "--", R"(C:\UT)"},
        {"--seconds", "10s", "--", R"(C:\UT)"},
        {"--seconds"},
        {"--", "one", "two"},
        {"--", std::string(ClipboardHelperCommand::MaxTextBytes + 1, 'x')},
    };
    for (const std::vector<std::string>& arguments : cases) {
        SCOPED_TRACE(arguments.empty() ? "(none)" : arguments.front());
        EXPECT_THROW(ClipboardHelperCommand::parse("kestrix-clipboard", views(arguments)),
                     PlatformError);
    }
}

TEST(ClipboardHelperCommandTest, runsOnlyWhereThereIsAnXDisplay) {
    EXPECT_TRUE(ClipboardHelperCommand::forDisplay(":0", "helper", "C:\\").has_value());
    EXPECT_TRUE(ClipboardHelperCommand::forDisplay("host:1.0", "helper", "C:\\").has_value());
    EXPECT_FALSE(ClipboardHelperCommand::forDisplay("", "helper", "C:\\").has_value());
    EXPECT_FALSE(ClipboardHelperCommand::forDisplay(nullptr, "helper", "C:\\").has_value());
}

TEST(SelectionTextTest, latin1HoldsOnlyWhatItCanSay) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {R"(C:\UT)", R"(C:\UT)"},
        {"", ""},
        {"\xc2\x80", "\x80"},
        {"\xc3\xbc", "\xfc"},
        {"\xc3\xbf", "\xff"},
        {"\xc4\x80", std::nullopt},          // U+0100, the first beyond Latin-1
        {"\xe6\xb8\xb8", std::nullopt},      // a CJK character
        {"\xf0\x9f\x98\x80", std::nullopt},  // outside the BMP
        {"a\xc3", std::nullopt},             // cut short
        {"\xc3(", std::nullopt},             // no continuation byte
    };
    for (const auto& [utf8, latin1] : cases) {
        SCOPED_TRACE(utf8);
        EXPECT_EQ(utf8ToLatin1(utf8), latin1);
    }
}

}  // namespace
}  // namespace kestrix
