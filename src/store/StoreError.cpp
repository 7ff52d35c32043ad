#include "store/StoreError.h"

#include <QSqlError>
#include <QStringList>

StoreError StoreError::from(const QString& what, const QSqlError& sqlError, const QString& path)
{
    const QString detail =
        sqlError.databaseText().isEmpty() ? sqlError.text() : sqlError.databaseText();
    QString description = what;
    if (what.isEmpty())
        description = detail;
    else if (!detail.trimmed().isEmpty())
        description += QStringLiteral(": ") + detail;
    StoreError error = at(description, path);
    if (!sqlError.nativeErrorCode().isEmpty())
        error.userInfo.insert(QStringLiteral("SQLiteErrorCode"), sqlError.nativeErrorCode());
    return error;
}

StoreError StoreError::at(const QString& description, const QString& path)
{
    StoreError error{description, {}};
    if (!path.isEmpty())
        error.userInfo.insert(QStringLiteral("path"), path);
    return error;
}

QString StoreError::userInfoText() const
{
    QStringList parts;
    for (auto it = userInfo.cbegin(); it != userInfo.cend(); ++it)
        parts << it.key() + QStringLiteral(" = ") + it.value().toString();
    return QLatin1Char('{') + parts.join(QStringLiteral("; ")) + QLatin1Char('}');
}

QString describeFailure(const StoreError& error)
{
    return error.description + QLatin1Char(' ') + error.userInfoText();
}
