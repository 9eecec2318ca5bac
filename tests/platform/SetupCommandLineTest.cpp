#include "platform/SetupCommandLine.h"

#include <gtest/gtest.h>

#include "platform/WindowsCommandLine.h"

namespace kestrix {
namespace {

struct Example {
    const char* gameDir;
    const char* packageDir;
    const char* packageFile;
    const char* commandLine;
};

class SetupCommandLineTest : public ::testing::TestWithParam<Example> {};

TEST_P(SetupCommandLineTest, JoinsThePartsAsTheyStand) {
    const Example& example = GetParam();
    EXPECT_EQ(setupCommandLine(example.gameDir, example.packageDir, example.packageFile).joined(),
              example.commandLine);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SetupCommandLineTest,
    ::testing::Values(
        Example{"C:\\UT", "D:\\Mods", "Foo.umod",
                "C:\\UT\\System\\setup.exe install \"D:\\Mods\\Foo.umod\""},
        Example{"C:\\", "D:\\", "Foo.umod", "C:\\\\System\\setup.exe install \"D:\\\\Foo.umod\""},
        Example{"C:\\Program Files\\UT", "D:\\My Mods", "Foo Bar.umod",
                "C:\\Program Files\\UT\\System\\setup.exe install \"D:\\My Mods\\Foo Bar.umod\""},
        Example{"C:\\UT", "D:\\Mods", "", "C:\\UT\\System\\setup.exe install \"D:\\Mods\\\""}));

// What the setup tool receives from such a line, split as Windows splits it:
// the package path with its blanks is one argument.
TEST(SetupCommandLineArguments, PackagePathWithBlanksIsOneArgument) {
    const std::string line = setupCommandLine("C:\\UT", "D:\\My Mods", "Foo Bar.umod").joined();
    const auto found = WindowsCommandLine::findProgram(
        line, [](std::string_view path) { return path == "C:\\UT\\System\\setup.exe"; });
    EXPECT_EQ(WindowsCommandLine::splitArguments(found.rest),
              (std::vector<std::string>{"install", "D:\\My Mods\\Foo Bar.umod"}));
}

}  // namespace
}  // namespace kestrix
