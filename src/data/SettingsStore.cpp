#include "SettingsStore.h"

#include <QSettings>
#include <memory>

namespace SettingsStore {

namespace {

// Built per call, so that the file follows the settings path in force (tests point it at
// temporary folders with QSettings::setPath).
std::unique_ptr<QSettings> store()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Velmora"), QStringLiteral("Velmora"));
}

// The stored spelling of section/key, matched without regard to case; empty if none.
QString storedKey(const QSettings& settings, const QString& section, const QString& key)
{
    const QString wanted = section + u'/' + key;
    const QStringList keys = settings.allKeys();
    for (const QString& k : keys) {
        if (k.compare(wanted, Qt::CaseInsensitive) == 0)
            return k;
    }
    return QString();
}

} // namespace

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    const auto settings = store();
    const QString k = storedKey(*settings, section, key);
    return k.isEmpty() ? defaultValue : settings->value(k, defaultValue).toString();
}

void SaveSetting(const QString& section, const QString& key, const QString& value)
{
    const auto settings = store();
    const QString existing = storedKey(*settings, section, key);
    settings->setValue(existing.isEmpty() ? section + u'/' + key : existing, value);
    settings->sync();
}

} // namespace SettingsStore
