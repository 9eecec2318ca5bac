#include "manifest/RemovalPlan.h"

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
        } else if (path) {
            m_keptEntries.push_back(*path);
        }
    }
    if (!inSection) {
        keep(manifest.substr(keptFrom));
    }
    chooseFilesToDelete();
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
    // Case folds in the code page, so a path compares in it where it can.
    const auto keyOf = [this](std::string_view path) {
        return FileEntry::sameFileKey(m_encoding.toCodePage(path).value_or(std::string(path)));
    };
    for (const std::string_view path : m_keptEntries) {
        seen.insert(keyOf(path));
    }
    for (const std::string_view path : m_fileEntries) {
        if (!FileEntry::staysInside(path)) {
            m_unsafeEntries.push_back(path);
            continue;
        }
        if (!FileEntry::namesPossibleFile(path)) {
            continue;
        }
        const std::string key = keyOf(path);
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
