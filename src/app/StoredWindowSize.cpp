#include "StoredWindowSize.h"

#include "SettingsStore.h"

#include <limits>

namespace {

const QString Section = QStringLiteral("MainWindow");

QString numberText(int value)
{
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}

} // namespace

namespace StoredWindowSize {

std::optional<int> Read(const QString& key)
{
    const QString text = SettingsStore::GetSetting(Section, key, QStringLiteral("No"));
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < std::numeric_limits<qint16>::min() ||
        value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return value;
}

void Write(int heightTwips, int widthTwips)
{
    SettingsStore::SaveSetting(Section, QStringLiteral("Height"), numberText(heightTwips));
    SettingsStore::SaveSetting(Section, QStringLiteral("Width"), numberText(widthTwips));
}

} // namespace StoredWindowSize
