#include "AwkwardCollection.h"
#include "StoreSurgery.h"
#include "TemporaryStore.h"
#include "store/ObjectContext.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString StampsEntity = QString::fromLatin1(Stamps::EntityName);

QList<SortDescriptor> order(const QStringList& keys, bool ascending)
{
    QList<SortDescriptor> sort;
    for (const QString& key : keys)
        sort.append({key, ascending});
    return sort;
}

// Where two lists first differ, for the failure message.
QByteArray firstDifference(const QList<Stamps*>& actual, const QList<Stamps*>& expected)
{
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual.at(i) != expected.at(i))
            return QByteArray("row ") + QByteArray::number(i) + " differs";
    }
    return QByteArray("sizes ") + QByteArray::number(actual.size()) + " and " +
           QByteArray::number(expected.size());
}

// Fills the store with `count` awkward stamps, saved, and opens it afresh: no record in memory.
bool savedAndReopened(TemporaryStore& store, int count)
{
    AwkwardCollection::add(store.context(), count);
    if (!store.context().save())
        return false;
    store.reopen();
    return true;
}

} // namespace

// The rows of a fetch made as they are asked for are exactly the rows the eager fetch gives.
class FetchedRowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theRowsAreTheEagerFetchInBothDirections_data()
    {
        QTest::addColumn<QString>("pending");
        QTest::newRow("all saved") << QString();
        QTest::newRow("unsaved inserts") << QStringLiteral("insert");
        QTest::newRow("unsaved changes") << QStringLiteral("change");
        QTest::newRow("unsaved deletes") << QStringLiteral("delete");
    }

    void theRowsAreTheEagerFetchInBothDirections()
    {
        QFETCH(QString, pending);
        TemporaryStore store;
        QVERIFY(savedAndReopened(store, 3000));
        ObjectContext& reopened = store.context();
        if (pending == QLatin1String("insert")) {
            AwkwardCollection::add(reopened, 40, 7);
        } else if (!pending.isEmpty()) {
            const QList<Stamps*> some = reopened.fetch<Stamps>().value();
            for (qsizetype i = 0; i < some.size(); i += 75) {
                if (pending == QLatin1String("change"))
                    some.at(i)->setDenomination(QStringLiteral("5c"));
                else
                    reopened.deleteObject(some.at(i));
            }
        }
        QCOMPARE(reopened.hasChanges(), !pending.isEmpty());

        QList<FetchRequest> requests;
        for (const QStringList& keys : AwkwardCollection::listOrders()) {
            for (const bool ascending : {true, false})
                requests.append({StampsEntity, {}, order(keys, ascending)});
        }
        // A group's stamps, absent in the group key included, and the plain order of the store.
        for (const bool ascending : {true, false}) {
            requests.append(
                {StampsEntity,
                 Predicate::format(QStringLiteral("country = %@"), QStringLiteral("Österreich")),
                 order({QStringLiteral("denomination"), QStringLiteral("yearOfIssue")},
                       ascending)});
            requests.append({StampsEntity,
                             Predicate::format(QStringLiteral("scottNumber = %@"), QVariant()),
                             order({QStringLiteral("value")}, ascending)});
        }
        requests.append({StampsEntity, {}, {}});

        for (const FetchRequest& request : std::as_const(requests)) {
            const QList<Stamps*> eager =
                reopened.fetch<Stamps>(request.predicate, request.sortDescriptors).value();
            const FetchedRows rows = reopened.fetchRows(request).value();
            const QList<Stamps*> lazy = rows.objects<Stamps>();
            QVERIFY2(lazy == eager, firstDifference(lazy, eager).constData());

            // The other direction, derived from these rows without a fetch.
            FetchRequest turned = request;
            for (SortDescriptor& descriptor : turned.sortDescriptors)
                descriptor.ascending = !descriptor.ascending;
            if (turned.sortDescriptors.isEmpty())
                continue;
            const QList<Stamps*> eagerTurned =
                reopened.fetch<Stamps>(turned.predicate, turned.sortDescriptors).value();
            // The rows know their ties when the fetch compared their keys: a fetch with every
            // key descending, or one made from objects with unsaved changes.
            const bool descending =
                std::none_of(request.sortDescriptors.cbegin(), request.sortDescriptors.cend(),
                             [](const SortDescriptor& descriptor) { return descriptor.ascending; });
            const std::optional<FetchedRows> turnedRows = rows.reversed();
            QCOMPARE(turnedRows.has_value(), descending || !pending.isEmpty());
            if (!turnedRows)
                continue;
            const QList<Stamps*> reversed = turnedRows->objects<Stamps>();
            QVERIFY2(reversed == eagerTurned, firstDifference(reversed, eagerTurned).constData());
            QVERIFY(turnedRows->reversed()->sameRows(rows));
        }
    }

    void listOrdersAndGroupTotalsAreReadFromIndexesAlone()
    {
        TemporaryStore store;
        AwkwardCollection::add(store.context(), 200);
        QVERIFY(store.context().save());
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("plans"));
        database.setDatabaseName(store.container().storeFilePath());
        QVERIFY(database.open());
        // ANALYZE, as a long-used store may have had, must not talk SQLite out of the index.
        QSqlQuery(QStringLiteral("ANALYZE"), database);
        const auto planOf = [&database](const QString& select) {
            QSqlQuery plan(database);
            QStringList steps;
            if (!plan.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + select))
                return plan.lastError().text();
            while (plan.next())
                steps << plan.value(3).toString();
            return steps.join(QStringLiteral("; "));
        };
        for (const QStringList& keys : AwkwardCollection::listOrders()) {
            const QString described =
                planOf(QStringLiteral("SELECT id, %1 FROM Stamps ORDER BY %2, id")
                           .arg(keys.first(), keys.join(QLatin1Char(','))));
            QVERIFY2(described.contains(QStringLiteral("COVERING INDEX")) &&
                         !described.contains(QStringLiteral("TEMP B-TREE")),
                     qPrintable(keys.join(QLatin1Char(',')) + QStringLiteral(": ") + described));
        }
        // A group summary's row: its count and value, as ObjectContext::totals asks for them,
        // never from the table's rows and their pictures.
        for (const char* key :
             {"yearOfIssue", "scottNumber", "status", "denomination", "country"}) {
            const QString described =
                planOf(QStringLiteral("SELECT COUNT(*), TOTAL([value]*[quantity]) FROM [Stamps] "
                                      "WHERE [%1] = 1")
                           .arg(QLatin1String(key)));
            QVERIFY2(described.contains(QStringLiteral("COVERING INDEX")),
                     qPrintable(QLatin1String(key) + QStringLiteral(": ") + described));
        }
        database.close();
        database = {};
        QSqlDatabase::removeDatabase(QStringLiteral("plans"));
    }

    void objectsAreMadeABatchAtATimeThroughTheIdentityMap()
    {
        TemporaryStore store;
        QVERIFY(savedAndReopened(store, 1000));
        ObjectContext& context = store.context();
        const QStringList carried = {QStringLiteral("denomination"), QStringLiteral("value")};
        const FetchedRows rows =
            context.fetchRows({StampsEntity, {}, order({QStringLiteral("value")}, true)}, carried)
                .value();
        QCOMPARE(rows.size(), 1000);
        QVERIFY(!rows.isMade(0));

        Stamps* middle = rows.at<Stamps>(250);
        QVERIFY(middle);
        // The batch that holds the row, and nothing beyond it.
        QVERIFY(rows.isMade(200) && rows.isMade(299));
        QVERIFY(!rows.isMade(199) && !rows.isMade(300));
        // One object per row: the eager fetch hands out the same one.
        const QList<Stamps*> eager =
            context.fetch<Stamps>({}, order({QStringLiteral("value")}, true)).value();
        QCOMPARE(eager.at(250), middle);
        for (qsizetype row = 0; row < rows.size(); ++row) {
            QCOMPARE(rows.value(row, 0), eager.at(row)->value(QStringLiteral("denomination")));
            QCOMPARE(rows.fetchedValue(row, 1).toFloat(), eager.at(row)->value());
        }
    }

    void rowsMadeLaterShowTheRecordsCurrentValues()
    {
        TemporaryStore store;
        QVERIFY(savedAndReopened(store, 500));
        ObjectContext& context = store.context();
        const FetchedRows rows =
            context.fetchRows({StampsEntity, {}, {}}, {QStringLiteral("denomination")}).value();
        // Edited and saved through another list before this one shows the row.
        Stamps* edited = context.fetch<Stamps>().value().at(420);
        edited->setDenomination(QStringLiteral("edited"));
        QVERIFY(context.save());
        QCOMPARE(rows.at<Stamps>(420), edited);
        QCOMPARE(rows.value(420, 0).toString(), QStringLiteral("edited"));
        QVERIFY(rows.fetchedValue(420, 0).toString() != QStringLiteral("edited"));
    }

    void aStoreThatCannotBeReadWhileScrollingIsTold()
    {
        TemporaryStore store;
        QVERIFY(savedAndReopened(store, 300));
        ObjectContext& context = store.context();
        QStringList told;
        context.setReadFailureHandler(
            [&told](const StoreError& error) { told << error.description; });
        const FetchedRows rows = context.fetchRows({StampsEntity, {}, {}}).value();
        QVERIFY(rows.at<Stamps>(5));
        QVERIFY(alterStoreFile(store.container().storeFilePath(),
                               {QStringLiteral("ALTER TABLE Stamps RENAME TO Gone")}));
        QCOMPARE(rows.object(250), nullptr);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().contains(QStringLiteral("no such table")), qPrintable(told.first()));
        // The rows made before are still there.
        QVERIFY(rows.at<Stamps>(5));
    }
};

QTEST_GUILESS_MAIN(FetchedRowsTest)
#include "tst_fetchedrows.moc"
