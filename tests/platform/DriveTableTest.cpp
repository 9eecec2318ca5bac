// One contract on both systems: a table of drive letters, step by step as the
// cases of tests/data/drive-tables.tsv give them. On Linux the letters are
// Wine's, on folders of the host; on Windows they are Windows' own and its
// texts pass as they stand.
#include "platform/DriveTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Rows.h"
#include "support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestrix {
namespace {

namespace fs = std::filesystem;

// One case of the rows, in a folder of its own.
class DriveTableCase {
public:
    std::string answer(const std::vector<std::string>& row) {
        const std::string& step = row[0];
        const std::string& argument = row[1];
        const std::string& extra = row[2];
        const fs::path path = m_folder.path() / argument;
        if (step == "make" && !extra.empty()) {
            fs::create_directories(path.parent_path());
            fs::create_symlink(extra, path);
        } else if (step == "make" && argument.ends_with('/')) {
            fs::create_directories(path);
        } else if (step == "make") {
            writeBytes(path, "x");
        } else if (step == "table") {
            std::vector<Drive> drives;
            for (const std::string& drive : listOf(argument)) {
                drives.push_back(Drive{drive[0], m_folder.path() / drive.substr(2)});
            }
            m_table.emplace(drives, m_folder.path() / extra);
#ifndef _WIN32
        } else if (step == "prefix" && argument == "-") {
            setenv("HOME", m_folder.path().c_str(), 1);  // no other test here reads it
            m_table.emplace(DriveTable::fromSystem());
        } else if (step == "prefix") {
            m_table.emplace(DriveTable::fromWinePrefix(path));
#endif
        } else if (step == "host") {
            return shown(m_table->toHost(argument));
        } else if (step == "text") {
            const std::string text = m_table->toWindows(argument);
            const std::string back = m_table->toWindows(m_table->toHost(text));
            return text == back ? text : text + " reads back as " + back;
        } else if (step == "ready") {
            return m_table->isReady(argument[0]) ? "1" : "0";
        } else if (step == "current") {
            return argument == "-" ? m_table->processCurrentDirectory()
                                   : m_table->currentDirectory(argument[0]);
        } else if (step == "drives") {
            std::string drives;
            for (const Drive& drive : m_table->drives()) {
                drives += (drives.empty() ? "" : "|") + std::string{drive.letter, '='} +
                          shown(drive.root);
            }
            return drives;
        } else {
            ADD_FAILURE() << "no step " << step;
        }
        return "";
    }

private:
    // A path below the case's folder as the rows write it; any other whole.
    std::string shown(const fs::path& path) const {
        const fs::path below = path.lexically_relative(m_folder.path());
        return below.empty() || *below.begin() == ".." ? path.string() : below.generic_string();
    }

    TempFolder m_folder;
    std::optional<DriveTable> m_table;
};

TEST(DriveTableTest, EachRowOfEachCase) {
    checkRows<DriveTableCase>("drive-tables.tsv", 90);
}

#ifdef _WIN32
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
}
#endif

}  // namespace
}  // namespace kestrix
