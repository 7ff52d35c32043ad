#include "AsCollector.h"
#include "StoreSurgery.h"
#include "TemporaryStore.h"
#include "store/DefaultReferenceValues.h"
#include "store/Entities.h"
#include "store/ObjectContext.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

QByteArray checksum(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// A closed store file in its own folder, with one stamp.
struct ClosedStore
{
    ClosedStore()
    {
        PersistentContainer container(QStringLiteral("Vellora"), directory.path());
        if (!container.loadPersistentStores())
            qFatal("The test store could not be made");
        container.viewContext().insertNewObject<Stamps>()->setDenomination(QStringLiteral("5c"));
        if (!container.viewContext().save())
            qFatal("The test stamp could not be saved");
    }
    QString file() const { return directory.filePath(QStringLiteral("Vellora.sqlite")); }
    // The store as a launch opens it; the error's description, or empty when it opened.
    QString open(std::unique_ptr<PersistentContainer>& container) const
    {
        container =
            std::make_unique<PersistentContainer>(QStringLiteral("Vellora"), directory.path());
        const StoreResult<> loaded = container->loadPersistentStores();
        return loaded ? QString() : loaded.error().description;
    }

    QTemporaryDir directory;
};

} // namespace

class StoreFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void foreignOrDamagedStoresAreRefusedAndLeftAsTheyWere_data()
    {
        QTest::addColumn<QStringList>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("negative version") << QStringList{QStringLiteral("PRAGMA user_version = -3")}
                                          << QStringLiteral("unknown version (-3)");
        QTest::newRow("newer version") << QStringList{QStringLiteral("PRAGMA user_version = 99")}
                                       << QStringLiteral("newer version of Vellora");
        QTest::newRow("dropped column")
            << QStringList{QStringLiteral("DROP INDEX StampsByDenomination"),
                           QStringLiteral("ALTER TABLE Stamps DROP notes")}
            << "table Stamps has no column notes";
        QTest::newRow("dropped table") << QStringList{QStringLiteral("DROP TABLE GumList")}
                                       << QStringLiteral("no table GumList");
        QTest::newRow("dropped markers") << QStringList{QStringLiteral("DROP TABLE Markers")}
                                         << QStringLiteral("no table Markers");
    }
    void foreignOrDamagedStoresAreRefusedAndLeftAsTheyWere()
    {
        QFETCH(QStringList, damage);
        QFETCH(QString, reason);
        ClosedStore store;
        QVERIFY(alterStoreFile(store.file(), damage));
        const QByteArray before = checksum(store.file());

        std::unique_ptr<PersistentContainer> container;
        const QString error = store.open(container);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(!container->isLoaded());
        container.reset();
        QCOMPARE(checksum(store.file()), before);
    }

    void aTableChangedUnderTheOpenStoreGivesSQLitesOwnError()
    {
        TemporaryStore store;
        QVERIFY(alterStoreFile(store.container().storeFilePath(),
                               {QStringLiteral("DROP INDEX StampsByDenomination"),
                                QStringLiteral("ALTER TABLE Stamps DROP notes")}));
        store.context().insertNewObject<Stamps>()->setDenomination(QStringLiteral("5c"));
        const StoreResult<> saved = store.context().save();
        QVERIFY(!saved);
        QVERIFY2(saved.error().description.contains(QStringLiteral("no column named notes")),
                 qPrintable(saved.error().description));
    }

    void textsAreStoredWellFormed()
    {
        TemporaryStore store;
        Stamps* stamp = store.context().insertNewObject<Stamps>();
        const QChar high(0xD800);
        const QChar low(0xDC00);
        const QString pair = QString::fromUtf8("\xF0\x9F\x93\xAE"); // a postbox, two UTF-16 units
        stamp->setDescrip(QStringLiteral("x") + high + QStringLiteral("y"));
        stamp->setNotes(QString(low) + QStringLiteral("z") + pair + high);
        QVERIFY(store.context().save());
        store.reopen();

        const Stamps* read = store.context().fetch<Stamps>().value().first();
        const QChar replacement = QChar::ReplacementCharacter;
        QCOMPARE(*read->descrip(), QStringLiteral("x") + replacement + QStringLiteral("y"));
        QCOMPARE(*read->notes(), QString(replacement) + QStringLiteral("z") + pair + replacement);
        // A search for the text as typed finds the stamp it was stored in.
        QCOMPARE(
            store.context()
                .fetch<Stamps>(Predicate::format(QStringLiteral("descrip = %@"),
                                                 QStringLiteral("x") + high + QStringLiteral("y")))
                .value()
                .size(),
            1);
    }

    void aStoreFilledBeforeMarkersWereKeptCountsAsFilled()
    {
        // Stores as the first version wrote them: no markers, one with its lists filled.
        ClosedStore filled;
        ClosedStore empty;
        const QStringList firstVersion = {QStringLiteral("DROP TABLE Markers"),
                                          QStringLiteral("DROP INDEX StampsInNameOrder"),
                                          QStringLiteral("DROP INDEX StampsInYearOrder"),
                                          QStringLiteral("DROP INDEX StampsInScottOrder"),
                                          QStringLiteral("DROP INDEX StampsInValueOrder"),
                                          QStringLiteral("DROP INDEX StampsForTotals"),
                                          QStringLiteral("PRAGMA user_version = 1")};
        QVERIFY(alterStoreFile(filled.file(), QStringList{QStringLiteral(
                                                  "INSERT INTO GumList (gum) VALUES ('Fine')")} +
                                                  firstVersion));
        QVERIFY(alterStoreFile(empty.file(), firstVersion));

        const QString marker = QString::fromLatin1(DefaultReferenceValues::SeededMarker);
        std::unique_ptr<PersistentContainer> container;
        QCOMPARE(filled.open(container), QString());
        QCOMPARE(container->viewContext().hasMarker(marker).value(), true);
        QCOMPARE(empty.open(container), QString());
        QCOMPARE(container->viewContext().hasMarker(marker).value(), false);

        // A marker is saved with the changes, and dropped with them on a rollback.
        container->viewContext().setMarker(marker);
        QVERIFY(container->viewContext().hasChanges());
        container->viewContext().rollback();
        QCOMPARE(container->viewContext().hasMarker(marker).value(), false);
        container->viewContext().setMarker(marker);
        QVERIFY(container->viewContext().save());
        QCOMPARE(empty.open(container), QString());
        QCOMPARE(container->viewContext().hasMarker(marker).value(), true);
    }

    void aReadOnlyStoreCanBeLookedAtAndRefusesEverySave_data()
    {
        QTest::addColumn<bool>("folderWritable");
        QTest::newRow("read-only file") << true;
        QTest::newRow("read-only folder") << false;
    }
    void aReadOnlyStoreCanBeLookedAtAndRefusesEverySave()
    {
        QFETCH(bool, folderWritable);
        ClosedStore store;
        const QString folder = store.directory.path();
        QVERIFY(setWritableByCollector(store.file(), false));
        QVERIFY(setWritableByCollector(folder, folderWritable));
        const QByteArray before = checksum(store.file());
        const QStringList filesBefore = QDir(folder).entryList(QDir::Files);

        const QString problem = runAsCollector([&store]() -> QString {
            std::unique_ptr<PersistentContainer> container;
            if (const QString error = store.open(container); !error.isEmpty())
                return QStringLiteral("not opened: ") + error;
            if (!container->isReadOnly())
                return QStringLiteral("opened for writing");
            ObjectContext& context = container->viewContext();
            const QList<Stamps*> stamps = context.fetch<Stamps>().value();
            if (stamps.size() != 1 || stamps.first()->denomination() != QStringLiteral("5c"))
                return QStringLiteral("the stamp is not there");
            stamps.first()->setNotes(QStringLiteral("changed"));
            context.insertNewObject<CountryList>()->setCountry(QStringLiteral("Malta"));
            const StoreResult<> saved = context.save();
            if (saved)
                return QStringLiteral("a save went through");
            if (saved.error().description != QStringLiteral("This collection is read-only: changes "
                                                            "cannot be saved"))
                return QStringLiteral("refused with: ") + saved.error().description;
            return {};
        });
        QVERIFY(setWritableByCollector(folder, true));
        QVERIFY(setWritableByCollector(store.file(), true));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(checksum(store.file()), before);
        if (!folderWritable)
            QCOMPARE(QDir(folder).entryList(QDir::Files), filesBefore);
    }
};

QTEST_GUILESS_MAIN(StoreFileTest)
#include "tst_storefile.moc"
