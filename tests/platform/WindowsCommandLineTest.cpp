#include "platform/WindowsCommandLine.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"

namespace kestrix {
namespace {

using Arguments = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string_view line;
    Arguments expected;
};

class SplitArgumentsTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitArgumentsTest, SplitsAsWindowsDoes) {
    EXPECT_EQ(WindowsCommandLine::splitArguments(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitArgumentsTest,
    testing::Values(
        SplitCase{"Empty", "", {}}, SplitCase{"OnlyBlanks", " \t ", {}},
        SplitCase{
            "SetupLine", R"( install "D:\Mods\Foo.umod")", {"install", R"(D:\Mods\Foo.umod)"}},
        SplitCase{"BlanksInsideQuotes",
                  R"( install "D:\My Mods\Foo Bar.umod")",
                  {"install", R"(D:\My Mods\Foo Bar.umod)"}},
        SplitCase{"DriveRootKeepsDoubledSeparator",
                  R"( install "D:\\Foo.umod")",
                  {"install", R"(D:\\Foo.umod)"}},
        // An empty package name leaves one backslash before the closing
        // quote, which makes that quote literal.
        SplitCase{
            "OddBackslashesBeforeQuote", R"( install "D:\Mods\")", {"install", R"(D:\Mods")"}},
        SplitCase{"EvenBackslashesBeforeQuote", R"("a\\" b)", {R"(a\)", "b"}},
        SplitCase{"ThreeBackslashesBeforeQuote", R"(a\\\"b)", {R"(a\"b)"}},
        SplitCase{"FourBackslashesThenQuotedRun", R"(a\\\\"b c")", {R"(a\\b c)"}},
        SplitCase{"BackslashesNotBeforeQuote", R"(C:\UT\\\System\ x)", {R"(C:\UT\\\System\)", "x"}},
        SplitCase{"EmptyQuotedArgument", R"(a "" b)", {"a", "", "b"}},
        SplitCase{"QuotesJoinAdjacentText", R"(ab"c d"e f)", {"abc de", "f"}},
        SplitCase{"DoubledQuoteInsideQuotedRun", R"("a""b c" d)", {R"(a"b c)", "d"}},
        SplitCase{"UnclosedQuoteRunsToEnd", R"(x "a  b)", {"x", "a  b"}},
        SplitCase{"TabsSeparate", "a\tb \t c", {"a", "b", "c"}},
        SplitCase{"TrailingBlanks", "a b  \t ", {"a", "b"}},
        SplitCase{"TabInsideQuotes", "\"a\tb\"", {"a\tb"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

struct SearchCase {
    const char* name;
    std::string_view line;
    std::set<std::string> existing;
    std::string program;
    std::string rest;
    std::vector<std::string> tried;
};

class FindProgramTest : public testing::TestWithParam<SearchCase> {};

TEST_P(FindProgramTest, TriesCandidatesInWindowsOrder) {
    const SearchCase& c = GetParam();
    std::vector<std::string> tried;
    const WindowsCommandLine::FoundProgram found =
        WindowsCommandLine::findProgram(c.line, [&](std::string_view path) {
            tried.emplace_back(path);
            return c.existing.contains(std::string(path));
        });
    EXPECT_EQ(found.program, c.program);
    EXPECT_EQ(found.rest, c.rest);
    EXPECT_EQ(tried, c.tried);
}

const std::string kLongSetup = R"(C:\Program Files\UT\System\setup.exe)";
const std::string_view kLongLine =
    R"(C:\Program Files\UT\System\setup.exe install "D:\Mods\Foo.umod")";

INSTANTIATE_TEST_SUITE_P(
    Cases, FindProgramTest,
    testing::Values(SearchCase{"PrefixesAtBlanksShortestFirst",
                               kLongLine,
                               {kLongSetup},
                               kLongSetup,
                               R"( install "D:\Mods\Foo.umod")",
                               {R"(C:\Program.exe)", kLongSetup}},
                    SearchCase{"ShorterProgramWins",
                               kLongLine,
                               {R"(C:\Program.exe)", kLongSetup},
                               R"(C:\Program.exe)",
                               R"( Files\UT\System\setup.exe install "D:\Mods\Foo.umod")",
                               {R"(C:\Program.exe)"}},
                    SearchCase{"QuotedFirstTokenIsTakenWhole",
                               R"("C:\Program Files\UT\System\setup.exe" install)",
                               {R"(C:\Program.exe)", kLongSetup},
                               kLongSetup,
                               " install",
                               {kLongSetup}},
                    SearchCase{"QuotedNameGetsExe",
                               R"("C:\UT\System\setup"install)",
                               {R"(C:\UT\System\setup.exe)"},
                               R"(C:\UT\System\setup.exe)",
                               "install",
                               {R"(C:\UT\System\setup.exe)"}},
                    SearchCase{"UnclosedQuoteRunsToEnd",
                               R"("C:\UT\setup.exe)",
                               {R"(C:\UT\setup.exe)"},
                               R"(C:\UT\setup.exe)",
                               "",
                               {R"(C:\UT\setup.exe)"}},
                    SearchCase{"ExeAddedToNameWithoutExtension",
                               R"(C:\UT.old\System\setup install)",
                               {R"(C:\UT.old\System\setup.exe)"},
                               R"(C:\UT.old\System\setup.exe)",
                               " install",
                               {R"(C:\UT.old\System\setup.exe)"}},
                    SearchCase{"NameWithExtensionKeepsIt",
                               R"(C:\UT\System\setup.bat install)",
                               {R"(C:\UT\System\setup.bat)", R"(C:\UT\System\setup.bat.exe)"},
                               R"(C:\UT\System\setup.bat)",
                               " install",
                               {R"(C:\UT\System\setup.bat)"}},
                    SearchCase{"WholeLineIsLastCandidate",
                               R"(C:\UT Game\setup)",
                               {R"(C:\UT Game\setup.exe)"},
                               R"(C:\UT Game\setup.exe)",
                               "",
                               {R"(C:\UT.exe)", R"(C:\UT Game\setup.exe)"}},
                    SearchCase{"TabEndsPrefix",
                               "C:\\UT\\setup.exe\tinstall",
                               {R"(C:\UT\setup.exe)"},
                               R"(C:\UT\setup.exe)",
                               "\tinstall",
                               {R"(C:\UT\setup.exe)"}}),
    [](const testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

class ProgramNotFoundTest : public testing::TestWithParam<std::string_view> {};

TEST_P(ProgramNotFoundTest, RaisesFileNotFound) {
    try {
        WindowsCommandLine::findProgram(GetParam(), [](std::string_view) { return false; });
        FAIL() << "no program should be found in " << GetParam();
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::FileNotFound);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramNotFoundTest,
                         testing::Values(kLongLine, R"("C:\UT\setup.exe" install)", "  "));

TEST(FindProgramTest, EveryBlankGivesOneCandidateUntilTheWholeLine) {
    std::vector<std::string> tried;
    EXPECT_THROW(
        WindowsCommandLine::findProgram(R"(C:\UT\System\setup.exe install "D:\Mods\Foo.umod")",
                                        [&](std::string_view path) {
                                            tried.emplace_back(path);
                                            return false;
                                        }),
        PlatformError);
    const std::vector<std::string> expected{R"(C:\UT\System\setup.exe)",
                                            R"(C:\UT\System\setup.exe install)",
                                            R"(C:\UT\System\setup.exe install "D:\Mods\Foo.umod")"};
    EXPECT_EQ(tried, expected);
}

TEST(FindProgramTest, EmptyNameNamesNoProgram) {
    for (const std::string_view line : {"", R"("" install)", R"("")"}) {
        EXPECT_THROW(WindowsCommandLine::findProgram(line, [](std::string_view) { return true; }),
                     PlatformError)
            << line;
    }
}

}  // namespace
}  // namespace kestrix
