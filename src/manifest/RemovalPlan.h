#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrix {

// What removing one package does, worked out from the manifest's text alone,
// so that the whole removal is known and checked before anything on disk
// changes. The plan keeps views into the text, which must outlive it.
//
// Every section headed by the package's name goes: its header, its lines and
// the empty (or blank) line that ends it. A section also ends at the next
// header, which stays unless it names the package too, and at the end of the
// text. Every other line stays byte for byte, with its own line end.
class RemovalPlan {
public:
    RemovalPlan(std::string_view manifest, std::string_view packageName);

    // Whether a section has the name. A reserved name ("UnrealTournament"...)
    // or an empty one is never an installed package.
    bool installed() const { return m_installed; }

    // The new manifest as consecutive pieces of the old text.
    const std::vector<std::string_view>& keptText() const { return m_keptText; }
    std::string newManifest() const;

    // The paths of the removed sections' File= entries, as written.
    const std::vector<std::string_view>& fileEntries() const { return m_fileEntries; }

    // The entries that would reach outside the game folder. Any of them stops
    // the removal; none is ever among the files to delete.
    const std::vector<std::string_view>& unsafeEntries() const { return m_unsafeEntries; }

    // The safe entries that no remaining line lists (as Windows compares
    // paths), each file once, in the order of the manifest; never the
    // manifest's own files. Judged by the text: other spellings of the same
    // file, through links for instance, are for the caller to find on disk.
    const std::vector<std::string_view>& filesToDelete() const { return m_filesToDelete; }

    // The paths of the File= entries of the lines that stay.
    const std::vector<std::string_view>& keptEntries() const { return m_keptEntries; }

private:
    void keep(std::string_view text);
    void chooseFilesToDelete();

    bool m_installed = false;
    std::vector<std::string_view> m_keptText;
    std::vector<std::string_view> m_fileEntries;
    std::vector<std::string_view> m_keptEntries;
    std::vector<std::string_view> m_unsafeEntries;
    std::vector<std::string_view> m_filesToDelete;
};

}  // namespace kestrix
