#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrix {

// The sections of a settings text, each with its "key=value" lines in order.
// Names and keys are compared as the game compares them, without regard to
// ASCII letter case; blanks around them are set aside.
class IniSections {
public:
    explicit IniSections(std::string_view text);

    using Entries = std::vector<std::pair<std::string, std::string>>;

    // The lines of the first section of that name; none when it is missing.
    const Entries* section(std::string_view name) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::vector<std::string> values(std::string_view section, std::string_view key) const;

    static bool sameName(std::string_view a, std::string_view b);
    // The pieces of one settings line, read by the rules above (a carriage
    // return left at the line's end is set aside with the blanks): the text
    // without blanks around it; the section a "[Name]" line opens; the key of
    // a "key=value" line, empty where there is no "=".
    static std::string_view trimmed(std::string_view text);
    static std::optional<std::string_view> headerName(std::string_view line);
    static std::string_view keyOf(std::string_view line);

private:
    std::vector<std::pair<std::string, Entries>> m_sections;
};

}  // namespace kestrix
