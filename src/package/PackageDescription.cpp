#include "package/PackageDescription.h"

#include <string>
#include <utility>

#include "package/IniSections.h"
#include "package/PackageRefusal.h"

namespace kestrix {

namespace {

// A field of an entry such as "(Src=\"System\\A b.u\",Master=...,Flags=3)";
// quotes hold commas. An entry that is no such structure is its Src alone.
std::string fieldOf(std::string_view entry, std::string_view field) {
    if (!entry.starts_with('(')) {
        return IniSections::sameName(field, "Src") ? std::string(entry) : std::string();
    }
    entry = entry.substr(1, entry.ends_with(')') ? entry.size() - 2 : entry.size() - 1);
    std::string key;
    std::string value;
    bool inValue = false;
    bool quoted = false;
    for (std::size_t at = 0; at <= entry.size(); ++at) {
        const char c = at < entry.size() ? entry[at] : ',';
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            if (IniSections::sameName(key, field)) {
                return value;
            }
            key.clear();
            value.clear();
            inValue = false;
        } else if (c == '=' && !inValue && !quoted) {
            inValue = true;
        } else {
            (inValue ? value : key) += c;
        }
    }
    return {};
}

}  // namespace

PackageDescription PackageDescription::parse(std::string_view manifestIni,
                                             std::string_view manifestInt) {
    const IniSections ini(manifestIni);
    const IniSections localized(manifestInt);
    PackageDescription description;
    description.m_product = ini.value("Setup", "Product").value_or("");
    if (description.m_product.empty()) {
        throw PackageRefusal("The package does not name its product.");
    }
    description.m_version = ini.value("Setup", "Version").value_or("");
    description.m_caption =
        localized.value("Setup", "LocalProduct")
            .value_or(ini.value("Setup", "LocalProduct").value_or(description.m_product));
    for (const std::string& required : ini.values("Setup", "Requires")) {
        if (ini.section(required) != nullptr) {
            description.m_requirements.push_back({ini.value(required, "Product").value_or(required),
                                                  ini.value(required, "Version").value_or("")});
        } else {
            description.m_requirements.push_back({required, ""});
        }
    }
    for (const std::string& group : ini.values("Setup", "Group")) {
        if (const IniSections::Entries* entries = ini.section(group)) {
            for (const auto& [key, value] : *entries) {
                if (IniSections::sameName(key, "Ini") || IniSections::sameName(key, "AddIni")) {
                    description.m_iniEdits.push_back(key + "=" + value);
                } else if (IniSections::sameName(key, "File") ||
                           IniSections::sameName(key, "Copy")) {
                    // Flags=3 marks the setup's own files, which describe the package.
                    std::string source = fieldOf(value, "Src");
                    if (fieldOf(value, "Flags") != "3" && !source.empty()) {
                        description.m_groupFiles.push_back(std::move(source));
                    }
                }
            }
        }
    }
    return description;
}

}  // namespace kestrix
