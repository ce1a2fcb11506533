#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace tarvello {
namespace {

QString SettingKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore(QString organization, QString application)
    : organization_(std::move(organization)), application_(std::move(application)) {}

std::string QtSettingsStore::read(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
    const QSettings settings(organization_, application_);
    const QVariant value = settings.value(SettingKey(section, key));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

void QtSettingsStore::save(const std::string& section, const std::string& key,
                           const std::string& value) {
    QSettings settings(organization_, application_);
    settings.setValue(SettingKey(section, key), QString::fromStdString(value));
    settings.sync();
}

}  // namespace tarvello
