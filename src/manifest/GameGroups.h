#pragma once

#include <set>
#include <string>
#include <string_view>

namespace kestrix {

// The sections of a manifest that are the game's own installation rather
// than packages installed into the folder.
//
// A game folder copied from the game's distribution keeps its manifest in
// the distribution's form: "[Setup]" says "IsMasterProduct=True" and the
// game comes in groups ("[SetupGroup]", "[GameDEGroup]"...) whose entries are
// structures such as "File=(Src=System\De.u,Size=72169)". Removing such a
// group would take the game's files, or its record of them, away. A package
// installed into that folder later writes ordinary "File=" entries, and only
// a section that holds some and no structure is a package there. Elsewhere
// every section other than the game's reserved ones is a package.
class GameGroups {
public:
    // The text as the line rules read it (ManifestEncoding).
    explicit GameGroups(std::string_view text);

    bool contains(std::string_view name) const { return m_names.contains(name); }

private:
    std::set<std::string, std::less<>> m_names;
};

}  // namespace kestrix
