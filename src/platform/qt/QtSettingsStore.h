#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>
#include <QString>

namespace tarvello {

// QSettings in user scope; on Linux the INI file
// <config folder>/<organization>/<application>.conf. Each save is on disk
// when save() returns, so a count typed just before the program is killed
// is kept.
class QtSettingsStore final : public SettingsStore {
public:
    QtSettingsStore(const QString& organization, const QString& application);

    std::string read(const std::string& section, const std::string& key,
                     const std::string& fallback) const override;
    void save(const std::string& section, const std::string& key,
              const std::string& value) override;

private:
    QSettings settings_;
};

}  // namespace tarvello
