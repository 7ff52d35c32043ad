#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

// What went wrong in the store: a description and the details behind it (file, SQLite code).
struct StoreError
{
    QString description;
    QVariantMap userInfo;

    // The details as one line, "{key = value; key = value}", for messages and the console.
    QString userInfoText() const
    {
        QStringList parts;
        for (auto it = userInfo.cbegin(); it != userInfo.cend(); ++it)
            parts << it.key() + QStringLiteral(" = ") + it.value().toString();
        return QLatin1Char('{') + parts.join(QStringLiteral("; ")) + QLatin1Char('}');
    }
};
