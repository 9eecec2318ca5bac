#include "platform/win/WinTempFolder.h"

#include <chrono>
#include <system_error>
#include <thread>

#include "platform/win/Utf16.h"

namespace kestrix {

namespace fs = std::filesystem;

WinTempFolder::~WinTempFolder() {
    // fs::remove_all stops at a read-only file, which Windows will not
    // delete, and at a running program's file: wait for it a while.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::error_code error;
        for (fs::recursive_directory_iterator it(path(), error), end; !error && it != end;
             it.increment(error)) {
            std::error_code ignored;
            fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
        }
        fs::remove_all(path(), error);
        if (!error) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::string WinTempFolder::text() const {
    return Utf16::describe(path().native());
}

}  // namespace kestrix
