#pragma once

#include <QString>

// The per-user settings of application "Velmora": text values by section and key.
// Keys are found without regard to case ("FileName" written is read as "Filename").
namespace SettingsStore {

QString GetSetting(const QString& section, const QString& key,
                   const QString& defaultValue = QString());
void SaveSetting(const QString& section, const QString& key, const QString& value);

} // namespace SettingsStore
