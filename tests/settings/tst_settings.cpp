#include "AppOnScreen.h"
#include "LocaleScope.h"
#include "ModelTexts.h"
#include "TestEnvironment.h"
#include "app/Preferences.h"
#include "browse/GroupSummaryViewController.h"
#include "browse/ListTableViewController.h"
#include "browse/StampRowModel.h"
#include "platform/gui/SegmentedControl.h"
#include "reports/PrintStampsViewController.h"
#include "settings/SettingsViewController.h"
#include "store/DefaultReferenceValues.h"
#include "store/PersistentContainer.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Stamps named by where a catalogue puts them: "n0" first ... "n5" last (absent numbers first).
void addNumbered(ObjectContext& context)
{
    const QList<std::pair<QString, QString>> stamps = {
        {QStringLiteral("n4"), QStringLiteral("10")}, {QStringLiteral("n2"), QStringLiteral("1A")},
        {QStringLiteral("n5"), QStringLiteral("C1")}, {QStringLiteral("n3"), QStringLiteral("2")},
        {QStringLiteral("n1"), QStringLiteral("1")},  {QStringLiteral("n0"), QString()},
    };
    for (const auto& [denomination, number] : stamps) {
        auto* stamp = context.insertNewObject<Stamps>();
        stamp->setDenomination(denomination);
        stamp->setQuantity(1);
        if (!number.isNull())
            stamp->setScottNumber(number);
    }
}

const QStringList CatalogueOrder = {QStringLiteral("n0"), QStringLiteral("n1"),
                                    QStringLiteral("n2"), QStringLiteral("n3"),
                                    QStringLiteral("n4"), QStringLiteral("n5")};
// By code point: absent, "1", "10", "1A", "2", "C1".
const QStringList CodePointOrder = {QStringLiteral("n0"), QStringLiteral("n1"),
                                    QStringLiteral("n4"), QStringLiteral("n2"),
                                    QStringLiteral("n3"), QStringLiteral("n5")};

QStringList turned(const QStringList& list)
{
    return {list.crbegin(), list.crend()};
}

// The numbers of the Scott number summary, the denominations of the list's "Scott #" segment
// and of the print-all report, each ascending and then descending.
QList<QStringList> everyScottOrder(TestEnvironment& test)
{
    QList<QStringList> orders;
    GroupSummaryViewController summary(
        GroupSummaryViewController::ScottNumberGroupTableViewController, test.environment());
    summary.view();
    orders << column(summary.tableView->model());
    summary.SortButtonTapped();
    orders << column(summary.tableView->model());

    ListTableViewController list(test.environment());
    list.view();
    test.mainQueue.drain();
    list.segment->setSelectedSegmentIndex(2);
    orders << column(list.rowModel());
    list.SortButtonTapped();
    orders << column(list.rowModel());

    test.shared().marker = QStringLiteral("Menu");
    for (const bool ascending : {true, false}) {
        test.shared().sortAscending = ascending;
        PrintStampsViewController print(test.environment());
        print.view();
        orders << denominationsIn(test.printPanel.texts().constLast());
    }
    return orders;
}

