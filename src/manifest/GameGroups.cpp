#include "manifest/GameGroups.h"

#include <algorithm>
#include <map>
#include <optional>

#include "manifest/FileEntry.h"
#include "manifest/ManifestReader.h"
#include "manifest/ManifestText.h"
#include "manifest/SectionHeader.h"

namespace kestrix {

namespace {

struct Entries {
    bool ordinary = false;
    bool structure = false;
};

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// "IsMasterProduct=True" as the game reads its settings: key and value in any
// letter case, blanks around either.
bool saysMasterProduct(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos &&
           equalsIgnoringAsciiCase(ManifestText::withoutTrailingBlanks(
                                       ManifestText::withoutLeadingBlanks(line.substr(0, equals))),
                                   "IsMasterProduct") &&
           equalsIgnoringAsciiCase(ManifestText::withoutTrailingBlanks(
                                       ManifestText::withoutLeadingBlanks(line.substr(equals + 1))),
                                   "True");
}

}  // namespace

GameGroups::GameGroups(std::string_view text) {
    // Most manifests are not in the distribution's form: one search spares
    // them the pass that notes every section.
    constexpr std::string_view masterProduct = "IsMasterProduct";
    if (std::search(text.begin(), text.end(), masterProduct.begin(), masterProduct.end(),
                    [](char a, char b) {
                        return equalsIgnoringAsciiCase({&a, 1}, {&b, 1});
                    }) == text.end()) {
        return;
    }
    bool distribution = false;
    std::map<std::string, Entries, std::less<>> sections;
    Entries* section = nullptr;  // the section the line is in; map nodes stay put
    bool inSetup = false;

    ManifestReader reader;
    reader.openText(text);
    while (!reader.atEnd()) {
        const std::string_view line = reader.next().text;
        if (const std::optional<std::string_view> header = SectionHeader::nameOf(line)) {
            section = &sections.try_emplace(std::string(*header)).first->second;
            inSetup = *header == "Setup";
        } else if (ManifestText::isBlankLine(line)) {
            section = nullptr;
            inSetup = false;
        } else if (inSetup) {
            distribution = distribution || saysMasterProduct(line);
        } else if (const std::optional<std::string_view> path = FileEntry::pathOf(line);
                   section != nullptr && path) {
            (FileEntry::isStructure(*path) ? section->structure : section->ordinary) = true;
        }
    }
    if (!distribution) {
        return;
    }
    for (auto& [name, entries] : sections) {
        if (entries.structure || !entries.ordinary) {
            m_names.insert(name);
        }
    }
}

}  // namespace kestrix
