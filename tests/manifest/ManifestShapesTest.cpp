// The shapes of manifest that real game folders hold, from tests/data/manifests:
// what each lists, and what removing a package from it does to the disk, the
// manifest and the message. The same rows run on Linux and, cross-built, on
// Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "manifest/PackageList.h"
#include "manifest/PackageRemoval.h"
#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/Rows.h"
#include "support/TempFolder.h"
#include "windows/RemovalMessage.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;

const fs::path fixtures = fs::path(KESTRIX_TEST_DATA) / "manifests";

// A column's list, in the window's code page; "-" is none.
std::vector<std::string> inCodePage(const std::string& column, char separator) {
    std::vector<std::string> names;
    for (const std::string& name : listOf(column == "-" ? "" : column, separator)) {
        names.push_back(*CodePage::system().fromUtf8(name));
    }
    return names;
}

fs::path onDisk(const fs::path& game, std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return game / fs::path(std::u8string(name.begin(), name.end()));
}

class ManifestShapes : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(ManifestShapes, ListsAndRemovesAsTheGameRecords) {
    ASSERT_EQ(CodePage::system().number(), 1252U) << "the test's locale sets the code page";
    const std::vector<std::string>& row = GetParam();
    ASSERT_EQ(row.size(), 8U);
    const std::string manifest = readBytes(fixtures / row[0]);
    TempFolder drive;
    const fs::path game = drive.path() / "UT";
    writeBytes(game / "System" / "manifest.ini", manifest);
    const std::vector<std::string> files = listOf(row[4], ',');
    HostFileOperations host;
    for (const std::string& file : files) {
        // Through the program's own file functions, which take names beyond
        // the code page on both systems.
        fs::create_directories(onDisk(game, file).parent_path());
        host.writeFile(onDisk(game, file), {"x"}, fs::perms::owner_all);
    }
    const DriveTable drives({Drive{'C', drive.path()}}, drive.path());

    EXPECT_EQ(listPackages("C:\\UT", drives), inCodePage(row[1], '|'));

    const RemovalOutcome result =
        PackageRemoval(drives, host).remove("C:\\UT", inCodePage(row[2], '|')[0]);
    const std::map<std::string, RemovalStatus> statuses = {
        {"Removed", RemovalStatus::Removed},
        {"NotInstalled", RemovalStatus::NotInstalled},
        {"GameGroup", RemovalStatus::GameGroup},
        {"Refused", RemovalStatus::Refused}};
    const std::string message = RemovalMessage::of(inCodePage(row[2], '|')[0], result);
    EXPECT_EQ(result.status, statuses.at(row[3])) << message;
    const std::vector<std::string> gone = listOf(row[5], ',');
    for (const std::string& file : files) {
        const bool deleted = std::find(gone.begin(), gone.end(), file) != gone.end();
        EXPECT_NE(fs::exists(onDisk(game, file)), deleted) << file;
    }
    const std::vector<std::string> notFound = inCodePage(row[6], ',');
    EXPECT_EQ(result.notFound, notFound);
    // "done" alone only when every listed file was there.
    EXPECT_EQ(message == "done", result.status == RemovalStatus::Removed && notFound.empty())
        << message;
    EXPECT_EQ(readBytes(game / "System" / "manifest.ini"),
              row[7] == "=" ? manifest : readBytes(fixtures / row[7]));
}

INSTANTIATE_TEST_SUITE_P(RealShapes, ManifestShapes,
                         ::testing::ValuesIn(rowsOf("manifests/shapes.tsv")));

}  // namespace
}  // namespace kestrix