bool hasCatalogueIndex(const QString& storeFile)
{
    bool found = false;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("indexes"));
        database.setDatabaseName(storeFile);
        QSqlQuery query(database);
        found = database.open() &&
                query.exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND "
                                          "name = 'StampsInCatalogueScottOrder'")) &&
                query.next();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("indexes"));
    return found;
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_locale.emplace(Locales::unitedStates()); }
    void cleanup() { m_locale.reset(); }

    void theMenuOpensSettingsThatStartAsVelloraAlwaysWas()
    {
        TestEnvironment test;
        AppOnScreen app(test);
        QVERIFY(app.menu->SettingsButton);
        app.menu->SettingsButton->click();
        auto* settings = qobject_cast<SettingsViewController*>(app.navigation->topViewController());
        QVERIFY(settings);
        QCOMPARE(settings->title(), QStringLiteral("Settings"));
        QVERIFY(!settings->CatalogueOrderSwitch->isChecked());
        QCOMPARE(settings->BackupsKeptSpinBox->value(), 5);
        QCOMPARE(settings->DataFolderLabel->text(),
                 QDir::toNativeSeparators(QDir(test.dataDirectory()).absolutePath()));

        settings->OpenDataFolderButton->click();
        QCOMPARE(test.urls.urls(),
                 QList<QUrl>{QUrl::fromLocalFile(QDir(test.dataDirectory()).absolutePath())});
        QVERIFY(test.alerts.alerts().isEmpty());
    }

    void choicesAreKeptAcrossLaunches()
    {
        TestEnvironment test;
        {
            SettingsViewController settings(test.environment());
            settings.view();
            settings.BackupsKeptSpinBox->setValue(2);
            settings.CatalogueOrderSwitch->setChecked(true);
        }
        const QString storeFile = test.appDelegate().persistentContainer().storeFilePath();
        test.relaunch();
        {
            SettingsViewController settings(test.environment());
            settings.view();
            QCOMPARE(settings.BackupsKeptSpinBox->value(), 2);
            QVERIFY(settings.CatalogueOrderSwitch->isChecked());
            QVERIFY(hasCatalogueIndex(storeFile));
            // Off again drops the index the order needed.
            settings.CatalogueOrderSwitch->setChecked(false);
        }
        QVERIFY(!hasCatalogueIndex(storeFile));
        QVERIFY(test.alerts.alerts().isEmpty());

        // A count edited by hand into nonsense reads as the default, never as "keep none".
        for (const char* written : {"none", "0", "-3", "1000"}) {
            test.relaunch([&test, written] {
                QSettings file(test.userDefaultsFile(), QSettings::IniFormat);
                file.setValue(QStringLiteral("BackupsKeptBeforeImport"),
                              QString::fromLatin1(written));
            });
            QCOMPARE(Preferences(test.environment().services.userDefaults).backupsKept(), 5);
        }
    }

    void everyScottOrderFollowsTheChoice()
    {
        TestEnvironment test;
        addNumbered(test.context());
        QVERIFY(test.context().save());
        const QList<QStringList> byCodePoint = everyScottOrder(test);
        QCOMPARE(byCodePoint.at(0),
                 (QStringList{QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("1A"),
                              QStringLiteral("2"), QStringLiteral("C1")}));
        for (int i = 2; i < 6; i += 2) {
            QCOMPARE(byCodePoint.at(i), CodePointOrder);
            QCOMPARE(byCodePoint.at(i + 1), turned(CodePointOrder));
        }

        SettingsViewController settings(test.environment());
        settings.view();
        settings.CatalogueOrderSwitch->setChecked(true);
        const QList<QStringList> byCatalogue = everyScottOrder(test);
        const QStringList numbers = {QStringLiteral("1"), QStringLiteral("1A"), QStringLiteral("2"),
                                     QStringLiteral("10"), QStringLiteral("C1")};
        QCOMPARE(byCatalogue.at(0), numbers);
        QCOMPARE(byCatalogue.at(1), turned(numbers));
        for (int i = 2; i < 6; i += 2) {
            QCOMPARE(byCatalogue.at(i), CatalogueOrder);
            QCOMPARE(byCatalogue.at(i + 1), turned(CatalogueOrder));
        }
    }

    void backUpNowAndRestoreAFileThroughTheScreen()
    {
        TestEnvironment test;
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("now"));
        QVERIFY(test.context().save());
        test.shared().selectedStampRecord = stamp;
        // Another collection's store, never opened by the window, so without its lists.
        QTemporaryDir other;
        {
            PersistentContainer made(QStringLiteral("Vellora"), other.path());
            QVERIFY(made.loadPersistentStores().ok());
            made.viewContext().insertNewObject<Stamps>()->setDenomination(QStringLiteral("then"));
            QVERIFY(made.viewContext().save());
        }
        AppOnScreen app(test);
        app.menu->SettingsButton->click();
        auto* settings = qobject_cast<SettingsViewController*>(app.navigation->topViewController());
        QVERIFY(settings);

        settings->BackUpNowButton->click();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Backup Made"));
        const QString backups = QDir(test.dataDirectory()).filePath(QStringLiteral("Backups"));
        const QStringList made = QDir(backups).entryList({QStringLiteral("Vellora-*.sqlite")});
        QCOMPARE(made.size(), 1);
        QVERIFY2(test.alerts.last().message.endsWith(
                     QDir::toNativeSeparators(QDir(backups).filePath(made.constFirst()))),
                 qPrintable(test.alerts.last().message));
        QVERIFY(test.alerts.tap(QStringLiteral("OK")));

        // A cancelled dialog, then the answer "Cancel", change nothing.
        settings->RestoreButton->click();
        QCOMPARE(test.documentPicker.folders(), QStringList{backups});
        const QString chosen = other.filePath(QStringLiteral("Vellora.sqlite"));
        for (const QString& answer : {QStringLiteral("Cancel"), QStringLiteral("Restore")}) {
            test.documentPicker.setNextFile(chosen);
            settings->RestoreButton->click();
            QCOMPARE(test.alerts.last().title, QStringLiteral("Restore from Backup"));
            QVERIFY2(test.alerts.last().message.contains(QStringLiteral("Vellora.sqlite")) &&
                         test.alerts.last().message.contains(QStringLiteral("backed up first")),
                     qPrintable(test.alerts.last().message));
            QVERIFY(test.alerts.tap(answer));
        }
        QCOMPARE(test.alerts.last().title, QStringLiteral("Collection Restored"));
        QCOMPARE(app.navigation->topViewController(), app.menu);
        QCOMPARE(test.shared().selectedStampRecord, nullptr);
        const QList<Stamps*> stamps = test.context().fetch<Stamps>().value();
        QCOMPARE(stamps.size(), 1);
        QCOMPARE(stamps.at(0)->denomination(), QStringLiteral("then"));
        // The restored store gets its lists, as at a launch; the one before is kept.
        QVERIFY(test.context()
                    .hasMarker(QString::fromLatin1(DefaultReferenceValues::SeededMarker))
                    .value());
        QCOMPARE(QDir(backups).entryList({QStringLiteral("Vellora-*.sqlite")}).size(), 2);
        QCOMPARE(test.alerts.unansweredCount(), 1);
    }

private:
    TestLocale m_locale;
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
