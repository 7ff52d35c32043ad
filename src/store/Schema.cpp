#include "store/Schema.h"

#include "store/CatalogueOrder.h"
#include "store/Model.h"

#include <QCoreApplication>
#include <QSet>
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
        // 2: named markers kept in the store itself, so what was done to this file (its
        // reference lists filled) moves with the file. A store filled before markers were kept
        // has entries in its lists.
        {
            QStringLiteral("CREATE TABLE Markers (name TEXT PRIMARY KEY)"),
            QStringLiteral(
                "INSERT INTO Markers (name) SELECT 'ReferenceListsSeeded' WHERE "
                "EXISTS (SELECT 1 FROM CenteredList) OR EXISTS (SELECT 1 FROM ConditionList) OR "
                "EXISTS (SELECT 1 FROM CountryList) OR EXISTS (SELECT 1 FROM FaultsList) OR "
                "EXISTS (SELECT 1 FROM GradeList) OR EXISTS (SELECT 1 FROM GumList) OR "
                "EXISTS (SELECT 1 FROM MarginList) OR EXISTS (SELECT 1 FROM PaperList) OR "
                "EXISTS (SELECT 1 FROM PerforationList) OR EXISTS (SELECT 1 FROM SeriesList) OR "
                "EXISTS (SELECT 1 FROM StatusList)"),
        },
        // 3: the stamp list's four orders, each in an index of its own, so the list reads its
        // rows' keys in order from the index instead of sorting the whole table; and the two
        // numbers of the collection's totals, summed from that index without reading past the
        // pictures in the table's rows.
        {
            QStringLiteral("CREATE INDEX StampsInNameOrder ON Stamps "
                           "(denomination, yearOfIssue, value, scottNumber)"),
            QStringLiteral("CREATE INDEX StampsInYearOrder ON Stamps "
                           "(yearOfIssue, denomination, scottNumber, value)"),
            QStringLiteral("CREATE INDEX StampsInScottOrder ON Stamps "
                           "(scottNumber, denomination, yearOfIssue, value)"),
            QStringLiteral("CREATE INDEX StampsInValueOrder ON Stamps "
                           "(value, denomination, yearOfIssue, scottNumber)"),
            QStringLiteral("CREATE INDEX StampsForTotals ON Stamps (quantity, value)"),
        },
        // 4: the five group keys' indexes also hold quantity and value, so a group's count and
        // value are added up from its index alone, never from the table's rows, which hold the
        // pictures before the value.
        {
            QStringLiteral("DROP INDEX IF EXISTS StampsByDenomination"),
            QStringLiteral("CREATE INDEX StampsByDenomination ON Stamps "
                           "(denomination, yearOfIssue, scottNumber, quantity, value)"),
            QStringLiteral("DROP INDEX IF EXISTS StampsByCountry"),
            QStringLiteral("CREATE INDEX StampsByCountry ON Stamps "
                           "(country, denomination, yearOfIssue, quantity, value)"),
            QStringLiteral("DROP INDEX IF EXISTS StampsByYear"),
            QStringLiteral(
                "CREATE INDEX StampsByYear ON Stamps (yearOfIssue, denomination, quantity, value)"),
            QStringLiteral("DROP INDEX IF EXISTS StampsByScottNumber"),
            QStringLiteral("CREATE INDEX StampsByScottNumber ON Stamps "
                           "(scottNumber, yearOfIssue, quantity, value)"),
            QStringLiteral("DROP INDEX IF EXISTS StampsByStatus"),
            QStringLiteral(
                "CREATE INDEX StampsByStatus ON Stamps (status, denomination, quantity, value)"),
        },
    };
    return all;
}

StoreError failure(const QString& what, const QSqlError& sqlError, const QSqlDatabase& database)
{
    return StoreError::from(what, sqlError, database.databaseName());
}

StoreError refusal(const QString& what, const QSqlDatabase& database)
{
    return StoreError::at(what, database.databaseName());
}

} // namespace

int currentVersion()
{
    return int(steps().size());
}

