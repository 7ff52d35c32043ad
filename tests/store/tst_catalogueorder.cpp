#include "TemporaryStore.h"
#include "store/CatalogueOrder.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"
#include "store/SqliteStatement.h"

#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <algorithm>

namespace {

// Awkward Scott numbers in the order a catalogue gives them. Texts equal but for case, spaces or
// leading zeros follow their code points, so only equal texts tie.
const QStringList CatalogueAscending = {
    QString(),
    QStringLiteral(" "),
    QStringLiteral("01"),
    QStringLiteral("1"),
    QStringLiteral("1 A"),
    QStringLiteral("1A"),
    QStringLiteral("1a"),
    QStringLiteral("1B"),
    QStringLiteral("1C"),
    QStringLiteral("2"),
    QStringLiteral("10"),
    QStringLiteral("10a"),
    QStringLiteral("100"),
    QStringLiteral("99999999999999999999"),
    QStringLiteral("Block"),
    QStringLiteral("C"),
    QStringLiteral("C 1"),
    QStringLiteral("C1"),
    QStringLiteral("c1"),
    QStringLiteral("C12"),
    QStringLiteral("\u00DF1"),
};

const QString ScottNumber = QStringLiteral("scottNumber");
const QString Denomination = QStringLiteral("denomination");

QList<SortDescriptor> catalogueOrder(bool ascending)
{
    return {{ScottNumber, ascending, TextOrdering::Catalogue},
            {Denomination, ascending},
            {QStringLiteral("yearOfIssue"), ascending},
            {QStringLiteral("value"), ascending}};
}

// The store's rows as "scott/denomination", an absent number as "-".
QStringList shown(const QList<Stamps*>& stamps)
{
    QStringList texts;
    for (const Stamps* stamp : stamps)
        texts << stamp->scottNumber().value_or(QStringLiteral("-")) + u'/' +
                     stamp->denomination().value_or(QString());
    return texts;
}

// Every number of the table twice, the second time with the same keys (a tie), an absent number
// last: inserted in an order of their own.
void addStamps(ObjectContext& context, const QString& tieMark)
{
    QStringList numbers = CatalogueAscending;
    std::reverse(numbers.begin(), numbers.end());
    std::rotate(numbers.begin(), numbers.begin() + 7, numbers.end());
    for (const QString& mark : {QStringLiteral("a"), tieMark}) {
        for (const QString& number : std::as_const(numbers)) {
            auto* stamp = context.insertNewObject<Stamps>();
            stamp->setScottNumber(number);
            stamp->setDenomination(QStringLiteral("5c"));
            stamp->setNotes(mark);
        }
    }
    auto* absent = context.insertNewObject<Stamps>();
    absent->setDenomination(QStringLiteral("5c"));
}

QStringList expectedRows(bool ascending)
{
    QStringList numbers = CatalogueAscending;
    if (!ascending)
        std::reverse(numbers.begin(), numbers.end());
    QStringList rows;
    if (ascending)
        rows << QStringLiteral("-/5c");
    // Equal rows stay in the order they were inserted, both ways.
    for (const QString& number : std::as_const(numbers))
        rows << number + QStringLiteral("/5c") << number + QStringLiteral("/5c");
    if (!ascending)
        rows << QStringLiteral("-/5c");
    return rows;
}

} // namespace

class CatalogueOrderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbersCompareAsACatalogueOrdersThem()
    {
        QStringList shuffled = CatalogueAscending;
        std::shuffle(shuffled.begin(), shuffled.end(), *QRandomGenerator::global());
        QStringList sorted = shuffled;
        std::sort(sorted.begin(), sorted.end(), CatalogueOrder::lessThan);
        QCOMPARE(sorted, CatalogueAscending);
        std::sort(shuffled.begin(), shuffled.end(), [](const QString& a, const QString& b) {
            return CatalogueOrder::lessThan(b, a);
        });
        QStringList descending(CatalogueAscending.crbegin(), CatalogueAscending.crend());
        QCOMPARE(shuffled, descending);

        // A total order: only equal texts tie, and each pair compares the same both ways.
        for (const QString& a : CatalogueAscending) {
            for (const QString& b : CatalogueAscending) {
                const int forth = CatalogueOrder::compare(a, b);
                QCOMPARE(forth == 0, a == b);
                QCOMPARE(forth<0, CatalogueOrder::compare(b, a)> 0);
            }
        }
    }

    void theStoreSortsInCatalogueOrderBothWays_data()
    {
        QTest::addColumn<bool>("indexed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("saved, with the index") << true << true;
        QTest::newRow("saved, without the index") << false << true;
        QTest::newRow("unsaved") << false << false;
    }

    void theStoreSortsInCatalogueOrderBothWays()
    {
        QFETCH(bool, indexed);
        QFETCH(bool, saved);
        TemporaryStore store;
        QVERIFY(store.container().keepCatalogueScottIndex(indexed).ok());
        addStamps(store.context(), QStringLiteral("b"));
        if (saved) {
            QVERIFY(store.context().save());
            store.reopen();
        }
        ObjectContext& context = store.context();
        const QString entity = QString::fromLatin1(Stamps::EntityName);
        for (const bool ascending : {true, false}) {
            const QList<Stamps*> eager =
                context.fetch<Stamps>({}, catalogueOrder(ascending)).value();
            QCOMPARE(shown(eager), expectedRows(ascending));
            // Of each tie, the stamp inserted first comes first.
            QCOMPARE(eager.at(ascending ? 1 : 0)->notes(), QStringLiteral("a"));
            QCOMPARE(eager.at(ascending ? 2 : 1)->notes(), QStringLiteral("b"));
            const FetchedRows lazy =
                context.fetchRows({entity, {}, catalogueOrder(ascending)}, {ScottNumber}).value();
            QCOMPARE(lazy.objects<Stamps>(), eager);
        }
        // Code point order is untouched by it.
        const QList<Stamps*> codePoints =
            context.fetch<Stamps>({}, {{ScottNumber, true}, {Denomination, true}}).value();
        QCOMPARE(codePoints.at(1)->scottNumber(), QString());
        QCOMPARE(codePoints.at(5)->scottNumber(), QStringLiteral("01"));
        QCOMPARE(codePoints.at(7)->scottNumber(), QStringLiteral("1"));
        QCOMPARE(codePoints.at(9)->scottNumber(), QStringLiteral("1 A"));
        // Only texts have a catalogue order.
        QVERIFY(
            !context.fetch<Stamps>({}, {{QStringLiteral("value"), true, TextOrdering::Catalogue}}));
    }

    void theIndexServesTheListAndLeavesWithTheChoice()
    {
        TemporaryStore store;
        addStamps(store.context(), QStringLiteral("b"));
        QVERIFY(store.context().save());
        const QString path = store.container().storeFilePath();

        QVERIFY(store.container().keepCatalogueScottIndex(true).ok());
        QVERIFY(store.container().keepCatalogueScottIndex(true).ok());
        QVERIFY(indexNames(path).contains(QStringLiteral("StampsInCatalogueScottOrder")));
        QVERIFY(store.context()
                    .fetchRows({QString::fromLatin1(Stamps::EntityName), {}, catalogueOrder(true)},
                               {ScottNumber})
                    .ok());
        const QString plan = listPlan(path);
        QVERIFY2(plan.contains(QStringLiteral("COVERING INDEX StampsInCatalogueScottOrder")) &&
                     !plan.contains(QStringLiteral("TEMP B-TREE")),
                 qPrintable(plan));
        // A store reopened knows the order before it writes anything.
        store.reopen();
        store.context().fetch<Stamps>().value().first()->setScottNumber(QStringLiteral("C2"));
        QVERIFY(store.context().save());

        QVERIFY(store.container().keepCatalogueScottIndex(false).ok());
        QVERIFY(!indexNames(path).contains(QStringLiteral("StampsInCatalogueScottOrder")));
        // Without it, any SQLite tool can change the stamps again.
        QVERIFY(updatesWithoutTheOrder(path));
    }

private:
    static QStringList indexNames(const QString& path)
    {
        QStringList names;
        {
            QSqlDatabase database =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("indexes"));
            database.setDatabaseName(path);
            if (database.open()) {
                QSqlQuery query(
                    QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"),
                    database);
                while (query.next())
                    names << query.value(0).toString();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("indexes"));
        return names;
    }

    // How SQLite reads the list in catalogue order, on a connection taught the order.
    static QString listPlan(const QString& path)
    {
        QStringList steps;
        {
            QSqlDatabase database =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plans"));
            database.setDatabaseName(path);
            if (database.open() &&
                SqliteConnection::addCollation(database, CatalogueOrder::CollationName,
                                               &CatalogueOrder::compareUtf8)) {
                QSqlQuery plan(database);
                plan.exec(QStringLiteral(
                    "EXPLAIN QUERY PLAN SELECT id, scottNumber FROM Stamps ORDER BY scottNumber "
                    "COLLATE CATALOGUE, denomination, yearOfIssue, value, id"));
                while (plan.next())
                    steps << plan.value(3).toString();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("plans"));
        return steps.join(QStringLiteral("; "));
    }

    static bool updatesWithoutTheOrder(const QString& path)
    {
        bool updated = false;
        {
            QSqlDatabase database =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tool"));
            database.setDatabaseName(path);
            updated =
                database.open() &&
                QSqlQuery(database).exec(QStringLiteral("UPDATE Stamps SET scottNumber = 'C3'"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("tool"));
        return updated;
    }
};

QTEST_GUILESS_MAIN(CatalogueOrderTest)
#include "tst_catalogueorder.moc"
