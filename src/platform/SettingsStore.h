#pragma once

#include <string>

namespace tarvello {

// The per-user settings, addressed by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::string read(const std::string& section, const std::string& key,
                             const std::string& fallback) const = 0;

    // Writes the value and makes sure it has reached the disk.
    virtual void save(const std::string& section, const std::string& key,
                      const std::string& value) = 0;
};

}  // namespace tarvello
