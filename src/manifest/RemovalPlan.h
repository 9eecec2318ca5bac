#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "manifest/ManifestEncoding.h"
#include "platform/CodePage.h"

namespace kestrix {

// What removing one package does, worked out from the manifest's text alone,
// so that the whole removal is known and checked before anything on disk
// changes. The plan keeps views into the manifest, which must outlive it, or
// into its own copy of the text where the file's encoding needs one.
//
// Every section headed by the package's name goes: its header, its lines and
// the empty (or blank) line that ends it. A section also ends at the next
// header, which stays unless it names the package too, and at the end of the
// text. What the install recorded elsewhere goes too: the "Group=<package>"
// line of [Setup], and one count in [RefCounts] for each of the package's
// File= entries, an entry that reaches zero leaving. Every other line stays
// byte for byte, with its own line end.
class RemovalPlan {
public:
    // manifest: the file's bytes. packageName: a code page text, as the
    // window shows or takes it; it names a section whose header the window
    // would show so.
    RemovalPlan(std::string_view manifest, std::string_view packageName,
                const CodePage& codePage = CodePage::system());
    RemovalPlan(const RemovalPlan&) = delete;
    RemovalPlan& operator=(const RemovalPlan&) = delete;

    const ManifestEncoding& encoding() const { return m_encoding; }

    // Whether a section has the name. A reserved name ("UnrealTournament"...),
    // an empty one or one of the game's own groups is never an installed
    // package.
    bool installed() const { return m_installed; }
    // Whether the name is one of the game's own groups (GameGroups), which
    // nothing removes.
    bool gameGroup() const { return m_gameGroup; }

    // The new manifest as consecutive pieces of the text; they are the file's
    // bytes unless the encoding needs decoding.
    const std::vector<std::string_view>& keptText() const { return m_keptText; }
    // The new manifest's bytes, in the file's own encoding.
    std::string newManifest() const;

    // The paths of the removed sections' File= entries, as written (in the
    // text, which is UTF-8 for a UTF-8 or UTF-16 manifest).
    const std::vector<std::string_view>& fileEntries() const { return m_fileEntries; }

    // The entries that would reach outside the game folder. Any of them stops
    // the removal; none is ever among the files to delete.
    const std::vector<std::string_view>& unsafeEntries() const { return m_unsafeEntries; }

    // The safe entries that could name a file and that no remaining line lists (as Windows compares
    // paths), each file once, in the order of the manifest; never the
    // manifest's own files. Judged by the text: other spellings of the same
    // file, through links for instance, are for the caller to find on disk.
    const std::vector<std::string_view>& filesToDelete() const { return m_filesToDelete; }

    // The paths of the File= entries of the lines that stay.
    const std::vector<std::string_view>& keptEntries() const { return m_keptEntries; }

private:
    void keep(std::string_view text);
    void chooseFilesToDelete();
    void forgetRecordsOf(std::string_view header, std::string_view manifest);
    std::string fileKey(std::string_view path) const;

    ManifestEncoding m_encoding;
    std::string m_decoded;
    // Lines the removal rewrites ([RefCounts] counted down); stable, since
    // the kept text points into them.
    std::deque<std::string> m_rewritten;
    bool m_installed = false;
    bool m_gameGroup = false;
    std::vector<std::string_view> m_keptText;
    std::vector<std::string_view> m_fileEntries;
    std::vector<std::string_view> m_keptEntries;
    std::vector<std::string_view> m_unsafeEntries;
    std::vector<std::string_view> m_filesToDelete;
};

}  // namespace kestrix
