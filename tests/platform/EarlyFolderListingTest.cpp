// The folder read early at start serves the first read of its own
// sub-folders alone, and is waited for while it is on its way; a failed early
// read is read again, and a dropped one serves nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "platform/EarlyFolderListing.h"
#include "support/TempFolder.h"

namespace kestrix {
namespace {

using Names = std::vector<std::filesystem::path>;

TEST(EarlyFolderListing, ServesOnlyTheFirstReadOfItsOwnSubFolders) {
    const TempFolder temp;
    const std::filesystem::path folder = temp.path();
    std::filesystem::create_directory(folder / "on disk");
    for (const std::optional<Names>& early :
         {std::optional<Names>({"read early"}), std::optional<Names>()}) {
        {
            EarlyFolderListing dropped(folder, [early](auto&) { return early; });
            dropped.drop();
            EXPECT_EQ(folderEntryNames(folder, EntryType::Folder), Names{"on disk"});
            EXPECT_FALSE(dropped.arrivedLate());
        }
        std::promise<void> release;
        const EarlyFolderListing listing(folder,
                                         [early, gate = release.get_future().share()](auto&) {
                                             gate.wait();
                                             return early;
                                         });
        EXPECT_TRUE(folderEntriesArriving(folder, EntryType::Folder));
        EXPECT_TRUE(listing.arrivedLate());
        EXPECT_FALSE(folderEntriesArriving(folder, EntryType::File));
        EXPECT_FALSE(folderEntriesArriving(folder / "on disk", EntryType::Folder));
        EXPECT_EQ(folderEntryNames(folder / "on disk", EntryType::Folder), Names());
        EXPECT_EQ(folderEntryNames(folder, EntryType::File), Names());
        release.set_value();
        // Arrived: a read no longer waits for it.
        for (int tries = 0; tries < 1000 && folderEntriesArriving(folder, EntryType::Folder);
             ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_FALSE(folderEntriesArriving(folder, EntryType::Folder));
        EXPECT_EQ(folderEntryNames(folder, EntryType::Folder), early.value_or(Names{"on disk"}));
        EXPECT_EQ(folderEntryNames(folder, EntryType::Folder), Names{"on disk"});
    }
}

}  // namespace
}  // namespace kestrix
