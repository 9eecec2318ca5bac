#include <gtest/gtest.h>

#include <algorithm>

#include "platform/FolderEntries.h"
#include "support/TempFolder.h"

using namespace kestrix;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> sorted(std::vector<fs::path> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// The listing reads entry types from the folder itself; links, whose type
// there is the link's own, must count as what they lead to.
TEST(FolderEntries, ListsFoldersOrFilesWithLinksAsWhatTheyLeadTo) {
    TempFolder temp;
    const fs::path folder = temp.path() / "UT";
    fs::create_directories(folder / "Maps");
    fs::create_directories(temp.path() / "Elsewhere");
    writeBytes(folder / "a.umod", "");
    writeBytes(temp.path() / "b.umod", "");
    fs::create_directory_symlink(temp.path() / "Elsewhere", folder / "Linked");
    fs::create_symlink(temp.path() / "b.umod", folder / "b.umod");
    fs::create_symlink(temp.path() / "gone", folder / "Dangling");

    EXPECT_EQ(sorted(folderEntryNames(folder, EntryType::Folder)),
              (std::vector<fs::path>{"Linked", "Maps"}));
    EXPECT_EQ(sorted(folderEntryNames(folder, EntryType::File)),
              (std::vector<fs::path>{"a.umod", "b.umod"}));
    EXPECT_TRUE(folderEntryNames(temp.path() / "missing", EntryType::Folder).empty());
}

}  // namespace
