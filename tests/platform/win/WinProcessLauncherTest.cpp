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
#include "platform/win/WinProcessStarter.h"
#include "platform/win/WinTempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

// What the stand-in recorded: its own file, the line it was given and the
// command and package as each reading of the line finds them.
struct Started {
    std::string program;
    std::string commandLine;
    std::vector<std::string> readings;
};

// Each reading finds "install" and the whole package path, and the line's
// first word has no blank for the reading that ends the name at one.
void expectReadAlike(const Started& started, const std::string& package) {
    EXPECT_EQ(started.readings,
              (std::vector<std::string>{"argv|install|" + package, "shell|install|" + package,
                                        "blank|install|" + package}))
        << started.commandLine;
    EXPECT_TRUE(started.commandLine.ends_with(" install \"" + package + "\""))
        << started.commandLine;
}

// Makes the start fail as Windows does where Wine never does: a "setup"
// without a manifest must run as an administrator (740), and the user may
// refuse the prompt (1223). The prompt itself is Wine's.
class ElevatingStarter : public WinProcessStarter {
public:
    unsigned long createProcess(const std::wstring&, std::wstring, const std::wstring&) override {
        return WinProcessStarter::ElevationRequired;
    }
    unsigned long runAsAdministrator(const std::wstring& file, const std::wstring& parameters,
                                     const std::wstring& folder) override {
        folders.push_back(folder);
        return answer ? *answer : WinProcessStarter::runAsAdministrator(file, parameters, folder);
    }
    std::optional<unsigned long> answer;
    std::vector<std::wstring> folders;
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

PlatformError errorOf(const ProgramStart& program, WinProcessStarter& starter) {
    try {
        WinProcessLauncher(starter).start(program);
    } catch (const PlatformError& error) {
        EXPECT_FALSE(error.description().empty());
        return error;
    }
    return PlatformError(0, "");
}

int errorNumberOf(const ProgramStart& program) {
    WinProcessStarter starter;
    return errorOf(program, starter).number();
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

// Under Wine both starts are real; through the prompt, the shell builds the
// line, and the short path keeps its first word free of blanks.
TEST_F(WinProcessLauncherTest, FindsTheToolUnderBlanksAndEveryReadingGetsInstallAndThePackage) {
    installStandIn();
    const std::string package = m_temp.text() + "\\Downloaded Mods\\Foo Pack.umod";
    const ProgramStart program =
        setupCommandLine(m_gameDir, m_temp.text() + "\\Downloaded Mods", "Foo Pack.umod");
    // Windows would start this one first if it were given the line alone.
    fs::create_directories(m_temp.path() / L"Game Folder With Blanks");
    fs::copy_file(besideThisTest(L"setup_stand_in.exe"), m_temp.path() / L"Game.exe");
    ElevatingStarter elevating;
    WinProcessStarter direct;

    for (WinProcessStarter* starter : {&direct, static_cast<WinProcessStarter*>(&elevating)}) {
        fs::remove(m_setup.parent_path() / L"arguments.txt");
        WinProcessLauncher(*starter).start(program);

        const std::optional<Started> started =
            waitForRecord(m_setup.parent_path() / L"arguments.txt");
        ASSERT_TRUE(started.has_value()) << "the setup tool did not start";
        EXPECT_TRUE(
            WindowsPath::equalsIgnoringCase(started->program, m_gameDir + "\\System\\setup.exe"))
            << started->program;
        expectReadAlike(*started, package);
    }
    EXPECT_FALSE(fs::exists(m_temp.path() / L"arguments.txt"));
    EXPECT_EQ(elevating.folders, std::vector<std::wstring>{m_setup.parent_path().wstring()});

    // A refused prompt is said in plain words; any other failure is Windows'.
    elevating.answer = WinProcessStarter::Cancelled;
    EXPECT_NE(errorOf(program, elevating).description().find("the answer was No"),
              std::string::npos);
    elevating.answer = ERROR_ACCESS_DENIED;
    EXPECT_EQ(errorOf(program, elevating).number(), ErrorNumber::PermissionDenied);
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
    expectReadAlike(*started, package);
}

TEST_F(WinProcessLauncherTest, AMissingToolOrFolderIsFileNotFound) {
    const std::vector<ProgramStart> programs = {
        // The game folder is there, its setup tool is not.
        setupCommandLine(m_temp.text(), "C:\\Mods", "Foo.umod"),
        // Folders missing on the way, with and without blanks in them.
        setupCommandLine(m_gameDir, "C:\\Mods", "Foo.umod"),
        setupCommandLine(m_temp.text() + "\\Missing", "C:\\Mods", "Foo.umod"),
    };
    fs::create_directories(m_temp.path() / L"System");
    for (const ProgramStart& program : programs) {
        EXPECT_EQ(errorNumberOf(program), ErrorNumber::FileNotFound) << program.joined();
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
