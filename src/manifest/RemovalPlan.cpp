#include "manifest/RemovalPlan.h"

#include <map>
#include <optional>
#include <set>
#include <string>

#include "manifest/FileEntry.h"
#include "manifest/GameGroups.h"
#include "manifest/ManifestLocation.h"
#include "manifest/ManifestReader.h"
#include "manifest/ManifestText.h"
#include "manifest/SectionHeader.h"

namespace kestrix {

RemovalPlan::RemovalPlan(std::string_view bytes, std::string_view packageName,
                         const CodePage& codePage)
    : m_encoding(ManifestEncoding::of(bytes, codePage)) {
    if (m_encoding.needsDecoding()) {
        m_decoded = m_encoding.textOf(bytes);
    }
    const std::string_view manifest = m_encoding.needsDecoding() ? m_decoded : bytes;
    const GameGroups gameGroups(manifest);
    const bool isPackage = SectionHeader::namesPackage(packageName);
    std::size_t keptFrom = 0;
    bool inSection = false;
    std::optional<std::string_view> removedHeader;

    ManifestReader reader;
    reader.openText(manifest);
    while (!reader.atEnd()) {
        const ManifestLine line = reader.next();
        const auto begin = static_cast<std::size_t>(line.raw.data() - manifest.data());
        const std::optional<std::string_view> header = SectionHeader::nameOf(line.text);
        const std::optional<std::string_view> path = FileEntry::pathOf(line.text);
        if (inSection && !header) {
            if (ManifestText::isBlankLine(line.text)) {
                inSection = false;
                keptFrom = begin + line.raw.size();
            } else if (path) {
                m_fileEntries.push_back(*path);
            }
            continue;
        }
        if (inSection) {
            inSection = false;
            keptFrom = begin;
        }
        const bool named = isPackage && header && m_encoding.showsAs(*header, packageName);
        if (named && gameGroups.contains(*header)) {
            m_gameGroup = true;
        } else if (named) {
            keep(manifest.substr(keptFrom, begin - keptFrom));
            inSection = true;
            m_installed = true;
            removedHeader = *header;
        } else if (path) {
            m_keptEntries.push_back(*path);
        }
    }
    if (!inSection) {
        keep(manifest.substr(keptFrom));
    }
    chooseFilesToDelete();
    if (removedHeader) {
        forgetRecordsOf(*removedHeader, manifest);
    }
}

std::string RemovalPlan::fileKey(std::string_view path) const {
    // Case folds in the code page, so a path compares in it where it can.
    return FileEntry::sameFileKey(m_encoding.toCodePage(path).value_or(std::string(path)));
}

void RemovalPlan::forgetRecordsOf(std::string_view header, std::string_view manifest) {
    std::map<std::string, long> uses;
    for (const std::string_view path : m_fileEntries) {
        ++uses[fileKey(path)];
    }
    const std::string group = "Group=" + std::string(header);
    std::vector<std::string_view> pieces;
    pieces.swap(m_keptText);
    auto piece = pieces.begin();
    const char* keptFrom = piece == pieces.end() ? nullptr : piece->data();
    const auto keepUpTo = [&](const char* end) {
        keep(std::string_view(keptFrom, static_cast<std::size_t>(end - keptFrom)));
    };
    // The whole text is read again, as the line rules read it; its lines
    // outside the kept pieces are those of the removed sections.
    // Empty outside any section: no section the records live in is nameless.
    std::string_view section;
    ManifestReader reader;
    reader.openText(manifest);
    while (!reader.atEnd() && piece != pieces.end()) {
        const ManifestLine line = reader.next();
        if (line.raw.data() >= piece->data() + piece->size()) {
            keepUpTo(piece->data() + piece->size());
            if (++piece == pieces.end()) {
                break;
            }
            keptFrom = piece->data();
        }
        if (line.raw.data() < piece->data()) {
            section = {};  // what follows a removed section lies outside any
            continue;
        }
        const char* lineEnd = line.raw.data() + line.raw.size();
        if (const auto name = SectionHeader::nameOf(line.text)) {
            section = *name;
        } else if (section == "Setup" && line.text == group) {
            keepUpTo(line.raw.data());
            keptFrom = lineEnd;
        } else if (section == "RefCounts" && line.text.starts_with("File:")) {
            // "File:System\Foo.u=2"; a count that is no number is left as
            // the game wrote it.
            const std::size_t equals = line.text.rfind('=');
            const std::string_view count = line.text.substr(equals + 1);
            const auto used = uses.find(fileKey(line.text.substr(5, equals - 5)));
            if (used == uses.end() || count.empty() || count.size() > 9 ||
                count.find_first_not_of("0123456789") != std::string_view::npos) {
                continue;
            }
            const long left = std::stol(std::string(count)) - used->second;
            keepUpTo(line.raw.data());
            keptFrom = lineEnd;
            if (left > 0) {
                keep(m_rewritten.emplace_back(std::string(line.text.substr(0, equals + 1)) +
                                              std::to_string(left) +
                                              std::string(line.raw.substr(line.text.size()))));
            }
        }
    }
    if (piece != pieces.end()) {
        keepUpTo(piece->data() + piece->size());
    }
}

std::string RemovalPlan::newManifest() const {
    std::string text;
    for (const std::string_view piece : m_keptText) {
        text.append(piece);
    }
    return m_encoding.needsDecoding() ? m_encoding.bytesOf(text) : text;
}

void RemovalPlan::keep(std::string_view text) {
    if (!text.empty()) {
        m_keptText.push_back(text);
    }
}

void RemovalPlan::chooseFilesToDelete() {
    std::set<std::string> seen;
    for (const std::string_view path : m_keptEntries) {
        seen.insert(fileKey(path));
    }
    for (const std::string_view path : m_fileEntries) {
        if (!FileEntry::staysInside(path)) {
            m_unsafeEntries.push_back(path);
            continue;
        }
        if (!FileEntry::namesPossibleFile(path)) {
            continue;
        }
        const std::string key = fileKey(path);
        // A package that lists the manifest itself must not take it along:
        // the removal rewrites the manifest, and deleting it would lose the
        // game's record. The removal also asks the disk, which sees through
        // other spellings.
        if (!ManifestLocation::isManifestFile(key) && seen.insert(key).second) {
            m_filesToDelete.push_back(path);
        }
    }
}

}  // namespace kestrix
