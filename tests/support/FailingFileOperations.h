#pragma once

#include <sstream>
#include <string>

#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"

namespace kestrix {

// The host's file operations, except that one of them fails as a locked
// file, a full or failing disk or a refused listing would. The fault reads
// "OPERATION NAME NUMBER [NTH]": the operation (delete, write, move, replace
// onto the backup, flush, identity, or any of them) on a file of that name
// ("*": any), at its NTH such call (the first unless given), raises error
// NUMBER. An empty fault fails nothing.
class FailingFileOperations final : public HostFileOperations {
public:
    explicit FailingFileOperations(const std::string& fault) {
        std::istringstream(fault) >> m_operation >> m_name >> m_number >> m_left;
    }
    std::optional<FileIdentity> identity(const std::filesystem::path& path) const override {
        return failOn("identity", path), HostFileOperations::identity(path);
    }
    void deleteFile(const std::filesystem::path& path) override {
        failOn("delete", path), HostFileOperations::deleteFile(path);
    }
    void writeFile(const std::filesystem::path& path, const std::vector<std::string_view>& pieces,
                   std::filesystem::perms permissions) override {
        failOn("write", path), HostFileOperations::writeFile(path, pieces, permissions);
    }
    void moveFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        failOn("move", to), HostFileOperations::moveFile(from, to);
    }
    void replaceKeepingBackup(const std::filesystem::path& current,
                              const std::filesystem::path& replacement,
                              const std::filesystem::path& backup,
                              const std::filesystem::path& inProgress) override {
        failOn("replace", backup);
        HostFileOperations::replaceKeepingBackup(current, replacement, backup, inProgress);
    }
    void flushFolder(const std::filesystem::path& folder) override {
        failOn("flush", folder), HostFileOperations::flushFolder(folder);
    }

private:
    void failOn(const std::string& operation, const std::filesystem::path& path) const {
        if ((m_operation == operation || m_operation == "any") &&
            (m_name == "*" || path.filename() == m_name) && --m_left == 0) {
            throw PlatformError(m_number);
        }
    }
    std::string m_operation, m_name;
    int m_number = 0;
    mutable int m_left = 1;
};

}  // namespace kestrix