StoreResult<int> readVersion(QSqlDatabase& database)
{
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return Failure{failure(QCoreApplication::translate("Schema", "The store could not be read"),
                               query.lastError(), database)};
    const int version = query.value(0).toInt();
    if (version < 0)
        return Failure{
            refusal(QCoreApplication::translate(
                        "Schema", "The store has an unknown version (%1): it was not written by "
                                  "Vellora, or it is damaged")
                        .arg(version),
                    database)};
    if (version > currentVersion())
        return Failure{refusal(QCoreApplication::translate(
                                   "Schema", "The store was written by a newer version of Vellora "
                                             "(store version %1, this version reads up to %2)")
                                   .arg(version)
                                   .arg(currentVersion()),
                               database)};
    return version;
}

StoreResult<> upgrade(QSqlDatabase& database)
{
    const StoreResult<int> version = readVersion(database);
    if (!version)
        return Failure{version.error()};
    QSqlQuery query(database);
    for (int step = *version; step < currentVersion(); ++step) {
        if (!database.transaction())
            return Failure{
                failure(QCoreApplication::translate("Schema", "The store could not be upgraded"),
                        database.lastError(), database)};
        QStringList statements = steps().at(step);
        statements << QStringLiteral("PRAGMA user_version = %1").arg(step + 1);
        for (const QString& statement : std::as_const(statements)) {
            if (!query.exec(statement)) {
                StoreError error =
                    failure(QCoreApplication::translate(
                                "Schema", "The store could not be upgraded to version %1")
                                .arg(step + 1),
                            query.lastError(), database);
                query.finish();
                database.rollback();
                return Failure{std::move(error)};
            }
        }
        query.finish();
        if (!database.commit()) {
            StoreError error =
                failure(QCoreApplication::translate("Schema", "The store could not be upgraded"),
                        database.lastError(), database);
            database.rollback();
            return Failure{std::move(error)};
        }
    }
    return {};
}

StoreResult<> verify(QSqlDatabase& database)
{
    QList<QPair<QString, QStringList>> tables;
    for (const EntityDescription* entity : Model::entities()) {
        QStringList columns{QStringLiteral("id")};
        for (const AttributeDescription& attribute : entity->attributes())
            columns << attribute.name;
        tables.append({entity->name(), columns});
    }
    tables.append({QStringLiteral("Markers"), {QStringLiteral("name")}});

    QSqlQuery query(database);
    query.setForwardOnly(true);
    for (const auto& [table, columns] : std::as_const(tables)) {
        // table_info names the columns of a table and returns nothing for a missing one.
        if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
            return Failure{
                failure(QCoreApplication::translate("Schema", "The store could not be read"),
                        query.lastError(), database)};
        QSet<QString> present;
        while (query.next())
            present.insert(query.value(1).toString());
        query.finish();
        if (present.isEmpty())
            return Failure{refusal(QCoreApplication::translate(
                                       "Schema", "The store has no table %1: it was not written by "
                                                 "Vellora, or it is damaged")
                                       .arg(table),
                                   database)};
        for (const QString& column : columns) {
            if (!present.contains(column))
                return Failure{refusal(
                    QCoreApplication::translate("Schema",
                                                "The store's table %1 has no column %2: it was not "
                                                "written by Vellora, or it is damaged")
                        .arg(table, column),
                    database)};
        }
    }
    return {};
}

StoreResult<> keepCatalogueScottIndex(QSqlDatabase& database, bool kept)
{
    QSqlQuery query(database);
    const QString statement =
        kept ? QStringLiteral("CREATE INDEX IF NOT EXISTS StampsInCatalogueScottOrder ON Stamps "
                              "(scottNumber COLLATE %1, denomination, yearOfIssue, value)")
                   .arg(QString::fromLatin1(CatalogueOrder::CollationName))
             : QStringLiteral("DROP INDEX IF EXISTS StampsInCatalogueScottOrder");
    if (!query.exec(statement))
        return Failure{failure(
            QCoreApplication::translate("Schema", "The index of the catalogue order could not be "
                                                  "changed"),
            query.lastError(), database)};
    return {};
}

} // namespace Schema
