// Each case of tests/data/removal: a manifest and the files on disk, a
// package to remove, and what must follow. Files are spelt in UTF-8 on disk
// while the manifest is Windows-1252, as Wine keeps them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "manifest/PackageList.h"
#include "manifest/PackageRemoval.h"
#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/HostFileOperations.h"
#include "platform/PlatformError.h"
#include "support/FailingFileOperations.h"
#include "support/TempFolder.h"
#include "windows/RemovalMessage.h"

namespace kestrix {
namespace {

namespace fs = std::filesystem;
using Row = std::multimap<std::string, std::string>;

// C escapes (\r \n \t \\ \xHH) in a row's value.
std::string unescape(const std::string& text) {
    std::string bytes;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\\' || at + 1 == text.size()) {
            bytes += text[at];
        } else if (const char next = text[++at]; next == 'x') {
            bytes += static_cast<char>(std::stoi(text.substr(at + 1, 2), nullptr, 16));
            at += 2;
        } else {
            bytes += next == 'r' ? '\r' : next == 'n' ? '\n' : next == 't' ? '\t' : next;
        }
    }
    return bytes;
}

std::vector<std::pair<std::string, Row>> readRows() {
    std::vector<std::pair<std::string, Row>> rows;
    for (const auto& file : fs::directory_iterator(KESTRIX_TEST_DATA "/removal")) {
        std::ifstream in(file.path());
        for (std::string line; std::getline(in, line);) {
            const std::size_t blank = line.find(' ');
            if (line.starts_with("== ")) {
                rows.emplace_back(line.substr(3), Row{});
            } else if (!line.empty() && line[0] != '#') {
                rows.back().second.emplace(line.substr(0, blank), blank == std::string::npos
                                                                      ? ""
                                                                      : line.substr(blank + 1));
            }
        }
    }
    return rows;
}

class RemovalRow : public ::testing::TestWithParam<std::pair<std::string, Row>> {
protected:
    const Row& row() const { return GetParam().second; }
    std::vector<std::string> all(const std::string& key) const {
        std::vector<std::string> values;
        for (auto [at, end] = row().equal_range(key); at != end; ++at) {
            values.push_back(at->second);
        }
        return values;
    }
    std::string one(const std::string& key, const std::string& otherwise = "") const {
        const auto found = row().find(key);
        return found == row().end() ? otherwise : found->second;
    }
    // A path of the game folder, or of the folder outside the game under "@/".
    fs::path at(const std::string& spelt) const {
        const std::string path = unescape(spelt);
        return path.starts_with("@/") ? m_outside.path() / path.substr(2)
                                      : m_drive.path() / one("gamehost", "UT") / path;
    }
    void lay(const std::string& kind, const std::string& entry) {
        const std::size_t blank = entry.find(' ');
        const fs::path path = at(entry.substr(0, blank));
        const std::string rest = blank == std::string::npos ? "" : entry.substr(blank + 1);
        fs::create_directories(path.parent_path());
        if (kind == "file") {
            writeBytes(path, rest.empty() ? entry : unescape(rest));
        } else if (kind == "folder") {
            fs::create_directories(path);
        } else if (kind == "fifo") {
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
        } else if (kind == "link") {
            fs::create_symlink(rest.starts_with("@/") ? at(rest) : fs::path(rest), path);
        } else if (kind == "hardlink") {
            fs::create_hard_link(at(rest), path);
        } else if (kind == "mode") {
            fs::permissions(path, static_cast<fs::perms>(std::stoi(rest, nullptr, 8)));
        }
    }
    // The outcome as the rows spell it.
    std::string run(FileOperations& files) {
        static const char* const names[] = {"Removed",        "RemovedNotFlushed",  "NotInstalled",
                                            "GameGroup",      "UnsafeEntry",        "Refused",
                                            "DeletionFailed", "ManifestNotReplaced"};
        try {
            const RemovalOutcome outcome =
                PackageRemoval(m_drives, files).remove(m_game, m_package);
            m_message = RemovalMessage::of(m_package, outcome);
            m_deleted = joined(outcome.deleted);
            m_notFound = joined(outcome.notFound);
            return names[static_cast<int>(outcome.status)];
        } catch (const PlatformError& error) {
            return "raises " + std::to_string(error.number());
        }
    }
    static std::string joined(const std::vector<std::string>& texts) {
        std::string all;
        for (const std::string& text : texts) {
            all += text + "|";
        }
        return all;
    }
    std::string listed() const {
        try {
            return joined(listPackages(m_game, m_drives));
        } catch (const PlatformError& error) {
            return "raises " + std::to_string(error.number());
        }
    }

    TempFolder m_drive, m_outside;
    DriveTable m_drives{{Drive{'C', m_drive.path()}}, m_drive.path(), CodePage::windows1252()};
    std::string m_game = unescape(one("game", "C:\\\\UT"));
    std::string m_package = unescape(one("package", "A"));
    std::string m_message, m_deleted, m_notFound;
};

TEST_P(RemovalRow, EndsAsTheRowSays) {
    const fs::path manifest = at(one("manifestat", "System/manifest.ini"));
    if (row().contains("manifest")) {
        writeBytes(manifest, unescape(one("manifest")));
    }
    for (const char* kind : {"file", "folder", "fifo", "link", "hardlink", "mode"}) {
        for (const std::string& entry : all(kind)) {
            lay(kind, entry);
        }
    }
    // A FIFO would hold the test as it would the program.
    const bool readable = fs::is_regular_file(manifest);
    const std::string before = readable ? readBytes(manifest) : "";
    if (row().contains("listed")) {
        EXPECT_EQ(listed(), unescape(one("listed")));
    }
    FailingFileOperations files(one("fail"));

    EXPECT_EQ(run(files), one("expect"));
    if (row().contains("message")) {
        EXPECT_EQ(m_message, unescape(one("message")));
    }
    if (row().contains("deleted")) {
        EXPECT_EQ(m_deleted + " / " + m_notFound, unescape(one("deleted")));
    }
    if (readable) {
        EXPECT_EQ(readBytes(manifest), row().contains("after") ? unescape(one("after")) : before);
    }
    if (row().contains("bak")) {
        EXPECT_EQ(readBytes(at("System/manifest.bak")), unescape(one("bak")));
    }
    for (const std::string& path : all("gone")) {
        EXPECT_FALSE(fs::exists(fs::symlink_status(at(path)))) << path;
    }
    for (const std::string& path : all("kept")) {
        EXPECT_TRUE(fs::exists(fs::symlink_status(at(path)))) << path;
    }
    if (row().contains("again")) {
        HostFileOperations host;
        EXPECT_EQ(run(host), one("again"));
    }
    for (const std::string& entry : all("mode")) {
        std::error_code gone;
        fs::permissions(at(entry.substr(0, entry.find(' '))), fs::perms::all, gone);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RemovalRow, ::testing::ValuesIn(readRows()),
                         [](const auto& info) { return info.param.first; });

}  // namespace
}  // namespace kestrix
