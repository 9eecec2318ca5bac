#include "package/IniSections.h"

#include <algorithm>

#include "manifest/ManifestText.h"

namespace kestrix {

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view IniSections::trimmed(std::string_view text) {
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    return ManifestText::withoutTrailingBlanks(ManifestText::withoutLeadingBlanks(text));
}

std::optional<std::string_view> IniSections::headerName(std::string_view line) {
    line = trimmed(line);
    if (line.size() < 2 || !line.starts_with('[') || !line.ends_with(']')) {
        return std::nullopt;
    }
    return trimmed(line.substr(1, line.size() - 2));
}

std::string_view IniSections::keyOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : trimmed(line.substr(0, equals));
}

IniSections::IniSections(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (const auto name = headerName(line)) {
            m_sections.emplace_back(std::string(*name), Entries{});
        } else if (const std::size_t equals = line.find('=');
                   equals != std::string_view::npos && !m_sections.empty()) {
            m_sections.back().second.emplace_back(std::string(keyOf(line)),
                                                  std::string(trimmed(line.substr(equals + 1))));
        }
    }
}

bool IniSections::sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lower(x) == lower(y); });
}

const IniSections::Entries* IniSections::section(std::string_view name) const {
    for (const auto& [sectionName, entries] : m_sections) {
        if (sameName(sectionName, name)) {
            return &entries;
        }
    }
    return nullptr;
}

std::vector<std::string> IniSections::values(std::string_view sectionName,
                                             std::string_view key) const {
    std::vector<std::string> found;
    if (const Entries* entries = section(sectionName)) {
        for (const auto& [entryKey, value] : *entries) {
            if (sameName(entryKey, key)) {
                found.push_back(value);
            }
        }
    }
    return found;
}

std::optional<std::string> IniSections::value(std::string_view sectionName,
                                              std::string_view key) const {
    std::vector<std::string> found = values(sectionName, key);
    if (found.empty()) {
        return std::nullopt;
    }
    return std::move(found.front());
}

}  // namespace kestrix
