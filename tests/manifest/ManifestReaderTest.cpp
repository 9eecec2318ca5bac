#include "manifest/ManifestReader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "manifest/LineWriter.h"
#include "platform/ErrorNumber.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

using namespace std::string_literals;

using Line = std::pair<std::string, std::string>;  // text, raw

struct SplitCase {
    const char* name;
    std::string content;
    std::vector<Line> lines;
};

std::vector<Line> readAll(ManifestReader& reader) {
    std::vector<Line> lines;
    while (!reader.atEnd()) {
        const ManifestLine line = reader.next();
        lines.emplace_back(line.text, line.raw);
    }
    return lines;
}

class ManifestReaderSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ManifestReaderSplit, GivesEachLineWithAndWithoutItsLineEnd) {
    ManifestReader reader;
    reader.openText(GetParam().content);
    EXPECT_EQ(readAll(reader), GetParam().lines);
    try {
        reader.next();
        FAIL() << "read past the end";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InputPastEndOfFile);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ManifestReaderSplit,
    ::testing::Values(
        SplitCase{"EmptyFile", "", {}},
        SplitCase{"CrLfEndsTheFileWithoutAnEmptyLineAfter",
                  "[A]\r\nx=1\r\n",
                  {{"[A]", "[A]\r\n"}, {"x=1", "x=1\r\n"}}},
        SplitCase{"MixedLineEndsAndALastLineWithoutOne",
                  "a\nb\r\nc",
                  {{"a", "a\n"}, {"b", "b\r\n"}, {"c", "c"}}},
        SplitCase{"EmptyLines", "\r\n\n", {{"", "\r\n"}, {"", "\n"}}},
        SplitCase{"LoneCrBelongsToTheText", "a\rb\r\nc\r", {{"a\rb", "a\rb\r\n"}, {"c\r", "c\r"}}},
        SplitCase{"CrEndsLinesInAFileWithoutLf",
                  "[A]\rFile=a\r\rb",
                  {{"[A]", "[A]\r"}, {"File=a", "File=a\r"}, {"", "\r"}, {"b", "b"}}},
        SplitCase{"CommasQuotesTabsAnd8BitBytesStayWhole",
                  "Copy=(Src=A,Master=B)\t\"%Product%\" \xE9\xC3\xA9\0x\r\n"
                  "  \"quoted\",rest  \n"s,
                  {{"Copy=(Src=A,Master=B)\t\"%Product%\" \xE9\xC3\xA9\0x"s,
                    "Copy=(Src=A,Master=B)\t\"%Product%\" \xE9\xC3\xA9\0x\r\n"s},
                   {"  \"quoted\",rest  ", "  \"quoted\",rest  \n"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineWriter, WritesTheBytesAsTheyStandWithThePermissionsGiven) {
    TempFolder folder;
    HostFileOperations files;
    LineWriter writer(files);
    writer.create(folder.path() / "manifest.new", std::filesystem::perms::owner_read);
    writer.writeRaw("[A,B]\r\n");
    writer.writeRaw("kept,\"as is\"\n");
    writer.writeRaw("");
    writer.writeRaw("\r\n");
    writer.close();

    const std::string written = files.readFile(folder.path() / "manifest.new");
    ManifestReader reader;
    reader.openText(written);
    EXPECT_EQ(readAll(reader),
              (std::vector<Line>{
                  {"[A,B]", "[A,B]\r\n"}, {"kept,\"as is\"", "kept,\"as is\"\n"}, {"", "\r\n"}}));
    EXPECT_EQ(files.permissions(folder.path() / "manifest.new"),
              std::filesystem::perms::owner_read);
}

}  // namespace
}  // namespace kestrix
