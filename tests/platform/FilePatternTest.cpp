#include "platform/FilePattern.h"

#include <gtest/gtest.h>

namespace kestrix {
namespace {

struct Case {
    const char* name;
    const char* pattern;
    bool matches;
};

class FilePatternTest : public ::testing::TestWithParam<Case> {};

TEST_P(FilePatternTest, MatchesAsWindowsDoes) {
    const Case& c = GetParam();
    EXPECT_EQ(FilePattern::matches(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilePatternTest,
    ::testing::Values(Case{"Foo.umod", "*.umod", true}, Case{"FOO.UMOD", "*.umod", true},
                      Case{".umod", "*.umod", true}, Case{"Foo.umod.bak", "*.umod", false},
                      Case{"Foo.umo", "*.umod", false}, Case{"a.b.umod", "*.umod", true},
                      Case{"x.umodumod", "*umod", true}, Case{"Foo.u", "Foo.?", true},
                      Case{"Foo.", "Foo.?", false}, Case{"a*b", "a*b", true},
                      Case{"anything", "*", true}, Case{"", "*", true}, Case{"", "?", false}));

}  // namespace
}  // namespace kestrix
