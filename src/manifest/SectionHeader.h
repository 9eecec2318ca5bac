#pragma once

#include <optional>
#include <string_view>

namespace kestrix {

// The one rule, shared by listing and removal, for which lines head a section
// and which name they give, so that every name the list shows removes exactly
// its own section.
//
// A header is a line whose first character other than blanks and tabs is "["
// (a UTF-8 byte-order mark in front counts as blank). With blanks and tabs at
// its end set aside, the name is what lies between the "[" and a closing "]";
// a line without the closing "]" names everything after the "[". Nothing
// inside is split or trimmed: "[A,B]" names "A,B", "[DM-Deck16][]" names
// "DM-Deck16][". A lone "[", "[]" or a name of blanks alone names nothing,
// yet still heads a section and so ends the one before it.
class SectionHeader {
public:
    // The name a header line gives, possibly empty; nothing for other lines.
    static std::optional<std::string_view> nameOf(std::string_view line);

    // Whether a header's name stands for an installed package: not empty or
    // blank, and not one of the game's own sections, compared exactly ("[setup]" is a
    // package).
    static bool namesPackage(std::string_view name);
};

}  // namespace kestrix
