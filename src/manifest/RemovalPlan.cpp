#include "manifest/RemovalPlan.h"

#include <optional>
#include <set>
#include <string>

#include "manifest/FileEntry.h"
#include "manifest/ManifestLocation.h"
#include "manifest/ManifestReader.h"
#include "manifest/ManifestText.h"
#include "manifest/SectionHeader.h"

namespace kestrix {

RemovalPlan::RemovalPlan(std::string_view manifest, std::string_view packageName) {
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
        if (isPackage && header == packageName) {
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
    return text;
}

void RemovalPlan::keep(std::string_view text) {
    if (!text.empty()) {
        m_keptText.push_back(text);
    }
}

void RemovalPlan::chooseFilesToDelete() {
    std::set<std::string> seen;
    for (const std::string_view path : m_keptEntries) {
        seen.insert(FileEntry::sameFileKey(path));
    }
    for (const std::string_view path : m_fileEntries) {
        if (!FileEntry::staysInside(path)) {
            m_unsafeEntries.push_back(path);
            continue;
        }
        const std::string key = FileEntry::sameFileKey(path);
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
