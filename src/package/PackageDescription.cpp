#include "package/PackageDescription.h"

#include "package/IniSections.h"
#include "package/PackageRefusal.h"

namespace kestrix {

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
                }
            }
        }
    }
    return description;
}

}  // namespace kestrix
