#include "platform/DriveTable.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/win/WinTempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

int errorNumberOf(const DriveTable& table, const std::string& windowsPath) {
    try {
        table.toHost(windowsPath);
    } catch (const PlatformError& error) {
        return error.number();
    }
    return 0;
}

// A letter that names no drive on this machine.
char absentLetter() {
    const DWORD present = GetLogicalDrives();
    for (char letter = 'Z'; letter >= 'D'; --letter) {
        if ((present & (1UL << (letter - 'A'))) == 0) {
            return letter;
        }
    }
    return 0;
}

TEST(WinDriveTable, FromSystemListsWindowsOwnDrives) {
    const DriveTable table = DriveTable::fromSystem();
    const char absent = absentLetter();
    ASSERT_NE(absent, 0);

    std::vector<char> letters;
    for (const Drive& drive : table.drives()) {
        letters.push_back(drive.letter);
        EXPECT_EQ(drive.root,
                  fs::path(std::wstring{static_cast<wchar_t>(drive.letter), L':', L'\\'}));
    }
    EXPECT_NE(std::find(letters.begin(), letters.end(), 'C'), letters.end());
    EXPECT_TRUE(table.isReady('c'));
    EXPECT_FALSE(table.isReady(absent));
    EXPECT_EQ(errorNumberOf(table, std::string{absent, ':', '\\', 'U', 'T'}),
              ErrorNumber::DeviceUnavailable);
    EXPECT_EQ(table.processCurrentDirectory(), table.toWindows(fs::current_path()));
}

TEST(WinDriveTable, TextsReachWindowsAsTheyStand) {
    const DriveTable table = DriveTable::fromSystem();
    const std::vector<std::pair<std::string, std::wstring>> cases = {
        {"C:\\UT\\system\\manifest.ini", L"C:\\UT\\system\\manifest.ini"},
        {"c:\\UT\\\\System\\", L"c:\\UT\\\\System\\"},
        {"Maps\\DM-Deck16][.unr", L"Maps\\DM-Deck16][.unr"},
        {"\\\\server\\share\\UT", L"\\\\server\\share\\UT"},
    };
    for (const auto& [text, host] : cases) {
        EXPECT_EQ(table.toHost(text).native(), host) << text;
    }
}

TEST(WinDriveTable, HostPathsBecomeWholeWindowsTexts) {
    const DriveTable table({{'C', L"C:\\"}, {'Z', L"Z:\\"}}, L"C:\\users\\Me");
    const std::vector<std::pair<std::wstring, std::string>> cases = {
        {L"C:\\UT\\", "C:\\UT"},
        {L"C:/UT/System", "C:\\UT\\System"},
        {L"C:\\UT\\System\\..\\Maps", "C:\\UT\\Maps"},
        {L"C:\\", "C:\\"},
        {L"Maps", "C:\\users\\Me\\Maps"},
        {L"\\UT", "C:\\UT"},
    };
    for (const auto& [host, text] : cases) {
        EXPECT_EQ(table.toWindows(host), text) << text;
    }
}

TEST(WinDriveTable, EachDriveKeepsACurrentDirectory) {
    const DriveTable table({{'c', L"C:\\"}, {'Z', L"Z:\\"}}, L"C:\\users\\Me\\");

    EXPECT_EQ(table.processCurrentDirectory(), "C:\\users\\Me");
    EXPECT_EQ(table.currentDirectory('c'), "C:\\users\\Me");
    EXPECT_EQ(table.currentDirectory('Z'), "Z:\\");
}

// The lists cannot open in a network folder or one whose name the code page
// cannot write: they open beside the program instead, and it starts.
TEST(WinDriveTable, AFolderTheListsCannotOpenInGivesWayToTheProgramsOwn) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::vector<Drive> drives = {{'C', L"C:\\"}, {'Z', L"Z:\\"}};
    const DriveTable beside(drives, fs::path(program).parent_path());
    for (const wchar_t* current : {L"\\\\server\\share\\UT", L"C:\\\u0141ukasz \u0416"}) {
        EXPECT_EQ(DriveTable(drives, current).processCurrentDirectory(),
                  beside.processCurrentDirectory())
            << fs::path(current).string();
    }
    EXPECT_EQ(beside.toWindows(L"\\\\server\\share\\UT\\..\\Maps\\"), "\\\\server\\share\\Maps");
}

TEST(WinDriveTable, ADriveIsReadyWhileItsRootIsThere) {
    WinTempFolder temp;
    const DriveTable table({{'C', temp.path()}, {'D', temp.path() / L"missing"}}, temp.path());

    EXPECT_TRUE(table.isReady('C'));
    EXPECT_FALSE(table.isReady('D'));
    EXPECT_FALSE(table.isReady('E'));
    EXPECT_EQ(errorNumberOf(table, "C:\\UT"), 0);
    EXPECT_EQ(errorNumberOf(table, "d:\\UT"), ErrorNumber::DeviceUnavailable);
    EXPECT_EQ(errorNumberOf(table, "E:\\UT"), ErrorNumber::DeviceUnavailable);
}

}  // namespace
}  // namespace kestrix
