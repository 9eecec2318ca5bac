// One contract on both systems: HostFileOperations on POSIX calls and on
// Windows' own (under Wine in the cross build), step by step as the cases of
// tests/data/file-operations.tsv give them.
#include "platform/HostFileOperations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/FolderEntries.h"
#include "platform/Rows.h"
#include "support/TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace kestrix {
namespace {

namespace fs = std::filesystem;

fs::perms permsOf(const std::string& octal) {
    return static_cast<fs::perms>(std::stoi(octal, nullptr, 8));
}

// One case of the steps, in a folder of its own.
class FileOperationsCase {
public:
    std::string answer(const std::vector<std::string>& step) {
        const std::string& name = step[0];
        const fs::path path = at(step[1]);
        const std::string& argument = step[2];
        if (name == "write" && step[1].ends_with('/')) {
            fs::create_directories(path);
        } else if (name == "write") {
            writeBytes(path, argument);
        }
        if ((name == "write" || name == "mode") && !step[3].empty()) {
            fs::permissions(path, permsOf(step[3]));
        } else if (name == "hardlink") {
            fs::create_hard_link(at(argument), path);
        } else if (name == "symlink") {
            fs::create_symlink(argument, path);
#ifndef _WIN32
        } else if (name == "fifo") {
            return mkfifo(path.c_str(), 0644) == 0 ? "" : "no FIFO";
#endif
        } else if (name == "inspect") {
            constexpr const char* kinds[] = {"Missing",    "File",  "ReadOnlyFile", "Folder",
                                             "BrokenLink", "InUse", "Other"};
            return kinds[static_cast<int>(m_files.inspect(path))];
        } else if (name == "delete") {
            m_files.deleteFile(path);
        } else if (name == "read") {
            return m_files.readFile(path);
        } else if (name == "put") {
            const std::vector<std::string> pieces = listOf(argument);
            m_files.writeFile(path, {pieces.begin(), pieces.end()}, permsOf(step[3]));
        } else if (name == "bytes") {
            return fs::exists(fs::symlink_status(path)) ? readBytes(path) : "-";
        } else if (name == "identity") {
            const std::optional<FileIdentity> identity = m_files.identity(path);
            return !identity                                    ? "none"
                   : identity == m_files.identity(at(argument)) ? "same"
                                                                : "differs";
        } else if (name == "identities") {
            std::string names;
            for (const auto& [entry, identity] : m_files.identitiesIn(path)) {
                names += (names.empty() ? "" : "|") + entry;
                names += identity == m_files.identity(path / entry) ? "" : " (wrong identity)";
            }
            return names;
        } else if (name == "perms") {
            return digitsOf(static_cast<unsigned>(m_files.permissions(path) & permsOf(step[3])), 8);
        } else if (name == "canonical") {
            return m_files.canonical(path).lexically_relative(m_folder.path()).generic_string();
        } else if (name == "flush") {
            m_files.flushFolder(path);
        } else if (name == "allows") {
            return m_files.folderAllowsDeletion(path) ? "1" : "0";
        } else if (name == "replace") {
            m_files.replaceKeepingBackup(at(step[1] + ".ini"), at(step[1] + ".new"),
                                         at(step[1] + ".bak"), at(step[1] + ".bak.tmp"));
        } else if (name == "folders" || name == "files") {
            std::vector<std::string> names;
            for (const fs::path& entry :
                 folderEntryNames(path, name == "folders" ? EntryType::Folder : EntryType::File)) {
                names.push_back(entry.string());
            }
            std::sort(names.begin(), names.end());
            return joined(names);
        } else if (name != "write") {
            ADD_FAILURE() << "no step " << name;
        }
        return "";
    }

private:
    fs::path at(const std::string& name) const {
        return (m_folder.path() / name).make_preferred();
    }

    TempFolder m_folder;
    HostFileOperations m_files;
};

TEST(FileOperationsTest, EachStepOfEachCase) {
#ifndef _WIN32
    // Written files must get exactly the permissions asked for, whatever the mask.
    const mode_t oldMask = umask(077);
#endif
    checkRows<FileOperationsCase>("file-operations.tsv", 132);
#ifndef _WIN32
    umask(oldMask);
#endif
}

#ifdef _WIN32
TEST(FileOperationsTest, FlushingAFolderHeldWithoutSharingFails) {
    const TempFolder folder;
    const HANDLE holder =
        CreateFileW(folder.path().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_NE(errorNumberOf([&] { HostFileOperations().flushFolder(folder.path()); }), 0);
    CloseHandle(holder);
}
#endif

}  // namespace
}  // namespace kestrix
