#include "SettingsStore.h"

#include <QSettings>

namespace SettingsStore {

namespace {

QSettings& store()
{
    static QSettings settings(QSettings::IniFormat, QSettings::UserScope,
                              QStringLiteral("Velmora"), QStringLiteral("Velmora"));
    return settings;
}

// The stored spelling of section/key, matched without regard to case; empty if none.
QString storedKey(const QString& section, const QString& key)
{
    const QString wanted = section + u'/' + key;
    const QStringList keys = store().allKeys();
    for (const QString& k : keys) {
        if (k.compare(wanted, Qt::CaseInsensitive) == 0)
            return k;
    }
    return QString();
}

} // namespace

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    const QString k = storedKey(section, key);
    return k.isEmpty() ? defaultValue : store().value(k, defaultValue).toString();
}

void SaveSetting(const QString& section, const QString& key, const QString& value)
{
    const QString existing = storedKey(section, key);
    store().setValue(existing.isEmpty() ? section + u'/' + key : existing, value);
    store().sync();
}

} // namespace SettingsStore
