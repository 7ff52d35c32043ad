#include "TemporaryStore.h"
#include "store/Entities.h"
#include "store/ObjectContext.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

Stamps* addStamp(ObjectContext& context, const std::optional<QString>& denomination,
                 qint16 year = 0, const std::optional<QString>& country = std::nullopt)
{
    Stamps* stamp = context.insertNewObject<Stamps>();
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    stamp->setCountry(country);
    return stamp;
}

QStringList denominations(const QList<Stamps*>& stamps)
{
    QStringList texts;
    for (const Stamps* stamp : stamps)
        texts << stamp->denomination().value_or(QStringLiteral("<absent>"));
    return texts;
}

QList<Stamps*> fetchStamps(ObjectContext& context, const Predicate& predicate = {},
                           const QList<SortDescriptor>& sort = {})
{
    return context.fetch<Stamps>(predicate, sort).value();
}

// Rows as another program reading the file sees them, in insertion order.
QStringList denominationsOnDisk(const QString& file)
{
    QStringList texts;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("onDisk"));
        database.setDatabaseName(file);
        database.open();
        QSqlQuery query(QStringLiteral("SELECT denomination FROM Stamps ORDER BY id"), database);
        while (query.next())
            texts << query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("onDisk"));
    return texts;
}

} // namespace

// Each query test runs twice: once on saved rows (answered by SQLite) and once with the rows
// still unsaved (answered from the context), so both paths must agree.
class ObjectContextTest : public QObject
{
    Q_OBJECT

private:
    void saveIfAsked(ObjectContext& context)
    {
        QFETCH(bool, saved);
        if (saved)
            QVERIFY(context.save());
    }
    void addSavedColumn()
    {
        QTest::addColumn<bool>("saved");
        QTest::newRow("saved") << true;
        QTest::newRow("unsaved") << false;
    }

private Q_SLOTS:
    void textEqualityIsExact_data() { addSavedColumn(); }
    void textEqualityIsExact()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        addStamp(context, QStringLiteral("a"), 0, QStringLiteral("France"));
        addStamp(context, QStringLiteral("b"), 0, QStringLiteral("france"));
        addStamp(context, QStringLiteral("c"), 0, QStringLiteral("France "));
        addStamp(context, QStringLiteral("d"), 0, QStringLiteral(""));
        addStamp(context, QStringLiteral("e"), 0, std::nullopt);
        addStamp(context, QStringLiteral("f"), 0, QStringLiteral("Fränce"));
        saveIfAsked(context);

