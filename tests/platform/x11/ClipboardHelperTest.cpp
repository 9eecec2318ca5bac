// Runs kestrix-clipboard against a real X server (with-xvfb.sh starts one
// without a clipboard manager) and looks at the clipboard as other programs
// do, after the process that set it has ended.

#include "platform/posix/HelperClipboardKeeper.h"
#include "platform/x11/SelectionClient.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

namespace kestrix {
namespace {

using namespace std::chrono_literals;

std::string helperPath() {
    const char* path = std::getenv("KESTRIX_CLIPBOARD_HELPER");
    return path != nullptr ? path : "";
}

// Starts the helper, waits for its first process to end and returns the id
// that it printed, that of the process that serves; -1 when it failed.
pid_t startHelper(const std::string& text, int seconds) {
    int output[2];
    if (pipe(output) != 0) {
        return -1;
    }
    const pid_t starter = fork();
    if (starter == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        const std::string bound = std::to_string(seconds);
        execl(helperPath().c_str(), "kestrix-clipboard", "--seconds", bound.c_str(), "--",
              text.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(output[1]);
    std::string printed;
    char buffer[64];
    for (ssize_t got = 0; (got = ::read(output[0], buffer, sizeof buffer)) > 0;) {
        printed.append(buffer, static_cast<std::size_t>(got));
    }
    close(output[0]);
    int status = 0;
    waitpid(starter, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || printed.empty()) {
        return -1;
    }
    return static_cast<pid_t>(std::stol(printed));
}

// Gone, or a zombie that no reaper has collected: either way it serves no
// more.
bool hasEnded(pid_t process) {
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return true;
    }
    const std::size_t state = line.rfind(')') + 2;
    return state < line.size() && (line[state] == 'Z' || line[state] == 'X');
}

bool endsWithin(pid_t process, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!hasEnded(process)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

class ClipboardHelperTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(helperPath().empty()) << "KESTRIX_CLIPBOARD_HELPER is not set";
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under with-xvfb.sh";
    }
    void TearDown() override {
        // Leaves the clipboard to nobody, so that no helper outlives its case.
        m_client.take("CLIPBOARD");
        for (const pid_t helper : m_helpers) {
            EXPECT_TRUE(endsWithin(helper, 5s)) << "a helper outlived its test";
        }
    }
    pid_t start(const std::string& text, int seconds = 60) {
        const pid_t helper = startHelper(text, seconds);
        if (helper > 0) {
            m_helpers.push_back(helper);
        }
        return helper;
    }

    SelectionClient m_client;
    std::vector<pid_t> m_helpers;
};

struct Paste {
    const char* text;
    const char* target;
    std::optional<SelectionClient::Contents> expected;
};

TEST_F(ClipboardHelperTest, servesTheTextInEachFormatAfterTheStarterHasEnded) {
    const Paste cases[] = {
        {R"(C:\UnrealTournament)", "UTF8_STRING", {{"UTF8_STRING", R"(C:\UnrealTournament)"}}},
        {R"(C:\UnrealTournament)", "STRING", {{"STRING", R"(C:\UnrealTournament)"}}},
        {R"(C:\UnrealTournament)", "TEXT", {{"STRING", R"(C:\UnrealTournament)"}}},
        {"Z:\\home\\j\xc3\xbcrgen\\UT",
         "UTF8_STRING",
         {{"UTF8_STRING", "Z:\\home\\j\xc3\xbcrgen\\UT"}}},
        // Latin-1 by definition, one byte for the u with diaeresis.
        {"Z:\\home\\j\xc3\xbcrgen\\UT", "STRING", {{"STRING", "Z:\\home\\j\xfcrgen\\UT"}}},
        // Characters outside Latin-1: no STRING rather than a wrong one, and
        // TEXT falls back to UTF-8.
        {"C:\\\xe6\xb8\xb8\xe6\x88\x8f", "STRING", std::nullopt},
        {"C:\\\xe6\xb8\xb8\xe6\x88\x8f", "TEXT", {{"UTF8_STRING", "C:\\\xe6\xb8\xb8\xe6\x88\x8f"}}},
        // A drive root keeps its trailing backslash; a leading dash stays text.
        {"-C:\\", "UTF8_STRING", {{"UTF8_STRING", "-C:\\"}}},
        {R"(C:\UT)", "image/png", std::nullopt},
    };
    for (const Paste& paste : cases) {
        SCOPED_TRACE(std::string(paste.text) + " as " + paste.target);
        ASSERT_GT(start(paste.text), 0);
        const std::optional<SelectionClient::Contents> got = m_client.read(paste.target);
        ASSERT_EQ(got.has_value(), paste.expected.has_value());
        if (got) {
            EXPECT_EQ(got->type, paste.expected->type);
            EXPECT_EQ(got->bytes, paste.expected->bytes);
        }
    }
}

TEST_F(ClipboardHelperTest, offersTheTargetsItServes) {
    ASSERT_GT(start(R"(C:\UT)"), 0);
    EXPECT_EQ(m_client.targets(),
              (std::vector<std::string>{"TARGETS", "TIMESTAMP", "UTF8_STRING", "TEXT", "STRING"}));
    m_client.take("CLIPBOARD");
    ASSERT_GT(start("C:\\\xe6\xb8\xb8"), 0);
    EXPECT_EQ(m_client.targets(),
              (std::vector<std::string>{"TARGETS", "TIMESTAMP", "UTF8_STRING", "TEXT"}));
}

TEST_F(ClipboardHelperTest, endsWhenAnotherProgramTakesTheClipboard) {
    const pid_t helper = start(R"(C:\UT)");
    ASSERT_GT(helper, 0);
    std::this_thread::sleep_for(300ms);
    ASSERT_FALSE(hasEnded(helper));
    SelectionClient other;
    other.take("CLIPBOARD");
    EXPECT_TRUE(endsWithin(helper, 5s));
    EXPECT_NE(m_client.owner("CLIPBOARD"), XCB_NONE);
}

TEST_F(ClipboardHelperTest, endsAtItsBound) {
    const auto started = std::chrono::steady_clock::now();
    const pid_t helper = start(R"(C:\UT)", 2);
    ASSERT_GT(helper, 0);
    std::this_thread::sleep_for(1s);
    ASSERT_FALSE(hasEnded(helper)) << "ended before its bound";
    ASSERT_TRUE(m_client.read("UTF8_STRING").has_value());
    EXPECT_TRUE(endsWithin(helper, 5s));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_EQ(m_client.owner("CLIPBOARD"), XCB_NONE);
}

TEST_F(ClipboardHelperTest, handsTheTextToAClipboardManagerOrKeepsItWhenRefused) {
    for (const bool managerSaves : {true, false}) {
        SCOPED_TRACE(managerSaves ? "the manager saves" : "the manager refuses");
        SelectionClient manager;
        manager.becomeManager();
        const pid_t helper = start(R"(C:\UT)");
        ASSERT_GT(helper, 0);
        const std::optional<std::string> saved = manager.handleSaveRequest(managerSaves, 5s);
        if (managerSaves) {
            EXPECT_EQ(saved, std::optional<std::string>(R"(C:\UT)"));
            EXPECT_TRUE(endsWithin(helper, 5s)) << "the helper stayed beside the manager";
        } else {
            std::this_thread::sleep_for(300ms);
            EXPECT_FALSE(hasEnded(helper));
            const std::optional<SelectionClient::Contents> pasted = m_client.read("UTF8_STRING");
            ASSERT_TRUE(pasted.has_value());
            EXPECT_EQ(pasted->bytes, R"(C:\UT)");
        }
        m_client.take("CLIPBOARD_MANAGER");
    }
}

TEST(HelperClipboardKeeperTest, keepsTheTextOnlyWhereTheHelperCanServeIt) {
    const std::string display = std::getenv("DISPLAY") != nullptr ? std::getenv("DISPLAY") : "";
    struct Case {
        const char* name;
        std::string display;
        std::string helper;
        bool serves;
        bool kept;
    };
    const Case cases[] = {
        {"an X display", display, helperPath(), true, true},
        {"no display: pure Wayland or none", "", helperPath(), false, false},
        {"the helper is not installed", display, "/nonexistent/kestrix-clipboard", false, false},
        // Found out only by trying: then KESTRIX sets the clipboard itself.
        {"the display does not answer", ":9876", helperPath(), true, false},
    };
    SelectionClient client;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        client.take("CLIPBOARD");
        setenv("DISPLAY", test.display.c_str(), 1);
        HelperClipboardKeeper keeper(test.helper, 5s);
        const bool serves = keeper.servesThisDesktop();
        const bool kept = keeper.keep(R"(C:\Games\UT)");
        setenv("DISPLAY", display.c_str(), 1);
        EXPECT_EQ(serves, test.serves);
        EXPECT_EQ(kept, test.kept);
        if (kept) {
            // keep() returns only once the helper owns the clipboard.
            const std::optional<SelectionClient::Contents> pasted = client.read("UTF8_STRING");
            ASSERT_TRUE(pasted.has_value());
            EXPECT_EQ(pasted->bytes, R"(C:\Games\UT)");
        }
    }
    client.take("CLIPBOARD");
}

}  // namespace
}  // namespace kestrix
