#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "platform/FolderEntries.h"

namespace kestrix {

struct PendingListing;

// Reads the sub-folders of the folder the lists open first on a second
// thread while the program makes its windows: under Wine, reading a folder of
// tens of thousands of entries costs longer than making the main window. The
// first read of exactly that folder's sub-folders takes the result, waiting
// for it if need be; every other read, and any later one, reads the folder
// afresh. A listing the early read could not make is read again the usual way.
class EarlyFolderListing {
public:
    // A listing, or nothing where the folder could not be read.
    using Reader = std::function<std::optional<std::vector<std::filesystem::path>>(
        const std::filesystem::path& folder)>;

    // Without a reader, the folder is read as readFolderEntries reads it.
    explicit EarlyFolderListing(std::filesystem::path folder, Reader reader = nullptr);
    // Drops what was not taken, and waits for the read to end.
    ~EarlyFolderListing();
    EarlyFolderListing(const EarlyFolderListing&) = delete;
    EarlyFolderListing& operator=(const EarlyFolderListing&) = delete;

    // What was not taken by now is dropped, as the folder may change from
    // here on; the read goes on until it ends, without holding anyone up.
    void drop();
    // Whether a list asked for this listing while it was still being read,
    // and so showed without the rows that came with it later.
    bool arrivedLate() const;

    // The early listing when this is the read it was made for, once.
    static std::optional<std::vector<std::filesystem::path>> take(
        const std::filesystem::path& folder, EntryType type);
    // Whether take would wait for the listing, which is still being read.
    static bool arriving(const std::filesystem::path& folder, EntryType type);

private:
    std::shared_ptr<PendingListing> m_pending;
    std::thread m_reading;
};

}  // namespace kestrix
