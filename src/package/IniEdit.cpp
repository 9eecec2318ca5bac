#include "package/IniEdit.h"

#include <algorithm>
#include <vector>

#include "manifest/ManifestText.h"
#include "package/IniSections.h"

namespace kestrix {

namespace {

struct Line {
    std::string_view text;  // without its line end
    std::size_t begin;
    std::size_t end;  // after its line end
};

std::vector<Line> linesOf(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t lf = text.find('\n', begin);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        std::string_view line = text.substr(begin, end - begin);
        if (line.ends_with('\n')) {
            line.remove_suffix(1);
        }
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back({line, begin, end});
        begin = end;
    }
    return lines;
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("\\/:*?\"<>|") == std::string_view::npos;
}

}  // namespace

std::optional<IniEdit> IniEdit::parse(std::string_view asWritten) {
    // A control character (a lone carriage return, a NUL) has no plain place
    // in an ini line: written once it reads back as another line or value, so
    // such an edit is listed for the player, never made.
    if (std::any_of(asWritten.begin(), asWritten.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return (byte < 0x20 && byte != '\t') || byte == 0x7F;
        })) {
        return std::nullopt;
    }
    const std::size_t equals = asWritten.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    IniEdit edit;
    const std::string_view kind = IniSections::trimmed(asWritten.substr(0, equals));
    edit.m_adds = IniSections::sameName(kind, "AddIni");
    if (!edit.m_adds && !IniSections::sameName(kind, "Ini")) {
        return std::nullopt;
    }
    std::string_view rest = IniSections::trimmed(asWritten.substr(equals + 1));
    if (rest.size() >= 2 && rest.starts_with('"') && rest.ends_with('"')) {
        rest = rest.substr(1, rest.size() - 2);
    }
    const std::size_t comma = rest.find(',');
    const std::size_t assignment = rest.find('=', comma == std::string_view::npos ? 0 : comma);
    if (comma == std::string_view::npos || assignment == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view file = IniSections::trimmed(rest.substr(0, comma));
    if (file.size() > 7 && IniSections::sameName(file.substr(0, 7), "System\\")) {
        file.remove_prefix(7);
    }
    const std::string_view sectionKey =
        IniSections::trimmed(rest.substr(comma + 1, assignment - comma - 1));
    const std::size_t dot = sectionKey.rfind('.');
    if (!isPlainFileName(file) || dot == std::string_view::npos) {
        return std::nullopt;
    }
    edit.m_fileName = file;
    edit.m_section = IniSections::trimmed(sectionKey.substr(0, dot));
    edit.m_key = IniSections::trimmed(sectionKey.substr(dot + 1));
    edit.m_value = IniSections::trimmed(rest.substr(assignment + 1));
    if (edit.m_section.empty() || edit.m_key.empty() ||
        (edit.m_section + edit.m_key).find_first_of("[]") != std::string::npos) {
        return std::nullopt;
    }
    return edit;
}

std::optional<std::string> IniEdit::appliedTo(std::string_view text) const {
    // A carriage return before anything but a line feed leaves unclear where
    // its line ends, and a line written after it would be read otherwise the
    // next time: such a file is left to the player.
    for (std::size_t at = text.find('\r'); at != std::string_view::npos;
         at = text.find('\r', at + 1)) {
        if (at + 1 == text.size() || text[at + 1] != '\n') {
            return std::nullopt;
        }
    }
    const std::vector<Line> lines = linesOf(text);
    const std::string_view lineEnd =
        !lines.empty() && text.substr(0, lines.front().end).ends_with("\r\n") ? "\r\n" : "\n";
    const std::string entry = m_key + "=" + m_value;

    std::optional<std::size_t> header;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = IniSections::headerName(lines[i].text);
        if (name && IniSections::sameName(*name, m_section)) {
            if (header) {
                return std::nullopt;
            }
            header = i;
        }
    }
    std::string result(text);
    if (!header) {
        if (!result.empty() && !result.ends_with('\n')) {
            result += lineEnd;
        }
        if (!result.empty() && !lines.back().text.empty()) {
            result += lineEnd;
        }
        return result.append("[")
            .append(m_section)
            .append("]")
            .append(lineEnd)
            .append(entry)
            .append(lineEnd);
    }
    // The new line goes after the section's last line that is not blank.
    std::size_t insertAt = lines[*header].end;
    std::optional<std::size_t> keyLine;
    for (std::size_t i = *header + 1; i < lines.size() && !IniSections::headerName(lines[i].text);
         ++i) {
        if (!ManifestText::isBlankLine(lines[i].text)) {
            insertAt = lines[i].end;
        }
        if (!IniSections::sameName(IniSections::keyOf(lines[i].text), m_key)) {
            continue;
        }
        if (m_adds &&
            IniSections::trimmed(lines[i].text.substr(lines[i].text.find('=') + 1)) == m_value) {
            return result;
        }
        if (!m_adds && keyLine) {
            return std::nullopt;
        }
        keyLine = i;
    }
    if (!m_adds && keyLine) {
        // The key keeps its spelling; only the value changes.
        const Line& line = lines[*keyLine];
        const std::size_t value = line.text.find('=') + 1;
        return result.replace(line.begin + value, line.text.size() - value, m_value);
    }
    std::string inserted = entry + std::string(lineEnd);
    if (insertAt == text.size() && !text.ends_with('\n')) {
        inserted = std::string(lineEnd) + entry;
    }
    return result.insert(insertAt, inserted);
}

}  // namespace kestrix
