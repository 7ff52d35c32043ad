#pragma once

#include "platform/core/Result.h"

#include <QSettings>
#include <QString>
#include <QVariant>

// Small user choices that outlive a session (sort order, hints already shown).
class UserDefaults
{
public:
    virtual ~UserDefaults() = default;

    // An absent key reads false.
    virtual bool boolForKey(const QString& key) const = 0;
    virtual void setBool(const QString& key, bool value) = 0;
    // Any other value (a window's place, say); an absent key reads as an invalid QVariant.
    virtual QVariant objectForKey(const QString& key) const = 0;
    virtual void setObject(const QString& key, const QVariant& value) = 0;
    // Writes out at once. A failure's reason, for the collector, names the file; it is printed
    // as well, for a write that fails when no one is left to tell (at exit).
    virtual Result<void> synchronize() = 0;
};

// Kept in an INI file beside the store, so the two move together.
class SettingsUserDefaults final : public UserDefaults
{
public:
    explicit SettingsUserDefaults(const QString& iniFilePath);

    bool boolForKey(const QString& key) const override;
    void setBool(const QString& key, bool value) override;
    QVariant objectForKey(const QString& key) const override;
    void setObject(const QString& key, const QVariant& value) override;
    Result<void> synchronize() override;

private:
    QSettings m_settings;
};