        const auto byCountry = [&](const QString& country) {
            return denominations(
                fetchStamps(context, Predicate::format(QStringLiteral("country = %@"), country)));
        };
        QCOMPARE(byCountry(QStringLiteral("France")), QStringList{QStringLiteral("a")});
        QCOMPARE(byCountry(QStringLiteral("france")), QStringList{QStringLiteral("b")});
        QCOMPARE(byCountry(QStringLiteral("Fränce")), QStringList{QStringLiteral("f")});
        // The empty text finds the empty country only, never the absent one.
        QCOMPARE(byCountry(QString()), QStringList{QStringLiteral("d")});
        QCOMPARE(byCountry(QStringLiteral("Spain")), QStringList());
        QCOMPARE(context
                     .count({QStringLiteral("Stamps"),
                             Predicate::format(QStringLiteral("country == %@"), QString()),
                             {}})
                     .value(),
                 1);
    }

    void yearPredicateReadsTheTextAsANumber_data() { addSavedColumn(); }
    void yearPredicateReadsTheTextAsANumber()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        addStamp(context, QStringLiteral("a"), 1962);
        addStamp(context, QStringLiteral("b"), 1963);
        addStamp(context, QStringLiteral("c"), 1962);
        addStamp(context, QStringLiteral("d"), 0);
        saveIfAsked(context);

        const auto byYear = [&](const QVariant& year) {
            return denominations(
                fetchStamps(context, Predicate::format(QStringLiteral("yearOfIssue == %@"), year)));
        };
        QCOMPARE(byYear(QStringLiteral("1962")),
                 (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
        QCOMPARE(byYear(1963), QStringList{QStringLiteral("b")});
        QCOMPARE(byYear(QStringLiteral("19x2")), QStringList());
        QCOMPARE(byYear(QStringLiteral("")), QStringList());
        QCOMPARE(byYear(QStringLiteral("0")), QStringList{QStringLiteral("d")});
        // Numbers no 16-bit whole number equals match nothing.
        for (const char* none : {"1962.5", "1e300", "-196e64", "inf", "67498"})
            QCOMPARE(byYear(QString::fromLatin1(none)), QStringList());
        // Several tests are all required.
        const Predicate both = Predicate::andPredicate(
            {Predicate::format(QStringLiteral("denomination=%@"), QStringLiteral("c")),
             Predicate::format(QStringLiteral("yearOfIssue=%@"), QStringLiteral("1962"))});
        QCOMPARE(denominations(fetchStamps(context, both)), QStringList{QStringLiteral("c")});
    }

    void sortOrdersLikeTheStore_data() { addSavedColumn(); }
    void sortOrdersLikeTheStore()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        // Inserted out of order; the expected order is absent first, then code point order (the
        // surrogate pair of U+1D49C after the fullwidth U+FF21).
        const QList<std::optional<QString>> texts = {
            QStringLiteral("apple"),
            QStringLiteral("999"),
            std::nullopt,
            QString::fromUtf8("\xF0\x9D\x92\x9C"),
            QStringLiteral("1900"),
            QStringLiteral(""),
            QString::fromUtf8("\xEF\xBC\xA1"),
            QStringLiteral("Zebra"),
            QString::fromUtf8("Äland"),
        };
        const QList<float> values = {10.5f, 2.0f, -1.0f, 100.0f, 0.5f, 3.0f, 7.0f, 20.0f, 9.0f};
        for (int i = 0; i < texts.size(); ++i)
            addStamp(context, texts[i])->setValue(values[i]);
        saveIfAsked(context);

        const QStringList ascending = {QStringLiteral("<absent>"),
                                       QStringLiteral(""),
                                       QStringLiteral("1900"),
                                       QStringLiteral("999"),
                                       QStringLiteral("Zebra"),
                                       QStringLiteral("apple"),
                                       QString::fromUtf8("Äland"),
                                       QString::fromUtf8("\xEF\xBC\xA1"),
                                       QString::fromUtf8("\xF0\x9D\x92\x9C")};
        QStringList descending(ascending.crbegin(), ascending.crend());
        QCOMPARE(denominations(fetchStamps(context, {}, {{QStringLiteral("denomination"), true}})),
                 ascending);
        QCOMPARE(denominations(fetchStamps(context, {}, {{QStringLiteral("denomination"), false}})),
                 descending);

        QList<float> byValue;
        for (const Stamps* stamp : fetchStamps(context, {}, {{QStringLiteral("value"), true}}))
            byValue << stamp->value();
        QCOMPARE(byValue,
                 (QList<float>{-1.0f, 0.5f, 2.0f, 3.0f, 7.0f, 9.0f, 10.5f, 20.0f, 100.0f}));
    }

    void severalSortKeysAndTies_data() { addSavedColumn(); }
    void severalSortKeysAndTies()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        addStamp(context, QStringLiteral("b"), 1950)->setCountry(QStringLiteral("first b"));
        addStamp(context, QStringLiteral("a"), 1900)->setCountry(QStringLiteral("a 1900"));
        addStamp(context, QStringLiteral("b"), 1960)->setCountry(QStringLiteral("b 1960"));
        addStamp(context, QStringLiteral("a"), 1990)->setCountry(QStringLiteral("a 1990"));
        addStamp(context, QStringLiteral("b"), 1950)->setCountry(QStringLiteral("second b"));
        saveIfAsked(context);

        QStringList countries;
        for (const Stamps* stamp : fetchStamps(
                 context, {},
                 {{QStringLiteral("denomination"), true}, {QStringLiteral("yearOfIssue"), false}}))
            countries << *stamp->country();
        // Equal keys keep the order in which the stamps were recorded.
        QCOMPARE(countries, (QStringList{QStringLiteral("a 1990"), QStringLiteral("a 1900"),
                                         QStringLiteral("b 1960"), QStringLiteral("first b"),
                                         QStringLiteral("second b")}));
    }

    void distinctValuesSkipAbsentAndSeeUnsavedChanges_data() { addSavedColumn(); }
    void distinctValuesSkipAbsentAndSeeUnsavedChanges()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        addStamp(context, QStringLiteral("a"), 1990, QStringLiteral("France"));
        addStamp(context, QStringLiteral("b"), 1990, QStringLiteral("france"));
        addStamp(context, QStringLiteral("c"), 0, QStringLiteral(""));
        addStamp(context, QStringLiteral("d"), 2019, std::nullopt);
        addStamp(context, QStringLiteral("e"), 2019, QStringLiteral("France"));
        saveIfAsked(context);

        QStringList countries;
        for (const QVariant& value :
             context.distinctValues(QStringLiteral("Stamps"), QStringLiteral("country")).value())
            countries << value.toString();
        countries.sort();
        QCOMPARE(countries, (QStringList{QStringLiteral(""), QStringLiteral("France"),
                                         QStringLiteral("france")}));
        QVariantList years =
            context.distinctValues(QStringLiteral("Stamps"), QStringLiteral("yearOfIssue")).value();
        QCOMPARE(years.size(), 3);

        // Unsaved changes count as they would in a fetch.
        context.fetch<Stamps>().value().first()->setCountry(QStringLiteral("Malta"));
        countries.clear();
        for (const QVariant& value :
             context.distinctValues(QStringLiteral("Stamps"), QStringLiteral("country")).value())
            countries << value.toString();
        countries.sort();
        QCOMPARE(countries, (QStringList{QStringLiteral(""), QStringLiteral("France"),
                                         QStringLiteral("Malta"), QStringLiteral("france")}));
    }

    void sumsOfProductsSeeUnsavedChanges_data() { addSavedColumn(); }
    void sumsOfProductsSeeUnsavedChanges()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        const QList<QStringList> terms = {{QStringLiteral("quantity")},
                                          {QStringLiteral("value"), QStringLiteral("quantity")}};
        const QString stamps = QStringLiteral("Stamps");
        // Nothing to add up is 0, not absent.
        QCOMPARE(context.sums(stamps, terms).value(), (QVariantList{qint64(0), 0.0}));

        // Beyond what 16 bits hold, with a held-none stamp and a negative quantity.
        for (const auto& [quantity, value] :
             {std::pair<qint16, float>{32767, 0.5f}, {32767, 1e-05f}, {0, 1000.0f}, {-2, 1.25f}}) {
            Stamps* stamp = addStamp(context, QStringLiteral("x"), quantity < 0 ? 1962 : 0);
            stamp->setQuantity(quantity);
            stamp->setValue(value);
        }
        saveIfAsked(context);
        // Of the objects a fetch would find: how many, and their sums.
        StoreResult<ObjectContext::Totals> of1962 = context.totals(
            {stamps,
             Predicate::format(QStringLiteral("yearOfIssue = %@"), QStringLiteral("1962")),
             {}},
            terms);
        QVERIFY(of1962);
        QCOMPARE(of1962->count, 1);
        QCOMPARE(of1962->sums, (QVariantList{qint64(-2), -2.5}));
        QCOMPARE(context.totals({stamps, {}, {}}, {}).value().count, 4);
        StoreResult<QVariantList> sums = context.sums(stamps, terms);
        QVERIFY(sums);
        QCOMPARE(sums->at(0).typeId(), QMetaType::LongLong);
        QCOMPARE(sums->at(0).toLongLong(), qint64(65532));
        QCOMPARE(sums->at(1).typeId(), QMetaType::Double);
        const double expected = 32767 * 0.5 + 32767 * double(1e-05f) - 2 * 1.25;
        QVERIFY(qAbs(sums->at(1).toDouble() - expected) < 1e-6);

        // A change not yet saved counts, as it does in a fetch.
        context.fetch<Stamps>().value().first()->setQuantity(1);
        sums = context.sums(stamps, terms);
        QCOMPARE(sums->at(0).toLongLong(), qint64(32766));

        const StoreResult<QVariantList> notANumber =
            context.sums(stamps, {{QStringLiteral("country")}});
        QVERIFY(!notANumber);
        QVERIFY(notANumber.error().description.contains(QStringLiteral("country")));
        QVERIFY(!context.sums(QStringLiteral("Nothing"), terms));
    }

    void noSortDescriptorsKeepsInsertionOrder()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        addStamp(context, QStringLiteral("c"));
        addStamp(context, QStringLiteral("a"));
        QVERIFY(context.save());
        addStamp(context, QStringLiteral("b"));
        QCOMPARE(denominations(fetchStamps(context)),
                 (QStringList{QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
        QVERIFY(context.save());
        store.reopen();
        QCOMPARE(denominations(fetchStamps(store.context())),
                 (QStringList{QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("b")}));
    }

    void fetchSeesUnsavedChangesAndKeepsOneObjectPerRow()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        Stamps* a = addStamp(context, QStringLiteral("a"), 0, QStringLiteral("France"));
        Stamps* b = addStamp(context, QStringLiteral("b"), 0, QStringLiteral("Spain"));
        QVERIFY(context.save());
        QVERIFY(!context.hasChanges());

        const QList<Stamps*> all = fetchStamps(context);
        QCOMPARE(all, (QList<Stamps*>{a, b}));
        QCOMPARE(fetchStamps(context, Predicate::format(QStringLiteral("country = %@"),
                                                        QStringLiteral("Spain"))),
                 QList<Stamps*>{b});

        b->setCountry(QStringLiteral("France"));
        context.deleteObject(a);
        Stamps* c = addStamp(context, QStringLiteral("c"), 0, QStringLiteral("France"));
        QVERIFY(context.hasChanges());
        const FetchRequest france{
            QStringLiteral("Stamps"),
            Predicate::format(QStringLiteral("country = %@"), QStringLiteral("France")),
            {{QStringLiteral("denomination"), false}}};
        QCOMPARE(context.fetch(france).value(), (QList<ManagedObject*>{c, b}));
        QCOMPARE(context.count(france).value(), 2);
        QCOMPARE(fetchStamps(context, Predicate::format(QStringLiteral("country = %@"),
                                                        QStringLiteral("Spain"))),
                 QList<Stamps*>());

        QVERIFY(context.save());
        QCOMPARE(a->managedObjectContext(), nullptr);
        QCOMPARE(context.count(france).value(), 2);
        store.reopen();
        QCOMPARE(denominations(fetchStamps(store.context())),
                 (QStringList{QStringLiteral("b"), QStringLiteral("c")}));
    }

    void rowsAreReadOnceWhicheverFetchMeetsThemFirst()
    {
        TemporaryStore store;
        for (const char* country : {"France", "France", "Malta", "France", "Spain"})
            addStamp(store.context(), QString::fromLatin1(country), 1950,
                     QString::fromLatin1(country));
        QVERIFY(store.context().save());
        store.reopen();
        ObjectContext& context = store.context();

        // Three of five rows first, then all (the other two are read by key), then a few again.
        const QList<Stamps*> french = fetchStamps(
            context, Predicate::format(QStringLiteral("country = %@"), QStringLiteral("France")));
        QCOMPARE(french.size(), 3);
        const QList<Stamps*> all =
            fetchStamps(context, {}, {{QStringLiteral("denomination"), false}});
        QCOMPARE(
            denominations(all),
            (QStringList{QStringLiteral("Spain"), QStringLiteral("Malta"), QStringLiteral("France"),
                         QStringLiteral("France"), QStringLiteral("France")}));
        QCOMPARE(all.mid(2), french);
        QCOMPARE(all.first()->yearOfIssue(), qint16(1950));
        QCOMPARE(fetchStamps(context, Predicate::format(QStringLiteral("country = %@"),
                                                        QStringLiteral("Malta"))),
                 QList<Stamps*>{all[1]});
    }

    void failedSaveLeavesTheFileAndKeepsTheChanges()
    {
        TemporaryStore store;
        ObjectContext& context = store.context();
        Stamps* kept = addStamp(context, QStringLiteral("kept"), 1950);
        QVERIFY(context.save());

        // Another connection makes SQLite itself refuse one row, halfway through the save.
        {
            QSqlDatabase other =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(store.container().storeFilePath());
            QVERIFY(other.open());
            QSqlQuery query(other);
            QVERIFY2(query.exec(QStringLiteral(
                         "CREATE TRIGGER refuse BEFORE INSERT ON Stamps "
                         "WHEN NEW.denomination = 'refused' BEGIN SELECT RAISE(ABORT, 'refused "
                         "by the store'); END")),
                     qPrintable(query.lastError().text()));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));

        kept->setYearOfIssue(1999);
        Stamps* fine = addStamp(context, QStringLiteral("fine"));
        Stamps* refused = addStamp(context, QStringLiteral("refused"));
        const StoreResult<> refusedSave = context.save();
        QVERIFY(!refusedSave);
        QVERIFY2(refusedSave.error().description.contains(QStringLiteral("refused by the store")),
                 qPrintable(refusedSave.error().description));
        QCOMPARE(denominationsOnDisk(store.container().storeFilePath()),
                 QStringList{QStringLiteral("kept")});
        QVERIFY(context.hasChanges());
        QCOMPARE(fetchStamps(context), (QList<Stamps*>{kept, fine, refused}));
        QCOMPARE(kept->yearOfIssue(), qint16(1999));

        context.rollback();
        QVERIFY(!context.hasChanges());
        QCOMPARE(fetchStamps(context), QList<Stamps*>{kept});
        QCOMPARE(kept->yearOfIssue(), qint16(1950));
        QCOMPARE(refused->managedObjectContext(), nullptr);

        // The test hook fails a save the same way, after the rows were written.
        addStamp(context, QStringLiteral("later"));
        context.failNextSaveForTesting(QStringLiteral("disk full"));
        const StoreResult<> failedSave = context.save();
        QVERIFY(!failedSave);
        QCOMPARE(failedSave.error().description, QStringLiteral("disk full"));
        QCOMPARE(denominationsOnDisk(store.container().storeFilePath()),
                 QStringList{QStringLiteral("kept")});
        QVERIFY(context.save());
        QCOMPARE(denominationsOnDisk(store.container().storeFilePath()),
                 (QStringList{QStringLiteral("kept"), QStringLiteral("later")}));
    }

    void pictureIsReadOnlyWhenAskedFor()
    {
        TemporaryStore store;
        const QByteArray picture("\xFF\xD8\xFF picture bytes", 18);
        addStamp(store.context(), QStringLiteral("with"))->setStampImage(picture);
        addStamp(store.context(), QStringLiteral("without"));
        QVERIFY(store.context().save());
        store.reopen();

        const QList<Stamps*> stamps = fetchStamps(store.context());
        QCOMPARE(stamps.size(), 2);
        QVERIFY(!stamps[0]->isAttributeLoaded(QStringLiteral("stampImage")));
        QCOMPARE(stamps[0]->stampImage(), std::optional<QByteArray>(picture));
        QVERIFY(stamps[0]->isAttributeLoaded(QStringLiteral("stampImage")));
        QCOMPARE(stamps[1]->stampImage(), std::nullopt);

        // Read for many at once: each gets its own picture, or none.
        stamps[0]->releaseAttribute(QStringLiteral("stampImage"));
        QVERIFY(
            store.context().loadAttribute({stamps[0], stamps[1]}, QStringLiteral("stampImage")));
        QVERIFY(stamps[0]->isAttributeLoaded(QStringLiteral("stampImage")) &&
                stamps[1]->isAttributeLoaded(QStringLiteral("stampImage")));
        QCOMPARE(stamps[0]->stampImage(), std::optional<QByteArray>(picture));
        QCOMPARE(stamps[1]->stampImage(), std::nullopt);

        // A released picture is read again when asked for.
        stamps[0]->releaseAttribute(QStringLiteral("stampImage"));
        QVERIFY(!stamps[0]->isAttributeLoaded(QStringLiteral("stampImage")));
        QCOMPARE(stamps[0]->stampImage(), std::optional<QByteArray>(picture));

        // A change of another attribute saves without losing the unread picture.
        stamps[1]->setNotes(QStringLiteral("noted"));
        const QList<Stamps*> again = fetchStamps(store.context());
        again[0]->setNotes(QStringLiteral("noted too"));
        QVERIFY(store.context().save());
        store.reopen();
        QCOMPARE(fetchStamps(store.context())[0]->stampImage(), std::optional<QByteArray>(picture));
    }

    void reopenedStoreKeepsEveryValue()
    {
        TemporaryStore store;
        Stamps* stamp = store.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("5c"));
        stamp->setNotes(QStringLiteral(""));
        const QString description = QStringLiteral("line one\nline two ^ \\ 'quoted'");
        stamp->setDescrip(description);
        stamp->setYearOfIssue(-32768);
        stamp->setQuantity(32767);
        stamp->setCost(0.1f);
        stamp->setValue(1234.5f);
        stamp->setStampImage(QByteArray(""));
        store.context().insertNewObject<CountryList>()->setCountry(QStringLiteral("Malta"));
        QVERIFY(store.context().save());
        store.reopen();

        const QList<Stamps*> stamps = fetchStamps(store.context());
        QCOMPARE(stamps.size(), 1);
        const Stamps* read = stamps.first();
        QCOMPARE(read->denomination(), std::optional<QString>(QStringLiteral("5c")));
        QCOMPARE(read->notes(), std::optional<QString>(QStringLiteral("")));
        QCOMPARE(read->country(), std::nullopt);
        QCOMPARE(read->descrip(), std::optional<QString>(description));
        QCOMPARE(read->yearOfIssue(), qint16(-32768));
        QCOMPARE(read->quantity(), qint16(32767));
        QCOMPARE(read->cost(), 0.1f);
        QCOMPARE(read->value(), 1234.5f);
        QCOMPARE(read->stampImage(), std::optional<QByteArray>(QByteArray("")));
        const QList<CountryList*> countries = store.context().fetch<CountryList>().value();
        QCOMPARE(countries.size(), 1);
        QCOMPARE(countries.first()->country(), std::optional<QString>(QStringLiteral("Malta")));
    }

    void badRequestsFailWithAMessage()
    {
        TemporaryStore store;
        addStamp(store.context(), QStringLiteral("a"));
        const StoreResult<QList<ManagedObject*>> unknownOperator = store.context().fetch(
            {QStringLiteral("Stamps"),
             Predicate::format(QStringLiteral("country LIKE %@"), QStringLiteral("x")),
             {}});
        QVERIFY(!unknownOperator);
        QVERIFY(unknownOperator.error().description.contains(QStringLiteral("country LIKE")));
        const StoreResult<QList<ManagedObject*>> unknownAttribute = store.context().fetch(
            {QStringLiteral("Stamps"),
             Predicate::format(QStringLiteral("colour = %@"), QStringLiteral("x")),
             {}});
        QVERIFY(!unknownAttribute);
        QVERIFY(unknownAttribute.error().description.contains(QStringLiteral("colour")));
        const StoreResult<qint64> unknownEntity =
            store.context().count({QStringLiteral("Nothing"), {}, {}});
        QVERIFY(!unknownEntity);
        QVERIFY(unknownEntity.error().description.contains(QStringLiteral("Nothing")));
    }

    void unreadableStoreIsReported()
    {
        QTemporaryDir directory;
        QFile file(directory.filePath(QStringLiteral("Vellora.sqlite")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
        file.close();
        PersistentContainer container(QStringLiteral("Vellora"), directory.path());
        const StoreResult<> loaded = container.loadPersistentStores();
        QVERIFY(!loaded);
        QVERIFY(!loaded.error().description.isEmpty());
        QCOMPARE(loaded.error().userInfo.value(QStringLiteral("path")).toString(), file.fileName());
        QVERIFY(!container.isLoaded());
        QCOMPARE(file.size(), 4096);
    }
};

QTEST_GUILESS_MAIN(ObjectContextTest)
#include "tst_objectcontext.moc"
