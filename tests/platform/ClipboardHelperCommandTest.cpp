#include "platform/posix/ClipboardHelperCommand.h"

#include <gtest/gtest.h>

#include "platform/PlatformError.h"
#include "platform/Rows.h"
#include "platform/x11/SelectionText.h"

namespace kestrix {
namespace {

using namespace std::chrono_literals;

std::vector<std::string_view> views(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

// Builds the helper's command as KESTRIX does and has the helper read it back.
void expectReadBack(const std::string& text, std::chrono::seconds bound) {
    const ClipboardHelperCommand built("/usr/bin/kestrix-clipboard", text, bound);
    const std::vector<std::string> arguments = built.arguments();
    const auto read = ClipboardHelperCommand::parse(built.program(), views(arguments));
    EXPECT_EQ(read.text(), text);
    EXPECT_EQ(read.bound(), bound);
}

TEST(ClipboardHelperCommandTest, EachRowAsTheHelperHasIt) {
    const auto rows = rowsOf("clipboard-helper.tsv");
    for (const std::vector<std::string>& row : rows) {
        SCOPED_TRACE(row[1]);
        if (row[0] == "latin1") {
            EXPECT_EQ(utf8ToLatin1(row[1]),
                      row[2] == "-" ? std::nullopt : std::optional<std::string>(row[2]));
        } else if (row[0] == "reject") {
            EXPECT_THROW(ClipboardHelperCommand::parse("kestrix-clipboard", views(listOf(row[1]))),
                         PlatformError);
        } else {
            expectReadBack(row[1], row[2] == "-" ? ClipboardHelperCommand::DefaultBound
                                                 : std::chrono::seconds(std::stoi(row[2])));
        }
    }
    EXPECT_EQ(rows.size(), 20U);
    const std::string longest(ClipboardHelperCommand::MaxTextBytes, 'x');
    expectReadBack(longest, 60s);
    EXPECT_THROW(ClipboardHelperCommand::parse("kestrix-clipboard", views({"--", longest + "x"})),
                 PlatformError);
}

}  // namespace
}  // namespace kestrix
