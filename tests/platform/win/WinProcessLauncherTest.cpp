#include "platform/win/WinProcessLauncher.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/SetupCommandLine.h"
#include "platform/WindowsPath.h"
#include "platform/win/Utf16.h"
#include "platform/win/WinTempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

// What the stand-in recorded: its own file, the line it was given and the
// arguments as the runtime split it.
struct Started {
    std::string program;
    std::string commandLine;
    std::vector<std::string> arguments;
};

fs::path besideThisTest(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / name;
}

// The stand-in runs on its own; it is given a generous while, since Wine
// starts a process slowly on a busy machine.
std::optional<Started> waitForRecord(const fs::path& record) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(record)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const std::string bytes = readBytes(record);
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()),
                            bytes.size() / sizeof(wchar_t));
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
         start = end + 1) {
        lines.push_back(Utf16::describe(text.substr(start, end - start)));
    }
    if (lines.size() < 2) {
        return std::nullopt;
    }
    return Started{lines[0], lines[1], std::vector<std::string>(lines.begin() + 2, lines.end())};
}

int errorNumberOf(const std::string& commandLine) {
    try {
        WinProcessLauncher().start(commandLine);
    } catch (const PlatformError& error) {
        EXPECT_FALSE(error.description().empty());
        return error.number();
    }
    return 0;
}

class WinProcessLauncherTest : public ::testing::Test {
protected:
    WinProcessLauncherTest()
        : m_gameDir(m_temp.text() + "\\Game Folder With Blanks"),
          m_setup(m_temp.path() / L"Game Folder With Blanks" / L"System" / L"setup.exe") {}

    void installStandIn() {
        fs::create_directories(m_setup.parent_path());
        fs::copy_file(besideThisTest(L"setup_stand_in.exe"), m_setup);
    }

    WinTempFolder m_temp;
    std::string m_gameDir;
    fs::path m_setup;
};

TEST_F(WinProcessLauncherTest, FindsTheToolUnderBlanksAndPassesInstallAndTheQuotedPackage) {
    installStandIn();
    const std::string package = m_temp.text() + "\\Downloaded Mods\\Foo Pack.umod";
    const std::string line =
        setupCommandLine(m_gameDir, m_temp.text() + "\\Downloaded Mods", "Foo Pack.umod");

    WinProcessLauncher().start(line);

    const std::optional<Started> started = waitForRecord(m_setup.parent_path() / L"arguments.txt");
    ASSERT_TRUE(started.has_value()) << "the setup tool did not start";
    EXPECT_TRUE(
        WindowsPath::equalsIgnoringCase(started->program, m_gameDir + "\\System\\setup.exe"))
        << started->program;
    // Windows hands the line over as it stands; Wine puts quotes around the
    // program path it found. What follows the program is the same on both.
    const std::string tail = " install \"" + package + "\"";
    EXPECT_TRUE(started->commandLine.ends_with(tail)) << started->commandLine;
    // The program's own runtime reads the command and the whole package path.
    ASSERT_GE(started->arguments.size(), 2U);
    EXPECT_EQ(started->arguments[started->arguments.size() - 2], "install");
    EXPECT_EQ(started->arguments.back(), package);
}

TEST_F(WinProcessLauncherTest, AccentedFoldersAndPackageReachTheToolIntact) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
    }
    const std::string gameDir = m_temp.text() + "\\Jeux \xE9t\xE9";
    const fs::path setup = m_temp.path() / L"Jeux \u00e9t\u00e9" / L"System" / L"setup.exe";
    fs::create_directories(setup.parent_path());
    fs::copy_file(besideThisTest(L"setup_stand_in.exe"), setup);
    const std::string packageDir = m_temp.text() + "\\Mod\xE8les t\xE9l\xE9s";
    const std::string package = packageDir + "\\R\xE4ume Pack.umod";

    WinProcessLauncher().start(setupCommandLine(gameDir, packageDir, "R\xE4ume Pack.umod"));

    const std::optional<Started> started = waitForRecord(setup.parent_path() / L"arguments.txt");
    ASSERT_TRUE(started.has_value()) << "the setup tool did not start";
    EXPECT_TRUE(WindowsPath::equalsIgnoringCase(started->program, gameDir + "\\System\\setup.exe"))
        << started->program;
    ASSERT_GE(started->arguments.size(), 2U);
    EXPECT_EQ(started->arguments[started->arguments.size() - 2], "install");
    EXPECT_EQ(started->arguments.back(), package);
}

TEST_F(WinProcessLauncherTest, AMissingToolOrFolderIsFileNotFound) {
    const std::vector<std::string> lines = {
        // The game folder is there, its setup tool is not.
        m_temp.text() + "\\System\\setup.exe install \"C:\\Mods\\Foo.umod\"",
        // Folders missing on the way, with and without blanks in them.
        setupCommandLine(m_gameDir, "C:\\Mods", "Foo.umod"),
        m_temp.text() + "\\Missing\\System\\setup.exe install \"C:\\Mods\\Foo.umod\"",
        "\"" + m_temp.text() + "\\Missing\\System\\setup.exe\" install",
    };
    fs::create_directories(m_temp.path() / L"System");
    for (const std::string& line : lines) {
        EXPECT_EQ(errorNumberOf(line), ErrorNumber::FileNotFound) << line;
    }
}

TEST_F(WinProcessLauncherTest, AToolThatIsNoProgramGivesWindowsOwnError) {
    writeBytes(m_setup, "not a program");

    const int number = errorNumberOf(setupCommandLine(m_gameDir, "C:\\Mods", "Foo.umod"));

    EXPECT_NE(number, 0);
    EXPECT_NE(number, ErrorNumber::FileNotFound);
}

}  // namespace
}  // namespace kestrix
