#include "manifest/SectionHeader.h"

#include <algorithm>
#include <array>

#include "manifest/ManifestText.h"

namespace kestrix {

namespace {

constexpr std::array<std::string_view, 4> reservedSections = {"Setup", "UnrealTournament",
                                                              "RefCounts", "Unreal Tournament"};

}  // namespace

std::optional<std::string_view> SectionHeader::nameOf(std::string_view line) {
    if (line.starts_with(ManifestText::utf8ByteOrderMark)) {
        line.remove_prefix(ManifestText::utf8ByteOrderMark.size());
    }
    line = ManifestText::withoutLeadingBlanks(line);
    if (!line.starts_with('[')) {
        return std::nullopt;
    }
    std::string_view name = ManifestText::withoutTrailingBlanks(line.substr(1));
    if (name.ends_with(']')) {
        name.remove_suffix(1);
    }
    return name;
}

bool SectionHeader::namesPackage(std::string_view name) {
    return !ManifestText::isBlankLine(name) &&
           std::find(reservedSections.begin(), reservedSections.end(), name) ==
               reservedSections.end();
}

}  // namespace kestrix
