#include "platform/DriveTable.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ErrorNumber.h"
#include "platform/PlatformError.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

void makeFile(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "x";
}

int errorNumberOf(const DriveTable& table, const std::string& windowsPath) {
    try {
        table.toHost(windowsPath);
    } catch (const PlatformError& error) {
        return error.number();
    }
    return 0;
}

// Z: holds the whole tree, a C: lies inside it as a Wine prefix's does (given
// with a trailing separator, which must not matter), and D: names a folder that
// is not there.
class DriveTableTest : public ::testing::Test {
protected:
    DriveTableTest()
        : m_z(m_temp.path() / "z"),
          m_c(m_z / "wine" / "drive_c"),
          m_ut(m_z / "home" / "me" / "UT"),
          m_table({{'z', m_z}, {'C', m_c / ""}, {'D', m_temp.path() / "missing"}}, m_ut) {
        makeFile(m_ut / "System" / "Manifest.ini");
        makeFile(m_c / "UnrealTournament" / "System" / "setup.exe");
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

TEST_F(DriveTableTest, FindsEachComponentWhateverItsCase) {
    const std::vector<std::pair<std::string, fs::path>> cases = {
        {"Z:\\home\\me\\ut\\system\\manifest.ini", m_ut / "System" / "Manifest.ini"},
        {"z:/HOME//me\\\\UT/", m_ut},
        {"c:\\UNREALTOURNAMENT\\system\\SETUP.EXE", m_c / "UnrealTournament/System/setup.exe"},
        {"Z:\\both", m_z / "both"},
        {"Z:\\Both", m_z / "Both"},
        {"Z:\\BOTH", m_z / "BOth"},
        {"C:\\UnrealTournament\\system\\New\\sYstem", m_c / "UnrealTournament/System/New/sYstem"},
        {"Z:\\home\\me\\UT\\System\\Manifest.ini\\x", m_ut / "System/Manifest.ini/x"},
        {"C:\\.\\UnrealTournament\\..\\..\\..\\unrealtournament", m_c / "UnrealTournament"},
        {"C:", m_c},
        {"c:unrealtournament", m_c / "UnrealTournament"},
        {"Z:\\.\\home\\.\\me\\ut\\.", m_ut},
        {"system\\manifest.ini", m_ut / "System" / "Manifest.ini"},
        {"..\\..\\me\\ut", m_ut},
        {"", m_ut},
        {"\\home", m_z / "home"},
    };
    for (const auto& [windowsPath, host] : cases) {
        EXPECT_EQ(m_table.toHost(windowsPath), host) << windowsPath;
    }
}

TEST_F(DriveTableTest, DriveOutOfTableOrWithoutFolderIsNotReady) {
    makeFile(m_temp.path() / "file");
    const DriveTable table({{'E', m_temp.path() / "file"}, {'Z', m_z}}, m_ut);
    EXPECT_TRUE(m_table.isReady('c'));
    EXPECT_FALSE(m_table.isReady('D'));
    EXPECT_FALSE(m_table.isReady('Q'));
    EXPECT_FALSE(table.isReady('E'));
    EXPECT_EQ(errorNumberOf(m_table, "D:\\UT"), ErrorNumber::DeviceUnavailable);
    EXPECT_EQ(errorNumberOf(m_table, "q:"), ErrorNumber::DeviceUnavailable);
    EXPECT_EQ(errorNumberOf(table, "E:\\"), ErrorNumber::DeviceUnavailable);
}

TEST_F(DriveTableTest, MostSpecificDriveWinsAndTextsRoundTrip) {
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {m_c / "UnrealTournament", "C:\\UnrealTournament"},
        {m_c / "", "C:\\"},
        {m_z / "wine", "Z:\\wine"},
        {m_z / "wine" / "drive_cx", "Z:\\wine\\drive_cx"},
        {m_z, "Z:\\"},
        {m_ut / ".." / "UT" / "." / "System", "Z:\\home\\me\\UT\\System"},
        {"System", "Z:\\home\\me\\UT\\System"},
    };
    for (const auto& [host, windowsPath] : cases) {
        EXPECT_EQ(m_table.toWindows(host), windowsPath) << host;
        EXPECT_EQ(m_table.toWindows(m_table.toHost(windowsPath)), windowsPath);
    }
    EXPECT_EQ(m_table.toWindows(m_table.toHost("c:\\unrealtournament\\system")),
              "C:\\UnrealTournament\\System");
}

TEST_F(DriveTableTest, DriveReachedThroughLinkConvertsBack) {
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

TEST_F(DriveTableTest, PathUnderNoDriveIsNotFound) {
    const DriveTable table({{'C', m_c}}, m_c);
    try {
        table.toWindows(m_z);
        FAIL() << "no drive holds " << m_z;
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::PathNotFound);
    }
}

TEST_F(DriveTableTest, EachDriveKeepsCurrentDirectory) {
    EXPECT_EQ(m_table.processCurrentDirectory(), "Z:\\home\\me\\UT");
    EXPECT_EQ(m_table.currentDirectory('z'), "Z:\\home\\me\\UT");
    EXPECT_EQ(m_table.currentDirectory('C'), "C:\\");

    const DriveTable inC(m_table.drives(), m_c / "UnrealTournament");
    EXPECT_EQ(inC.currentDirectory('c'), "C:\\UnrealTournament");
    EXPECT_EQ(inC.currentDirectory('Z'), "Z:\\");
    EXPECT_EQ(inC.toHost("\\unrealtournament\\system"), m_c / "UnrealTournament" / "System");
}

// Points HOME at a folder of the test's and puts the user's back afterwards.
class HomeOverride {
public:
    explicit HomeOverride(const fs::path& home) {
        if (const char* old = std::getenv("HOME")) {
            m_old = old;
        }
        setenv("HOME", home.c_str(), 1);
    }
    ~HomeOverride() {
        if (m_old) {
            setenv("HOME", m_old->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
    }

private:
    std::optional<std::string> m_old;
};

std::vector<std::pair<char, fs::path>> lettersAndRoots(const DriveTable& table) {
    std::vector<std::pair<char, fs::path>> result;
    for (const Drive& drive : table.drives()) {
        result.emplace_back(drive.letter, drive.root);
    }
    return result;
}

TEST(DriveTableFromSystemTest, ReadsLettersOfDefaultWinePrefix) {
    const TempFolder temp;
    const fs::path wine = temp.path() / ".wine";
    const fs::path dosdevices = wine / "dosdevices";
    fs::create_directories(dosdevices);
    fs::create_directories(wine / "drive_c" / "Games");
    fs::create_directories(temp.path() / "elsewhere");
    fs::create_directory_symlink("../drive_c", dosdevices / "c:");
    fs::create_directory_symlink(temp.path() / "elsewhere", dosdevices / "e:");
    fs::create_directory_symlink(temp.path() / "gone", dosdevices / "f:");
    fs::create_directory_symlink(temp.path(), dosdevices / "z:");
    fs::create_symlink("/dev/sda1", dosdevices / "c::");
    fs::create_symlink("/dev/ttyS0", dosdevices / "com1");

    const HomeOverride home(temp.path());
    const DriveTable table = DriveTable::fromSystem();

    const std::vector<std::pair<char, fs::path>> expected = {{'C', wine / "drive_c"},
                                                             {'E', temp.path() / "elsewhere"},
                                                             {'F', temp.path() / "gone"},
                                                             {'Z', "/"}};
    EXPECT_EQ(lettersAndRoots(table), expected);
    EXPECT_FALSE(table.isReady('F'));
    EXPECT_EQ(table.toWindows(wine / "drive_c" / "Games"), "C:\\Games");
}

TEST(DriveTableFromSystemTest, WithoutPrefixOnlyZ) {
    const TempFolder temp;
    const HomeOverride home(temp.path());
    const std::vector<std::pair<char, fs::path>> expected = {{'Z', "/"}};
    EXPECT_EQ(lettersAndRoots(DriveTable::fromSystem()), expected);
}

}  // namespace
}  // namespace kestrix
