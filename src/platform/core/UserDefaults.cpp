#include "platform/core/UserDefaults.h"

#include "platform/core/Console.h"

namespace {

QString describe(QSettings::Status status)
{
    switch (status) {
    case QSettings::NoError:
        break;
    case QSettings::AccessError:
        return QStringLiteral("the file cannot be read or written");
    case QSettings::FormatError:
        return QStringLiteral("the file is not a valid settings file");
    }
    return {};
}

} // namespace

SettingsUserDefaults::SettingsUserDefaults(const QString& iniFilePath)
    : m_settings(iniFilePath, QSettings::IniFormat)
{
    if (m_settings.status() != QSettings::NoError)
        Console::printLine(QStringLiteral("User defaults could not be read from %1: %2")
                               .arg(iniFilePath, describe(m_settings.status())));
}

bool SettingsUserDefaults::boolForKey(const QString& key) const
{
    return m_settings.value(key, false).toBool();
}

void SettingsUserDefaults::setBool(const QString& key, bool value)
{
    m_settings.setValue(key, value);
}

QVariant SettingsUserDefaults::objectForKey(const QString& key) const
{
    return m_settings.value(key);
}

void SettingsUserDefaults::setObject(const QString& key, const QVariant& value)
{
    m_settings.setValue(key, value);
}

Result<void> SettingsUserDefaults::synchronize()
{
    m_settings.sync();
    if (m_settings.status() == QSettings::NoError)
        return {};
    const QString reason =
        QStringLiteral("%1: %2").arg(m_settings.fileName(), describe(m_settings.status()));
    Console::printLine(QStringLiteral("User defaults could not be written to ") + reason);
    return Failure{reason};
}
