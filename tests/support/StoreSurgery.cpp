#include "StoreSurgery.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

bool alterStoreFile(const QString& storeFile, const QStringList& statements)
{
    const QString connection = QStringLiteral("StoreSurgery");
    bool ok = true;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(storeFile);
        ok = database.open();
        QSqlQuery query(database);
        for (const QString& statement : statements) {
            if (ok && !query.exec(statement)) {
                qWarning("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
                ok = false;
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}
