// One contract on both systems: a table of drive letters. On Linux the
// letters are Wine's, on folders of the host; on Windows they are Windows'
// own and its texts pass as they stand. What only one system has follows in a
// section of its own.
#include "platform/DriveTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "platform/Rows.h"
#include "support/ErrorNumberOf.h"
#include "support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestrix {
namespace {

namespace fs = std::filesystem;

int hostError(const DriveTable& table, const std::string& windowsPath) {
    return errorNumberOf([&] { table.toHost(windowsPath); });
}

TEST(DriveTableTest, ADriveIsReadyWhileItsRootIsAFolder) {
    const TempFolder temp;
    writeBytes(temp.path() / "file", "x");
    const DriveTable table(
        {{'c', temp.path()}, {'D', temp.path() / "missing"}, {'F', temp.path() / "file"}},
        temp.path());

    EXPECT_TRUE(table.isReady('C'));
    EXPECT_FALSE(table.isReady('d'));
    EXPECT_FALSE(table.isReady('E'));
    EXPECT_FALSE(table.isReady('F'));
    EXPECT_EQ(hostError(table, "C:\\UT"), 0);
    for (const char* path : {"d:\\UT", "E:\\UT", "F:\\", "q:"}) {
        EXPECT_EQ(hostError(table, path), ErrorNumber::DeviceUnavailable) << path;
    }
}

#ifdef _WIN32

TEST(DriveTableTest, WindowsOwnDrivesAndTextsAsTheyStand) {
    const DriveTable system = DriveTable::fromSystem();
    for (const Drive& drive : system.drives()) {
        EXPECT_EQ(drive.root,
                  fs::path(std::wstring{static_cast<wchar_t>(drive.letter), L':', L'\\'}));
    }
    EXPECT_TRUE(system.isReady('c'));
    EXPECT_EQ(system.processCurrentDirectory(), system.toWindows(fs::current_path()));
    for (const char* text : {"c:\\UT\\\\System\\", "Maps\\DM-Deck16][.unr", "\\\\server\\UT"}) {
        EXPECT_EQ(system.toHost(text).string(), text);
    }

    const DriveTable table({{'c', L"C:\\"}, {'Z', L"Z:\\"}}, L"C:\\users\\Me\\");
    EXPECT_EQ(table.processCurrentDirectory(), "C:\\users\\Me");
    EXPECT_EQ(table.currentDirectory('c'), "C:\\users\\Me");
    EXPECT_EQ(table.currentDirectory('Z'), "Z:\\");
    const std::vector<std::pair<std::wstring, std::string>> cases = {
        {L"C:/UT/System/", "C:\\UT\\System"},
        {L"C:\\UT\\System\\..\\Maps", "C:\\UT\\Maps"},
        {L"C:\\", "C:\\"},
        {L"Maps", "C:\\users\\Me\\Maps"},
        {L"\\UT", "C:\\UT"},
    };
    for (const auto& [host, text] : cases) {
        EXPECT_EQ(table.toWindows(host), text) << text;
    }
}

// The lists cannot open in a network folder or one whose name the code page
// cannot write: they open beside the program instead, and it starts.
TEST(DriveTableTest, AFolderTheListsCannotOpenInGivesWayToTheProgramsOwn) {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::vector<Drive> drives = {{'C', L"C:\\"}, {'Z', L"Z:\\"}};
    const DriveTable beside(drives, fs::path(program).parent_path());
    for (const wchar_t* current : {L"\\\\server\\share\\UT", L"C:\\\u0141ukasz \u0416"}) {
        EXPECT_EQ(DriveTable(drives, current).processCurrentDirectory(),
                  beside.processCurrentDirectory());
    }
    EXPECT_EQ(beside.toWindows(L"\\\\server\\share\\UT\\..\\Maps\\"), "\\\\server\\share\\Maps");
}

#else

// Z: holds the whole tree, a C: lies inside it as a Wine prefix's does (given
// with a trailing separator, which must not matter).
class WineDriveTableTest : public ::testing::Test {
protected:
    WineDriveTableTest()
        : m_z(m_temp.path() / "z"),
          m_c(m_z / "wine" / "drive_c"),
          m_ut(m_z / "home" / "me" / "UT"),
          m_table({{'z', m_z}, {'C', m_c / ""}}, m_ut) {
        writeBytes(m_ut / "System" / "Manifest.ini", "x");
        writeBytes(m_c / "UnrealTournament" / "System" / "setup.exe", "x");
        fs::create_directories(m_z / "wine" / "drive_cx");
        // Created out of sorted order, so that the choice among spellings is
        // seen not to follow the order the folder lists them in.
        for (const char* name : {"both", "bOth", "Both", "BOth"}) {
            fs::create_directories(m_z / name);
        }
    }

