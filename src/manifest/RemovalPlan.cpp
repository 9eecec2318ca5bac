#include "manifest/RemovalPlan.h"

#include <bitset>
#include <optional>
#include <unordered_set>

#include "manifest/FileEntry.h"
#include "manifest/ManifestReader.h"
#include "manifest/ManifestText.h"
#include "manifest/SectionHeader.h"

namespace kestrix {

namespace {

// A package that lists the manifest itself must not take it along: the
// removal rewrites the manifest, and deleting it would lose the game's record.
bool isManifestFile(const std::string& key) {
    return key == "system\\manifest.ini" || key == "system\\manifest.new" ||
           key == "system\\manifest.bak";
}

}  // namespace

RemovalPlan::RemovalPlan(std::string_view manifest, std::string_view packageName) {
    const bool isPackage = SectionHeader::namesPackage(packageName);
    std::size_t keptFrom = 0;
    bool inSection = false;

    ManifestReader reader;
    reader.openText(manifest);
    // Outside the package's sections only headers matter, and they are found
    // without reading the lines between.
    while (inSection ? !reader.atEnd() : reader.skipToLineWith('[')) {
        const ManifestLine line = reader.next();
        const auto begin = static_cast<std::size_t>(line.raw.data() - manifest.data());
        const std::optional<std::string_view> header = SectionHeader::nameOf(line.text);
        if (inSection && !header) {
            if (ManifestText::isBlankLine(line.text)) {
                inSection = false;
                keptFrom = begin + line.raw.size();
            } else if (const auto path = FileEntry::pathOf(line.text)) {
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
    std::unordered_set<std::string> deletable;
    std::bitset<4096> names;
    std::vector<std::string_view> candidates;
    std::string key;
    for (const std::string_view path : m_fileEntries) {
        if (!FileEntry::staysInside(path)) {
            m_unsafeEntries.push_back(path);
            continue;
        }
        FileEntry::sameFileKey(path, key);
        if (!isManifestFile(key) && deletable.insert(key).second) {
            candidates.push_back(path);
            names.set(FileEntry::nameHash(path) % names.size());
        }
    }
    // The lines that stay are looked through once the package's paths are
    // known, rather than kept aside during the pass: a large manifest's
    // millions of File= lines would otherwise need a list as large, and the
    // hash set holds only the package's few paths.
    for (const std::string_view piece : m_keptText) {
        ManifestReader reader;
        reader.openPart(piece);
        while (!reader.atEnd() && !deletable.empty()) {
            const auto path = FileEntry::pathOf(reader.next().text);
            if (path && names.test(FileEntry::nameHash(*path) % names.size())) {
                FileEntry::sameFileKey(*path, key);
                deletable.erase(key);
            }
        }
    }
    for (const std::string_view path : candidates) {
        FileEntry::sameFileKey(path, key);
        if (deletable.contains(key)) {
            m_filesToDelete.push_back(path);
        }
    }
}

}  // namespace kestrix
