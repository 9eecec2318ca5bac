// The rows of tests/data/command-lines.tsv: command lines read by Windows'
// own rules and, on Linux, started as Windows would start them, and the
// clipboard helper's, which KESTRIX builds and the helper reads.
#include "platform/WindowsCommandLine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/Rows.h"

#ifndef _WIN32
#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/posix/ClipboardHelperCommand.h"
#include "platform/posix/LaunchPlan.h"
#include "platform/x11/SelectionText.h"
#include "support/TempFolder.h"
#endif

namespace kestrix {
namespace {

#ifndef _WIN32
std::vector<std::string_view> views(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

// Builds the helper's command as KESTRIX does and has the helper read it back.
std::string readBack(const std::string& text, std::chrono::seconds bound) {
    const ClipboardHelperCommand built("/usr/bin/kestrix-clipboard", text, bound);
    const std::vector<std::string> arguments = built.arguments();
    const auto read = ClipboardHelperCommand::parse(built.program(), views(arguments));
    return read.text() + " " + std::to_string(read.bound().count());
}

// How a "launch" row's command line starts, with its files on the test drives.
std::string launched(const std::vector<std::string>& row) {
    namespace fs = std::filesystem;
    const TempFolder root;
    for (const std::string& file : listOf(row[2])) {
        if (file.ends_with('/')) {
            fs::create_directories(root.path() / file);
        } else {
            writeBytes(root.path() / file, row[3]);
        }
    }
    const DriveTable drives(
        {{'C', root.path() / "c"}, {'D', root.path() / "d"}, {'E', root.path() / "e"}},
        root.path() / "c", CodePage::forNumber(static_cast<unsigned>(std::stoul(row[1]))));
    try {
        const LaunchPlan plan(row[5], drives, [&](std::string_view name) {
            return row[4] == "1" ? std::optional<fs::path>("/usr/bin" / fs::path(name))
                                 : std::nullopt;
        });
        std::string started = plan.executable().string() + " " +
                              joined(plan.executableArguments()) + " / " + joined(plan.arguments());
        // The program's folder is the test's own: the rows give it from the root down.
        for (std::size_t at; (at = started.find(root.path().string() + "/")) != started.npos;) {
            started.erase(at, root.path().string().size() + 1);
        }
        return started;
    } catch (const PlatformError& error) {
        for (const std::string& words : listOf(row[6])) {
            EXPECT_NE(error.description().find(words), std::string::npos) << words;
        }
        throw;
    }
}
#endif

struct CommandLineRows {
    std::string answer(const std::vector<std::string>& row) const {
#ifndef _WIN32
        if (row[0] == "launch") {
            return launched(row);
        }
        if (row[0] == "helper") {
            return readBack(row[1], row[2] == "-" ? ClipboardHelperCommand::DefaultBound
                                                  : std::chrono::seconds(std::stoi(row[2])));
        }
        if (row[0] == "refused") {
            ClipboardHelperCommand::parse("kestrix-clipboard", views(listOf(row[1])));
            return "accepted";
        }
        if (row[0] == "latin1") {
            return utf8ToLatin1(row[1]).value_or("-");
        }
#endif
        if (row[0] == "split") {
            return joined(WindowsCommandLine::splitArguments(row[1]));
        }
        const std::vector<std::string> existing = listOf(row[2]);
        const std::set<std::string> files(existing.begin(), existing.end());
        std::vector<std::string> tried;
        std::string found;
        try {
            const auto program =
                WindowsCommandLine::findProgram(row[1], [&](std::string_view path) {
                    tried.emplace_back(path);
                    return files.contains("*") || files.contains(std::string(path));
                });
            found = program.program + " [" + program.rest + "]";
        } catch (const PlatformError& error) {
            found = "raises " + std::to_string(error.number());
        }
        return files.contains("*") ? found : found + " tried [" + joined(tried) + "]";
    }
};

TEST(WindowsCommandLine, ReadsEachRowAsWindowsDoes) {
    checkRows<CommandLineRows>("command-lines.tsv", 73);
#ifndef _WIN32
    const std::string longest(ClipboardHelperCommand::MaxTextBytes, 'x');
    EXPECT_EQ(readBack(longest, std::chrono::seconds(60)), longest + " 60");
    EXPECT_THROW(ClipboardHelperCommand::parse("kestrix-clipboard", views({"--", longest + "x"})),
                 PlatformError);
#endif
}

}  // namespace
}  // namespace kestrix