    TempFolder m_temp;
    fs::path m_z;
    fs::path m_c;
    fs::path m_ut;
    DriveTable m_table;
};

TEST_F(WineDriveTableTest, ReadsAndWritesEachRow) {
    const auto rows = rowsOf("wine-drive-paths.tsv");
    for (const std::vector<std::string>& row : rows) {
        SCOPED_TRACE(row[1]);
        if (row[0] == "host") {
            EXPECT_EQ(m_table.toHost(row[1]), m_z / row[2]);
        } else {
            EXPECT_EQ(m_table.toWindows(m_z / row[2]), row[1]);
            EXPECT_EQ(m_table.toWindows(m_table.toHost(row[1])), row[1]);
        }
    }
    EXPECT_EQ(rows.size(), 19U);
    EXPECT_EQ(m_table.toWindows("System"), "Z:\\home\\me\\UT\\System");
    EXPECT_EQ(errorNumberOf([&] {
                  DriveTable({{'C', m_c}}, m_c).toWindows(m_z);
              }),
              ErrorNumber::PathNotFound);
}

TEST_F(WineDriveTableTest, DriveReachedThroughLinkConvertsBack) {
    fs::create_directories(m_temp.path() / "dosdevices");
    fs::create_directory_symlink("../z/wine/drive_c", m_temp.path() / "dosdevices" / "e:");
    const DriveTable table({{'E', m_temp.path() / "dosdevices" / "e:"}, {'Z', m_z}}, m_ut);
    EXPECT_EQ(table.toWindows(m_c / "UnrealTournament"), "E:\\UnrealTournament");
    EXPECT_EQ(table.toHost("e:\\unrealtournament"),
              m_temp.path() / "dosdevices" / "e:" / "UnrealTournament");

    // Two letters for one folder: the first in the table names it.
    const DriveTable twice({{'C', m_c}, {'E', m_temp.path() / "dosdevices" / "e:"}}, m_c);
    EXPECT_EQ(twice.toWindows(m_c / "UnrealTournament"), "C:\\UnrealTournament");
}

TEST_F(WineDriveTableTest, EachDriveKeepsCurrentDirectory) {
    EXPECT_EQ(m_table.processCurrentDirectory(), "Z:\\home\\me\\UT");
    EXPECT_EQ(m_table.currentDirectory('z'), "Z:\\home\\me\\UT");
    EXPECT_EQ(m_table.currentDirectory('C'), "C:\\");

    const DriveTable inC(m_table.drives(), m_c / "UnrealTournament");
    EXPECT_EQ(inC.currentDirectory('c'), "C:\\UnrealTournament");
    EXPECT_EQ(inC.currentDirectory('Z'), "Z:\\");
    EXPECT_EQ(inC.toHost("\\unrealtournament\\system"), m_c / "UnrealTournament" / "System");
}

// HOME is left pointing at the test's folder: no other test here reads it.
std::vector<std::pair<char, fs::path>> systemLettersWithHome(const fs::path& home) {
    setenv("HOME", home.c_str(), 1);
    std::vector<std::pair<char, fs::path>> result;
    const DriveTable table = DriveTable::fromSystem();
    for (const Drive& drive : table.drives()) {
        result.emplace_back(drive.letter, drive.root);
    }
    EXPECT_FALSE(table.isReady('F'));
    return result;
}

TEST(WineDriveTableFromSystemTest, ReadsTheLettersOfTheDefaultPrefixOrOnlyZ) {
    const TempFolder temp;
    EXPECT_EQ(systemLettersWithHome(temp.path()),
              (std::vector<std::pair<char, fs::path>>{{'Z', "/"}}));

    const fs::path wine = temp.path() / ".wine";
    const fs::path dosdevices = wine / "dosdevices";
    fs::create_directories(dosdevices);
    fs::create_directories(wine / "drive_c");
    fs::create_directories(temp.path() / "elsewhere");
    fs::create_directory_symlink("../drive_c", dosdevices / "c:");
    fs::create_directory_symlink(temp.path() / "elsewhere", dosdevices / "e:");
    fs::create_directory_symlink(temp.path() / "gone", dosdevices / "f:");
    fs::create_directory_symlink(temp.path(), dosdevices / "z:");
    fs::create_symlink("/dev/sda1", dosdevices / "c::");
    fs::create_symlink("/dev/ttyS0", dosdevices / "com1");

    const std::vector<std::pair<char, fs::path>> expected = {{'C', wine / "drive_c"},
                                                             {'E', temp.path() / "elsewhere"},
                                                             {'F', temp.path() / "gone"},
                                                             {'Z', "/"}};
    EXPECT_EQ(systemLettersWithHome(temp.path()), expected);
}

#endif

}  // namespace
}  // namespace kestrix
