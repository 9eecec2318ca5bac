#pragma once

#include <string>

#include "platform/SettingsStore.h"

namespace kestrix {

// The settings where the classic runtime kept every program's: under
// HKEY_CURRENT_USER, "Software\VB and VBA Program Settings", then the
// application and the section, one REG_SZ value a key. Players' remembered folders from earlier
// versions are found there.
class RegistrySettingsStore final : public SettingsStore {
public:
    // root: the key under which "<application>\<section>" lies; tests give a
    // key of their own so that nothing of the user's is read or changed.
    explicit RegistrySettingsStore(std::wstring root = L"Software\\VB and VBA Program Settings");

    std::string get(const std::string& application, const std::string& section,
                    const std::string& key) const override;
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;

private:
    std::wstring sectionPath(const std::string& application, const std::string& section) const;

    std::wstring m_root;
};

}  // namespace kestrix
