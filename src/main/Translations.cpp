#include "main/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Translations {

namespace {

// Loads `name` for `locale` from `folder` into a translator owned by `application`.
bool installOne(QCoreApplication& application, const QLocale& locale, const QString& name,
                const QString& folder)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(locale, name, QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace

int install(QCoreApplication& application, const QLocale& locale, const QString& folder)
{
    int installed = 0;
    if (installOne(application, locale, QStringLiteral("qtbase"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        ++installed;
    // Installed last, so it is asked first.
    if (installOne(application, locale, QStringLiteral("vellora"), folder))
        ++installed;
    return installed;
}

} // namespace Translations
