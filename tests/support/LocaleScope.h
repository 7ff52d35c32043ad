#pragma once

#include <QLocale>
#include <optional>

// Sets the default locale until it goes out of scope, then puts the previous default back.
class LocaleScope final
{
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_previous); }
    Q_DISABLE_COPY_MOVE(LocaleScope)

private:
    QLocale m_previous;
};

// The locale every case of a test class runs in: emplace() in init(), reset() in cleanup().
using TestLocale = std::optional<LocaleScope>;

namespace Locales {
inline QLocale unitedStates()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}
inline QLocale germany()
{
    return QLocale(QLocale::German, QLocale::Germany);
}
inline QLocale france()
{
    return QLocale(QLocale::French, QLocale::France);
}
} // namespace Locales
