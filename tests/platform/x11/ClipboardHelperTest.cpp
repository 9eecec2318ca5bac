// Runs kestrix-clipboard against a real X server (with-xvfb.sh starts one
// without a clipboard manager) and pastes with xclip, as other programs do,
// after the process that set the clipboard has ended.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/posix/HelperClipboardKeeper.h"

namespace kestrix {
namespace {

using namespace std::chrono_literals;

const std::string helper = std::getenv("KESTRIX_CLIPBOARD_HELPER");

// A command's output, or "failed" when it did not end well.
std::string output(const std::string& command) {
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    char buffer[256];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        text.append(buffer, got);
    }
    return ::pclose(pipe) == 0 ? text : "failed";
}

std::string paste(const std::string& target) {
    return output("xclip -o -selection clipboard -t " + target + " 2>/dev/null");
}

// Starts the helper; it prints the id of the process that serves.
pid_t start(const std::string& text, int seconds) {
    const std::string printed =
        output(helper + " --seconds " + std::to_string(seconds) + " -- '" + text + "'");
    return printed == "failed" ? -1 : static_cast<pid_t>(std::stol(printed));
}

bool endsWithin(pid_t process, std::chrono::milliseconds wait) {
    for (auto left = wait; left > 0ms; left -= 20ms) {
        if (::kill(process, 0) != 0) {
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

TEST(ClipboardHelper, ServesEachFormatUntilAnotherProgramTakesTheClipboardOrItsBound) {
    const struct {
        const char* text;
        const char* utf8;
        const char* string;  // Latin-1 by definition; none beyond it
        const char* targets;
    } cases[] = {
        {"C:\\UT", "C:\\UT", "C:\\UT", "TARGETS\nTIMESTAMP\nUTF8_STRING\nTEXT\nSTRING\n"},
        {"Z:\\j\xc3\xbcrgen\\", "Z:\\j\xc3\xbcrgen\\", "Z:\\j\xfcrgen\\", nullptr},
        {"-C:\\\xe6\xb8\xb8", "-C:\\\xe6\xb8\xb8", "failed",
         "TARGETS\nTIMESTAMP\nUTF8_STRING\nTEXT\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const pid_t server = start(c.text, 60);
        ASSERT_GT(server, 0);
        EXPECT_EQ(paste("UTF8_STRING"), c.utf8);
        EXPECT_EQ(paste("STRING"), c.string);
        EXPECT_EQ(paste("image/png"), "failed");
        if (c.targets != nullptr) {
            EXPECT_EQ(paste("TARGETS"), c.targets);
        }
        EXPECT_EQ(output("xclip -selection clipboard -i </dev/null >/dev/null 2>&1"), "");
        EXPECT_TRUE(endsWithin(server, 5s)) << "served on beside another owner";
    }
    const pid_t bounded = start("C:\\UT", 1);
    EXPECT_EQ(paste("UTF8_STRING"), "C:\\UT");
    EXPECT_TRUE(endsWithin(bounded, 5s)) << "served on past its bound";
}

TEST(HelperClipboardKeeper, KeepsTheTextOnlyWhereTheHelperCanServeIt) {
    const std::string display = std::getenv("DISPLAY");
    const struct {
        std::string display, helper;
        bool serves, kept;
    } cases[] = {
        {display, helper, true, true},
        {"", helper, false, false},  // pure Wayland, or no desktop
        {display, "/nonexistent/kestrix-clipboard", false, false},
        // Found out only by trying: KESTRIX then sets the clipboard itself.
        {":9876", helper, true, false},
    };
    for (const auto& c : cases) {
        const std::string text = "C:\\" + c.display + c.helper;
        ::setenv("DISPLAY", c.display.c_str(), 1);
        HelperClipboardKeeper keeper(c.helper, 5s);
        const bool serves = keeper.servesThisDesktop();
        const bool kept = keeper.keep(text);
        ::setenv("DISPLAY", display.c_str(), 1);
        EXPECT_EQ(serves, c.serves) << c.display << c.helper;
        EXPECT_EQ(kept, c.kept) << c.display << c.helper;
        // keep() returns only once the helper owns the clipboard.
        EXPECT_EQ(paste("UTF8_STRING") == text, c.kept);
    }
}

}  // namespace
}  // namespace kestrix
