#include "platform/qt/QtSettingsStore.h"

namespace tarvello {
namespace {

QString SettingKey(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& organization, const QString& application)
    : settings_(organization, application) {}

// A value stands as text when it is UTF-8, so the file stays readable and
// hand-written values read back; any other bytes (a path whose name is not
// UTF-8) stand as bytes and come back exactly.
std::string QtSettingsStore::read(const std::string& section, const std::string& key,
                                  const std::string& fallback) const {
    const QVariant value = settings_.value(SettingKey(section, key));
    if (!value.isValid())
        return fallback;
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::save(const std::string& section, const std::string& key,
                           const std::string& value) {
    const QString text = QString::fromStdString(value);
    if (text.toStdString() == value)
        settings_.setValue(SettingKey(section, key), text);
    else
        settings_.setValue(SettingKey(section, key), QByteArray::fromStdString(value));
    settings_.sync();
}

}  // namespace tarvello
