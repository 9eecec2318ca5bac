// The folder read early at start serves the first read of its sub-folders
// alone; a failed early read is read again.
#include <gtest/gtest.h>

#include "platform/win/EarlyFolderListing.h"
#include "platform/win/WinTempFolder.h"

namespace kestrix {
namespace {

TEST(WinEarlyFolderListing, ServesOnlyTheFirstReadOfItsOwnSubFolders) {
    using Names = std::vector<std::filesystem::path>;
    const WinTempFolder temp;
    std::filesystem::create_directory(temp.path() / "on disk");
    for (const std::optional<Names>& early :
         {std::optional<Names>({"read early"}), std::optional<Names>()}) {
        {
            const EarlyFolderListing dropped(temp.path(), [early](auto&) { return early; });
        }
        EXPECT_EQ(folderEntryNames(temp.path(), EntryType::Folder), Names{"on disk"});
        const EarlyFolderListing listing(temp.path(), [early](auto&) { return early; });
        EXPECT_EQ(folderEntryNames(temp.path() / "on disk", EntryType::Folder), Names());
        EXPECT_EQ(folderEntryNames(temp.path(), EntryType::File), Names());
        EXPECT_EQ(folderEntryNames(temp.path(), EntryType::Folder),
                  early.value_or(Names{"on disk"}));
        EXPECT_EQ(folderEntryNames(temp.path(), EntryType::Folder), Names{"on disk"});
    }
}

}  // namespace
}  // namespace kestrix
