#include "package/ManifestAddition.h"

#include <optional>

#include "manifest/FileEntry.h"
#include "manifest/SectionHeader.h"
#include "package/IniSections.h"
#include "package/PackageDescription.h"

namespace kestrix {

namespace {

constexpr std::string_view lineEnd = "\r\n";

// The manifest's lines without their LF; a CR before it stays with the line.
std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        lines.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return lines;
        }
        start = end + 1;
    }
}

std::string_view withoutCr(std::string_view line) {
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

std::string newLine(std::string text) {
    return text += "\r";
}

// The index of the first line of the section and one past its last line
// that is not blank.
struct SectionSpan {
    std::size_t header;
    std::size_t end;
};

std::optional<SectionSpan> findSection(const std::vector<std::string>& lines,
                                       std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto header = SectionHeader::nameOf(withoutCr(lines[i]));
        if (header && IniSections::sameName(*header, name)) {
            std::size_t end = i + 1;
            for (std::size_t j = i + 1; j < lines.size(); ++j) {
                if (SectionHeader::nameOf(withoutCr(lines[j]))) {
                    break;
                }
                if (!withoutCr(lines[j]).empty()) {
                    end = j + 1;
                }
            }
            return SectionSpan{i, end};
        }
    }
    return std::nullopt;
}

void addGroup(std::vector<std::string>& lines, const std::string& product) {
    const auto setup = findSection(lines, "Setup");
    if (!setup) {
        lines.insert(lines.begin(), {newLine("[Setup]"), newLine("Group=" + product), "\r"});
        return;
    }
    std::size_t after = setup->end;
    for (std::size_t i = setup->header + 1; i < setup->end; ++i) {
        if (withoutCr(lines[i]).starts_with("Group=")) {
            after = i + 1;
        }
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after), newLine("Group=" + product));
}

// Counts each file once more; false when there is no [RefCounts] to count in.
bool countFiles(std::vector<std::string>& lines, const std::vector<std::string>& files) {
    auto counts = findSection(lines, "RefCounts");
    if (!counts) {
        return false;
    }
    for (const std::string& file : files) {
        const std::string key = FileEntry::sameFileKey(file);
        bool counted = false;
        for (std::size_t i = counts->header + 1; i < counts->end && !counted; ++i) {
            const std::string_view line = withoutCr(lines[i]);
            const std::size_t equals = line.rfind('=');
            if (line.starts_with("File:") && equals != std::string_view::npos &&
                FileEntry::sameFileKey(line.substr(5, equals - 5)) == key) {
                const std::string_view count = line.substr(equals + 1);
                const bool readable = !count.empty() && count.size() < 9 &&
                                      count.find_first_not_of("0123456789") == std::string::npos;
                // A count that is no number is the game's to read: it stays
                // as it stands rather than be guessed at.
                if (readable) {
                    lines[i] = newLine(std::string(line.substr(0, equals + 1)) +
                                       std::to_string(std::stol(std::string(count)) + 1));
                }
                counted = true;
            }
        }
        if (!counted) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(counts->end),
                         newLine("File:" + file + "=1"));
            ++counts->end;
        }
    }
    return true;
}

void appendBlankLineBefore(std::string& text) {
    if (!text.empty() && !text.ends_with('\n')) {
        text += lineEnd;
    }
    if (!text.empty() && !text.ends_with("\n\r\n") && !text.ends_with("\n\n")) {
        text += lineEnd;
    }
}

}  // namespace

std::string ManifestAddition::withProduct(std::string_view manifest,
                                          const PackageDescription& description,
                                          const std::vector<std::string>& files) {
    std::vector<std::string> lines = linesOf(manifest);
    addGroup(lines, description.product());
    const bool counted = countFiles(lines, files);

    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size()) {
            text += '\n';
        }
    }
    if (!counted) {
        appendBlankLineBefore(text);
        text.append("[RefCounts]").append(lineEnd);
        for (const std::string& file : files) {
            text.append("File:").append(file).append("=1").append(lineEnd);
        }
    }
    appendBlankLineBefore(text);
    text.append("[").append(description.product()).append("]").append(lineEnd);
    text.append("Caption=").append(description.caption()).append(lineEnd);
    text.append("Version=").append(description.version()).append(lineEnd);
    for (const std::string& file : files) {
        text.append("File=").append(file).append(lineEnd);
    }
    text.append(lineEnd);
    return text;
}

}  // namespace kestrix
