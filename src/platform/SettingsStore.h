#pragma once

#include <string>

namespace kestrix {

// The per-user store of the program's remembered values. A value that was
// never stored reads as empty text.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& application, const std::string& section,
                            const std::string& key) const = 0;
    virtual void save(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& value) = 0;
};

}  // namespace kestrix
