#include "ConsoleCapture.h"
#include "LocaleScope.h"
#include "StoreSurgery.h"
#include "TestEnvironment.h"
#include "app/Reading.h"
#include "app/SharedState.h"
#include "platform/core/CurrencyText.h"
#include "store/Model.h"
#include "store/ObjectContext.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTest>

class AppCoreTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sharedStateStartsEmptyAndKeepsOneValuePerList()
    {
        SharedState shared;
        QCOMPARE(shared.marker, QString());
        QVERIFY(shared.sortAscending);
        QCOMPARE(shared.selectedStamp.yearOfIssue, qint16(0));
        QVERIFY(shared.selectedStamp.picture.isNull());
        for (const EntityDescription* entity : Model::referenceEntities())
            QCOMPARE(shared.selectedReferenceValue(entity->name()), QString());

        shared.setSelectedReferenceValue(QStringLiteral("GumList"), QStringLiteral("Original"));
        shared.setSelectedReferenceValue(QStringLiteral("GradeList"), QStringLiteral("Fine"));
        QCOMPARE(shared.selectedReferenceValue(QStringLiteral("GumList")),
                 QStringLiteral("Original"));
        QCOMPARE(shared.selectedReferenceValue(QStringLiteral("GradeList")),
                 QStringLiteral("Fine"));
        QCOMPARE(shared.selectedReferenceValue(QStringLiteral("ConditionList")), QString());

        ConsoleCapture console;
        shared.setSelectedReferenceValue(QStringLiteral("Stamps"), QStringLiteral("x"));
        QCOMPARE(shared.selectedReferenceValue(QStringLiteral("Stamps")), QString());
        QCOMPARE(console.lines().size(), 1);
    }

    void selectedStampCopiesTheRecord()
    {
        TestEnvironment test;
        Stamps* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("5c"));
        stamp->setCountry(QStringLiteral("Malta"));
        stamp->setYearOfIssue(1962);
        stamp->setQuantity(3);
        stamp->setCost(1.25f);
        stamp->setValue(1234.5f);
        stamp->setNotes(QStringLiteral("  kept as typed\n"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        stamp->setStampImage(test.pictures.encodeJpeg(picture, 0.6).value());

        SelectedStamp selected = SelectedStamp::from(*stamp, test.pictures);
        QCOMPARE(selected.denomination, QStringLiteral("5c"));
        QCOMPARE(selected.country, QStringLiteral("Malta"));
        QCOMPARE(selected.yearOfIssue, qint16(1962));
        QCOMPARE(selected.quantity, qint16(3));
        QCOMPARE(selected.cost, 1.25f);
        QCOMPARE(selected.value, 1234.5f);
        QCOMPARE(selected.notes, QStringLiteral("  kept as typed\n"));
        QCOMPARE(selected.picture.size(), QSize(40, 30));
        // Absent texts arrive as empty texts.
        QVERIFY(selected.scottNumber.isEmpty() && selected.faults.isEmpty());

        stamp->setStampImage(QByteArray("not a picture"));
        QVERIFY(SelectedStamp::from(*stamp, test.pictures).picture.isNull());
        stamp->setStampImage(std::nullopt);
        QVERIFY(SelectedStamp::from(*stamp, test.pictures).picture.isNull());
    }

    void currencyTextFollowsTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("dollars with grouping in en_US")
            << Locales::unitedStates() << 1234.5 << QStringLiteral("$1,234.50");
        QTest::newRow("zero dollars in en_US")
            << Locales::unitedStates() << 0.0 << QStringLiteral("$0.00");
        QTest::newRow("euros after the amount in de_DE")
            << Locales::germany() << 1234.5 << QString::fromUtf8("1.234,50\u00a0€");
    }

    void currencyTextFollowsTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, amount);
        QFETCH(QString, text);
        const LocaleScope scope(locale);
        QCOMPARE(currencyText(amount), text);
    }

    void failedSaveContextRollsBackAndSaysSo()
    {
        TestEnvironment test;
        Stamps* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("kept"));
        QVERIFY(test.appDelegate().saveContext());

        test.context().deleteObject(stamp);
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        ConsoleCapture console;
        const StoreResult<> saved = test.appDelegate().saveContext();
        QVERIFY(!saved);
        QCOMPARE(saved.error().description, QStringLiteral("disk full"));
        QVERIFY(
            console.lines().value(0).startsWith(QStringLiteral("Unresolved error disk full, ")));
        // The delete is undone, so the record the collector sees is the one in the store.
        QVERIFY(!test.context().hasChanges());
        QCOMPARE(test.context().fetch<Stamps>().value(), QList<Stamps*>{stamp});
        QVERIFY(test.appDelegate().saveContext());
    }

    void aPictureTheStoreCannotHandOverIsToldOnceForARun()
    {
        TestEnvironment test;
        Reading::tellOnDemandFailures(test.environment());
        QList<Stamps*> stamps;
        for (int i = 0; i < 3; ++i) {
            stamps << test.context().insertNewObject<Stamps>();
            stamps.last()->setStampImage(QByteArray("picture"));
        }
        QVERIFY(test.context().save());
        for (Stamps* stamp : std::as_const(stamps))
            stamp->releaseAttribute(QStringLiteral("stampImage"));
        QVERIFY(alterStoreFile(test.appDelegate().persistentContainer().storeFilePath(),
                               {QStringLiteral("ALTER TABLE Stamps DROP COLUMN stampImage")}));

        // Asked for as rows are painted: absent, and told once the event loop is back.
        for (Stamps* stamp : std::as_const(stamps))
            QCOMPARE(stamp->stampImage(), std::nullopt);
        QCOMPARE(test.alerts.alerts().size(), 0);
        test.mainQueue.drain();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Collection not Read"));
        QVERIFY2(test.alerts.last().message.startsWith(QStringLiteral("Reading stampImage failed")),
                 qPrintable(test.alerts.last().message));

        // Once the collector has read it, the next failure is told again.
        QCOMPARE(stamps.first()->stampImage(), std::nullopt);
        test.mainQueue.drain();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QVERIFY(test.alerts.tap(QStringLiteral("OK")));
        QCOMPARE(stamps.first()->stampImage(), std::nullopt);
        test.mainQueue.drain();
        QCOMPARE(test.alerts.alerts().size(), 2);
        // Nothing was marked loaded, so nothing absent can be saved over the picture.
        QVERIFY(!stamps.first()->isAttributeLoaded(QStringLiteral("stampImage")));
    }

    void anUnreadableStoreIsAnUnresolvedError()
    {
        QTemporaryDir directory;
        QFile file(directory.filePath(QStringLiteral("Vellora.sqlite")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a store");
        file.close();

        ConsoleCapture console;
        AppDelegate delegate(directory.path());
        QVERIFY(!delegate.persistentContainer().isLoaded());
        QVERIFY(delegate.storeError().has_value());
        const QString message = AppDelegate::unresolvedErrorMessage(*delegate.storeError());
        QVERIFY2(message.startsWith(QStringLiteral("Unresolved error ")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("path = ") + file.fileName() + QLatin1Char('}')),
                 qPrintable(message));
        QCOMPARE(console.lines(), QStringList{message});
    }
};

QTEST_MAIN(AppCoreTest)
#include "tst_appcore.moc"
