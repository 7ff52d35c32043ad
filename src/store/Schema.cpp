#include "store/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace Schema {
namespace {

// Steps are frozen once released: a later change of the model is a new step.
const QList<QStringList>& steps()
{
    static const QList<QStringList> all = {
        // 1: the stamps, the eleven reference lists, and the indexes of the look-ups by
        // denomination, year, Scott number and country and of the five group keys.
        {
            QStringLiteral(
                "CREATE TABLE Stamps (id INTEGER PRIMARY KEY, cancellation TEXT, centering TEXT, "
                "color TEXT, condition TEXT, cost REAL NOT NULL DEFAULT 0, country TEXT, "
                "denomination TEXT, descrip TEXT, faults TEXT, grade TEXT, gum TEXT, margins TEXT, "
                "notes TEXT, paper TEXT, perforations TEXT, quantity INTEGER NOT NULL DEFAULT 0, "
                "scottNumber TEXT, series TEXT, stampImage BLOB, status TEXT, "
                "value REAL NOT NULL DEFAULT 0, yearOfIssue INTEGER NOT NULL DEFAULT 0)"),
            QStringLiteral("CREATE TABLE CenteredList (id INTEGER PRIMARY KEY, centered TEXT)"),
            QStringLiteral("CREATE TABLE ConditionList (id INTEGER PRIMARY KEY, condition TEXT)"),
            QStringLiteral("CREATE TABLE CountryList (id INTEGER PRIMARY KEY, country TEXT)"),
            QStringLiteral("CREATE TABLE FaultsList (id INTEGER PRIMARY KEY, faultName TEXT)"),
            QStringLiteral("CREATE TABLE GradeList (id INTEGER PRIMARY KEY, grade TEXT)"),
            QStringLiteral("CREATE TABLE GumList (id INTEGER PRIMARY KEY, gum TEXT)"),
            QStringLiteral("CREATE TABLE MarginList (id INTEGER PRIMARY KEY, margin TEXT)"),
            QStringLiteral("CREATE TABLE PaperList (id INTEGER PRIMARY KEY, paper TEXT)"),
            QStringLiteral(
                "CREATE TABLE PerforationList (id INTEGER PRIMARY KEY, perforation TEXT)"),
            QStringLiteral("CREATE TABLE SeriesList (id INTEGER PRIMARY KEY, series TEXT)"),
            QStringLiteral("CREATE TABLE StatusList (id INTEGER PRIMARY KEY, status TEXT)"),
            // Each group key with the second key its group is sorted by; the first two also
            // serve the look-ups by denomination and year (with Scott number or country) and by
            // country, denomination and year.
            QStringLiteral("CREATE INDEX StampsByDenomination ON Stamps "
                           "(denomination, yearOfIssue, scottNumber)"),
            QStringLiteral("CREATE INDEX StampsByCountry ON Stamps "
                           "(country, denomination, yearOfIssue)"),
            QStringLiteral("CREATE INDEX StampsByYear ON Stamps (yearOfIssue, denomination)"),
            QStringLiteral("CREATE INDEX StampsByScottNumber ON Stamps (scottNumber, yearOfIssue)"),
            QStringLiteral("CREATE INDEX StampsByStatus ON Stamps (status, denomination)"),
        },
    };
    return all;
}

StoreError failure(const QString& what, const QSqlError& sqlError, const QSqlDatabase& database)
{
    StoreError error;
    error.description =
        what + QStringLiteral(": ") +
        (sqlError.databaseText().isEmpty() ? sqlError.text() : sqlError.databaseText());
    if (!sqlError.nativeErrorCode().isEmpty())
        error.userInfo.insert(QStringLiteral("SQLiteErrorCode"), sqlError.nativeErrorCode());
    error.userInfo.insert(QStringLiteral("path"), database.databaseName());
    return error;
}

} // namespace

int currentVersion()
{
    return int(steps().size());
}

bool upgrade(QSqlDatabase& database, StoreError& error)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        error = failure(QStringLiteral("The store could not be read"), query.lastError(), database);
        return false;
    }
    const int version = query.value(0).toInt();
    if (version > currentVersion()) {
        error.description = QStringLiteral("The store was written by a newer version of Vellora "
                                           "(store version %1, this version reads up to %2)")
                                .arg(version)
                                .arg(currentVersion());
        error.userInfo.insert(QStringLiteral("path"), database.databaseName());
        return false;
    }
    for (int step = version; step < currentVersion(); ++step) {
        if (!database.transaction()) {
            error = failure(QStringLiteral("The store could not be upgraded"), database.lastError(),
                            database);
            return false;
        }
        QStringList statements = steps().at(step);
        statements << QStringLiteral("PRAGMA user_version = %1").arg(step + 1);
        for (const QString& statement : std::as_const(statements)) {
            if (!query.exec(statement)) {
                error = failure(
                    QStringLiteral("The store could not be upgraded to version %1").arg(step + 1),
                    query.lastError(), database);
                database.rollback();
                return false;
            }
        }
        if (!database.commit()) {
            error = failure(QStringLiteral("The store could not be upgraded"), database.lastError(),
                            database);
            database.rollback();
            return false;
        }
    }
    return true;
}

} // namespace Schema
