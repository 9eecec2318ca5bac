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
#include "platform/win/WinError.h"
#include "platform/win/WinProcessStarter.h"
#include "platform/win/WinTempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

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

// What the stand-in recorded, one line each: its own file, the line it was
// given, and the command and package as each reading of the line finds them.
// It runs on its own; it is given a generous while, since Wine starts a
// process slowly on a busy machine.
std::vector<std::string> waitForRecord(const fs::path& record) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(record) && std::chrono::steady_clock::now() < deadline) {
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
    return lines;
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

// Where the ANSI code page is Windows-1252, the folders and the package are
// accented too, and must reach the tool intact.
std::string accented(const char* latin, const char* plain) {
    return GetACP() == 1252 ? latin : plain;
}

class WinProcessLauncherTest : public ::testing::Test {
protected:
    WinProcessLauncherTest()
        : m_game(accented("Game \xE9t\xE9", "Game Folder With Blanks")),
          m_gameDir(m_temp.text() + "\\" + m_game),
          m_setup(m_temp.path() / Utf16::fromCodePage(m_game) / L"System" / L"setup.exe") {}

    WinTempFolder m_temp;
    std::string m_game;
    std::string m_gameDir;
    fs::path m_setup;
};

// Under Wine both starts are real; through the prompt, the shell builds the
// line, and the short path keeps its first word free of blanks.
TEST_F(WinProcessLauncherTest, FindsTheToolUnderBlanksAndEveryReadingGetsInstallAndThePackage) {
    fs::create_directories(m_setup.parent_path());
    fs::copy_file(besideThisTest(L"setup_stand_in.exe"), m_setup);
    const std::string packageDir =
        m_temp.text() + "\\" + accented("Mod\xE8les t\xE9l\xE9s", "Downloaded Mods");
    const std::string packageName = accented("R\xE4ume Pack.umod", "Foo Pack.umod");
    const ProgramStart program = setupCommandLine(m_gameDir, packageDir, packageName);
    // Windows would start this one first if it were given the line alone.
    fs::copy_file(besideThisTest(L"setup_stand_in.exe"), m_temp.path() / L"Game.exe");
    ElevatingStarter elevating;
    WinProcessStarter direct;

    for (WinProcessStarter* starter : {&direct, static_cast<WinProcessStarter*>(&elevating)}) {
        fs::remove(m_setup.parent_path() / L"arguments.txt");
        WinProcessLauncher(*starter).start(program);

        const std::vector<std::string> started =
            waitForRecord(m_setup.parent_path() / L"arguments.txt");
        ASSERT_EQ(started.size(), 5U) << "the setup tool did not start";
        EXPECT_TRUE(WindowsPath::equalsIgnoringCase(started[0], m_gameDir + "\\System\\setup.exe"))
            << started[0];
        // Each reading finds "install" and the whole package path, and the
        // line's first word has no blank for the reading that ends the name
        // at one.
        const std::string package = packageDir + "\\" + packageName;
        EXPECT_TRUE(started[1].ends_with(" install \"" + package + "\"")) << started[1];
        EXPECT_EQ(std::vector<std::string>(started.begin() + 2, started.end()),
                  (std::vector<std::string>{"argv|install|" + package, "shell|install|" + package,
                                            "blank|install|" + package}))
            << started[1];
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

TEST_F(WinProcessLauncherTest, AMissingToolIsFileNotFoundAndOneThatIsNoProgramWindowsOwnError) {
    const std::vector<ProgramStart> programs = {
        // The game folder is there, its setup tool is not.
        setupCommandLine(m_temp.text(), "C:\\Mods", "Foo.umod"),
        // Folders missing on the way, with and without blanks in them.
        setupCommandLine(m_gameDir, "C:\\Mods", "Foo.umod"),
        setupCommandLine(m_temp.text() + "\\Missing", "C:\\Mods", "Foo.umod"),
    };
    fs::create_directories(m_temp.path() / L"System");
    WinProcessStarter direct;
    for (const ProgramStart& program : programs) {
        EXPECT_EQ(errorOf(program, direct).number(), ErrorNumber::FileNotFound) << program.joined();
    }
    writeBytes(m_setup, "not a program");

    const PlatformError error = errorOf(programs[1], direct);
    const std::string written = WinError::fileError(ERROR_DISK_FULL, "C:\\UT").description();

    EXPECT_NE(error.number(), 0);
    EXPECT_NE(error.number(), ErrorNumber::FileNotFound);
    // Windows' own words where no classic ones fit: with the line in place of
    // "%1", on one line, without a full stop inside the classic words.
    EXPECT_NE(error.description().find(programs[1].joined()), std::string::npos);
    EXPECT_TRUE(written.starts_with(
        PlatformError::standardDescription(ErrorNumber::PathFileAccessError) + " ("));
    for (const std::string& words : {error.description(), written}) {
        EXPECT_EQ(words.find_first_of("\r\n"), std::string::npos) << words;
        EXPECT_EQ(words.find(".)"), std::string::npos) << words;
        EXPECT_NE(words.back(), '.') << words;
    }
}

}  // namespace
}  // namespace kestrix
