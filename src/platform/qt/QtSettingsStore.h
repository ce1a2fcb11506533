#pragma once

#include "platform/SettingsStore.h"

#include <QString>

namespace tarvello {

// QSettings in user scope; on Linux the INI file
// <config folder>/<organization>/<application>.conf.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore(QString organization, QString application);

    std::string read(const std::string& section, const std::string& key,
                     const std::string& fallback) const override;
    void save(const std::string& section, const std::string& key,
              const std::string& value) override;

private:
    QString organization_;
    QString application_;
};

}  // namespace tarvello
