#include "platform/EarlyFolderListing.h"

#include <chrono>
#include <future>
#include <mutex>
#include <utility>

namespace kestrix {

namespace fs = std::filesystem;
using Listing = std::optional<std::vector<fs::path>>;

struct PendingListing {
    fs::path folder;
    std::future<Listing> listing;
    bool arrivedLate = false;
};

namespace {

// The one early listing not yet taken: the program reads one folder early.
std::mutex untakenGuard;
std::shared_ptr<PendingListing> untaken;

// The untaken listing when it was read for this folder's sub-folders.
std::shared_ptr<PendingListing> untakenFor(const fs::path& folder, EntryType type) {
    if (!untaken || type != EntryType::Folder || untaken->folder.native() != folder.native()) {
        return nullptr;
    }
    return untaken;
}

}  // namespace

EarlyFolderListing::EarlyFolderListing(fs::path folder, Reader reader)
    : m_pending(std::make_shared<PendingListing>()) {
    if (!reader) {
        reader = [](const fs::path& path) { return readFolderEntries(path, EntryType::Folder); };
    }
    std::promise<Listing> promise;
    m_pending->folder = std::move(folder);
    m_pending->listing = promise.get_future();
    m_reading = std::thread([promise = std::move(promise), reader = std::move(reader),
                             folder = m_pending->folder]() mutable {
        try {
            promise.set_value(reader(folder));
        } catch (...) {
            // Nothing early: the list reads the folder again the usual way.
            promise.set_value(std::nullopt);
        }
    });
    const std::lock_guard lock(untakenGuard);
    untaken = m_pending;
}

EarlyFolderListing::~EarlyFolderListing() {
    drop();
    m_reading.join();
}

void EarlyFolderListing::drop() {
    const std::lock_guard lock(untakenGuard);
    if (untaken == m_pending) {
        untaken.reset();
    }
}

Listing EarlyFolderListing::take(const fs::path& folder, EntryType type) {
    std::shared_ptr<PendingListing> pending;
    {
        const std::lock_guard lock(untakenGuard);
        pending = untakenFor(folder, type);
        if (!pending) {
            return std::nullopt;
        }
        untaken.reset();
    }
    return pending->listing.get();
}

bool EarlyFolderListing::arriving(const fs::path& folder, EntryType type) {
    const std::lock_guard lock(untakenGuard);
    const std::shared_ptr<PendingListing> pending = untakenFor(folder, type);
    if (!pending ||
        pending->listing.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        return false;
    }
    pending->arrivedLate = true;
    return true;
}

bool EarlyFolderListing::arrivedLate() const {
    const std::lock_guard lock(untakenGuard);
    return m_pending->arrivedLate;
}

}  // namespace kestrix
