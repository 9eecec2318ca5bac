#pragma once

#include <QString>

#include "platform/SettingsStore.h"

namespace kestrix {

// The user's settings store on QSettings. On Windows the values live where
// the program's first versions kept them, under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// so that directories remembered by those versions carry over. Elsewhere each
// application has an INI file in the user's configuration folder.
class QtSettingsStore : public SettingsStore {
public:
    std::string get(const std::string& application, const std::string& section,
                    const std::string& key) const override;
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override;

    // Where the user's store for an application is, as the README tells users.
    static QString userLocation(const std::string& application);
};

}  // namespace kestrix
