#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// Puts the collector's language on every text: Vellora's own translation for the locale (built
// into the executable under :/i18n) and Qt's own (its dialogs' buttons), each only when one is
// there. A locale without a translation keeps the English texts of the sources.
namespace Translations {

inline const QString BuiltInFolder = QStringLiteral(":/i18n");

// Installs on `application` the translations of `locale` found in `folder` (Vellora's) and in
// Qt's translations folder (Qt's); the number installed. The translators live as long as
// `application`.
int install(QCoreApplication& application, const QLocale& locale = QLocale(),
            const QString& folder = BuiltInFolder);

} // namespace Translations
