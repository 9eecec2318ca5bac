#pragma once

#include <string_view>

#include "platform/Blank.h"

namespace kestrix::ManifestText {

// A manifest saved as UTF-8 by an editor may start with this mark; the game
// writes none, and a reader steps over it.
inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// The blanks of a manifest line (see isBlank) are what may stand around a
// header or an entry and what an empty line may hold.

constexpr std::string_view withoutLeadingBlanks(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) {
        ++first;
    }
    return text.substr(first);
}

constexpr std::string_view withoutTrailingBlanks(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

constexpr bool isBlankLine(std::string_view text) {
    return withoutLeadingBlanks(text).empty();
}

}  // namespace kestrix::ManifestText
