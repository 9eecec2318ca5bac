#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/SettingsStore.h"

namespace kestrix {

// Keeps each value under its application, section and key, as the user's
// store does: a value stored under another application's name is not found.
class MemorySettingsStore : public SettingsStore {
public:
    std::string get(const std::string& application, const std::string& section,
                    const std::string& key) const override {
        const auto found = values.find({application, section, key});
        return found == values.end() ? std::string() : found->second;
    }
    void save(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value) override {
        values[{application, section, key}] = value;
    }

    std::map<std::tuple<std::string, std::string, std::string>, std::string> values;
};

}  // namespace kestrix
