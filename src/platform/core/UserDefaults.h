#pragma once

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
    // Writes out at once; false (and a console line) when the file could not be written.
    virtual bool synchronize() = 0;
    // Why the last synchronize() failed, for the collector; empty after a success.
    virtual QString errorString() const = 0;
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
    bool synchronize() override;
    QString errorString() const override { return m_error; }

private:
    QSettings m_settings;
    QString m_error;
};
