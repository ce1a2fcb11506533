#include "platform/qt/QtSettingsStore.h"

namespace tarvello {
namespace {

QString SettingKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& organization, const QString& application)
    : settings_(organization, application) {}

std::string QtSettingsStore::read(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
    const QVariant value = settings_.value(SettingKey(section, key));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

void QtSettingsStore::save(const std::string& section, const std::string& key,
                           const std::string& value) {
    settings_.setValue(SettingKey(section, key), QString::fromStdString(value));
    settings_.sync();
}

}  // namespace tarvello
