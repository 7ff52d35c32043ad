#include "AsCollector.h"
#include "ConsoleCapture.h"
#include "FailureText.h"
#include "TestEnvironment.h"
#include "app/Saving.h"
#include "main/Application.h"
#include "main/MainMenuViewController.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/HandoverFiles.h"
#include "store/Model.h"
#include "store/ObjectContext.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <memory>
#include <unistd.h>

namespace {

// The texts of a reference list in the order they were stored.
QStringList storedTexts(ObjectContext& context, const QString& entityName)
{
    QStringList texts;
    for (const ManagedObject* entry : context.fetch({entityName, {}, {}}).value())
        texts << entry->value(0).toString();
    return texts;
}

void launchMenu(TestEnvironment& test)
{
    MainMenuViewController menu(test.environment());
    menu.view();
}

QStringList alertTexts(const RecordingAlertPresenter& alerts)
{
    QStringList texts;
    for (const Alert& alert : alerts.alerts())
        texts << alert.title + QStringLiteral(": ") + alert.message;
    return texts;
}

const QString LaunchArgument = QStringLiteral("--launch-in");

// What one launch in a process of its own said: its console lines and its alerts as
// "title: message".
struct LaunchResult
{
    QStringList console;
    QStringList alerts;
};

LaunchResult launchInOwnProcess(const QString& dataDirectory)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), {LaunchArgument, dataDirectory});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qWarning("The launch did not end well: %s", process.readAllStandardError().constData());
    const auto lines = [](const QByteArray& output) {
        return QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    };
    return {lines(process.readAllStandardError()), lines(process.readAllStandardOutput())};
}

// The child's side: launches the menu on the data folder, then writes the alerts it showed.
int launchHere(const QString& dataDirectory)
{
    TestEnvironment test(dataDirectory);
    launchMenu(test);
    test.mainQueue.drain();
    QTextStream(stdout) << alertTexts(test.alerts).join(QLatin1Char('\n')) << '\n';
    return 0;
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstLaunchFillsTheElevenListsInOrder()
    {
        TestEnvironment test;
        ConsoleCapture console;
        launchMenu(test);

        QCOMPARE(console.lines(), QStringList{QStringLiteral("First Launch")});
        QVERIFY(SettingsUserDefaults(test.userDefaultsFile())
                    .boolForKey(QStringLiteral("AboutHasBeenLaunchedBeforeFlag")));
        QVERIFY(!test.context().hasChanges());

        const QList<QPair<QString, int>> sizes = {
            {QStringLiteral("CenteredList"), 6},      {QStringLiteral("ConditionList"), 6},
            {QStringLiteral("CountryList"), 53},      {QStringLiteral("FaultsList"), 11},
            {QStringLiteral("GradeList"), 6},         {QStringLiteral("GumList"), 6},
            {QStringLiteral("MarginList"), 11},       {QStringLiteral("PaperList"), 10},
            {QStringLiteral("PerforationList"), 182}, {QStringLiteral("SeriesList"), 1},
            {QStringLiteral("StatusList"), 6},
        };
        for (const auto& [entity, size] : sizes)
            QCOMPARE(storedTexts(test.context(), entity).size(), size);

        const QStringList perforations =
            storedTexts(test.context(), QStringLiteral("PerforationList"));
        QCOMPARE(perforations.mid(0, 13),
                 (QStringList{QStringLiteral("3"), QStringLiteral("3.1"), QStringLiteral("3.2"),
                              QStringLiteral("3.25"), QStringLiteral("3.3"), QStringLiteral("3.4"),
                              QStringLiteral("3.5"), QStringLiteral("3.6"), QStringLiteral("3.7"),
                              QStringLiteral("3.75"), QStringLiteral("3.8"), QStringLiteral("3.9"),
                              QStringLiteral("4")}));
        QCOMPARE(
            perforations.mid(48, 12),
            (QStringList{QStringLiteral("7"), QStringLiteral("7.1"), QStringLiteral("7,2"),
                         QStringLiteral("7.25"), QStringLiteral("7.3"), QStringLiteral("7.4"),
                         QStringLiteral("7.5"), QStringLiteral("7.6"), QStringLiteral("7,7"),
                         QStringLiteral("7.75"), QStringLiteral("7.8"), QStringLiteral("7.9")}));
        QVERIFY(!perforations.contains(QStringLiteral("7.2")));
        QVERIFY(!perforations.contains(QStringLiteral("7.7")));
        QCOMPARE(perforations.mid(178),
                 (QStringList{QStringLiteral("17.8"), QStringLiteral("17.9"), QStringLiteral("18"),
                              QStringLiteral("None")}));

        const QStringList countries = storedTexts(test.context(), QStringLiteral("CountryList"));
        QCOMPARE(countries.first(), QStringLiteral("Australia"));
        QCOMPARE(countries.mid(33, 4),
                 (QStringList{QStringLiteral("Sweden"), QStringLiteral("Switerland"),
                              QStringLiteral("Syria"), QStringLiteral("Thialand")}));
        QCOMPARE(countries.last(), QStringLiteral("None"));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("GumList")),
                 (QStringList{QStringLiteral("Fine"), QStringLiteral("None"),
                              QStringLiteral("Original"), QStringLiteral("Perfect"),
                              QStringLiteral("Spotty"), QStringLiteral("Re-gumed")}));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("PaperList")).at(2),
                 QStringLiteral("Goldbeater's Skin"));
        QCOMPARE(
            storedTexts(test.context(), QStringLiteral("StatusList")),
            (QStringList{QStringLiteral("Had"), QStringLiteral("Have"), QStringLiteral("Looking"),
                         QStringLiteral("Sell"), QStringLiteral("Trade"), QStringLiteral("Wish")}));

        // The values are in the file, not only in the context.
        test.relaunch();
        QCOMPARE(storedTexts(test.context(), QStringLiteral("PerforationList")), perforations);
    }

    void laterLaunchesWriteNothing()
    {
        TestEnvironment test;
        launchMenu(test);
        test.context().insertNewObject<CountryList>()->setCountry(QStringLiteral("Malta"));
        QVERIFY(test.context().save());
        test.context().deleteObject(test.context().fetch<GumList>().value().first());
        QVERIFY(test.context().save());

        test.relaunch();
        ConsoleCapture console;
        launchMenu(test);
        QCOMPARE(console.lines(), QStringList{QStringLiteral("Not First Launch")});
        QCOMPARE(storedTexts(test.context(), QStringLiteral("CountryList")).size(), 54);
        // A list the collector pruned is not filled again.
        QCOMPARE(storedTexts(test.context(), QStringLiteral("GumList")).size(), 5);
    }

    void aStoreIsFilledOnceWhateverTheSettingsSay()
    {
        TestEnvironment test;
        launchMenu(test);
        test.context().insertNewObject<StatusList>()->setStatus(QStringLiteral("Mine"));
        QVERIFY(test.context().save());

        // Settings lost: the launch counts as a first one, but the store has its lists.
        test.relaunch([&test] { QVERIFY(QFile::remove(test.userDefaultsFile())); });
        ConsoleCapture console;
        launchMenu(test);
        QCOMPARE(console.lines(), QStringList{QStringLiteral("First Launch")});
        QCOMPARE(storedTexts(test.context(), QStringLiteral("StatusList")).size(), 7);
    }

    void unwritableSettingsNeverFillTheListsTwice()
    {
        // Each launch in a process of its own, as the collector starts Vellora: within one
        // process Qt keeps settings it could not write in memory.
        QTemporaryDir data;
        QVERIFY(QDir().mkdir(AppDelegate::userDefaultsFile(data.path())));
        for (int launch = 0; launch < 3; ++launch) {
            const LaunchResult result = launchInOwnProcess(data.path());
            QVERIFY2(result.console.contains(QStringLiteral("First Launch")),
                     qPrintable(result.console.join(u'\n')));
            QCOMPARE(result.alerts.size(), 1);
            QVERIFY2(result.alerts.first().startsWith(
                         QStringLiteral("Settings Not Saved: The settings could not be saved: ")),
                     qPrintable(result.alerts.first()));
        }
        PersistentContainer store(QStringLiteral("Vellora"), data.path());
        QVERIFY(store.loadPersistentStores().ok());
        QCOMPARE(storedTexts(store.viewContext(), QStringLiteral("CountryList")).size(), 53);
    }

    void aNewOrEmptiedStoreFileGetsItsLists()
    {
        TestEnvironment test;
        launchMenu(test);
        const QString store = test.appDelegate().persistentContainer().storeFilePath();

        // The settings remember a launch, but the store is a new, empty file.
        test.relaunch([&store] {
            QFile file(store);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        });
        ConsoleCapture console;
        launchMenu(test);
        QCOMPARE(console.lines(), QStringList{QStringLiteral("Not First Launch")});
        QCOMPARE(storedTexts(test.context(), QStringLiteral("CountryList")).size(), 53);
        QCOMPARE(storedTexts(test.context(), QStringLiteral("PerforationList")).size(), 182);
    }

    void aFailedFillingIsToldAndTriedAgainAtTheNextLaunch()
    {
        TestEnvironment test;
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        launchMenu(test);
        test.mainQueue.drain();

        // Whole or not at all: no list holds part of its values.
        for (const EntityDescription* entity : Model::referenceEntities())
            QVERIFY(storedTexts(test.context(), entity->name()).isEmpty());
        QVERIFY(!test.context().hasChanges());
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("The reference lists could not be filled: disk full"));

        test.relaunch();
        test.alerts.clear();
        launchMenu(test);
        test.mainQueue.drain();
        QCOMPARE(test.alerts.alerts().size(), 0);
        QCOMPARE(storedTexts(test.context(), QStringLiteral("CountryList")).size(), 53);
    }

    void aLockedStoreIsWaitedForOnceAndThenReported()
    {
        TestEnvironment test;
        const QString store = test.appDelegate().persistentContainer().storeFilePath();
        const QString other = QStringLiteral("otherProgram");
        {
            QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), other);
            database.setDatabaseName(store);
            QVERIFY(database.open());
            QSqlQuery lock(database);
            QVERIFY2(lock.exec(QStringLiteral("BEGIN IMMEDIATE")),
                     qPrintable(lock.lastError().text()));

            QElapsedTimer waited;
            waited.start();
            launchMenu(test);
            // Thousand values saved one by one would each wait for the lock; one save waits once.
            QVERIFY2(waited.elapsed() < 6 * PersistentContainer::BusyTimeoutMilliseconds,
                     qPrintable(QString::number(waited.elapsed())));
            test.mainQueue.drain();
            QCOMPARE(test.alerts.alerts().size(), 1);
            QVERIFY2(test.alerts.last().message.contains(QStringLiteral("database is locked")),
                     qPrintable(test.alerts.last().message));
            QVERIFY(storedTexts(test.context(), QStringLiteral("CountryList")).isEmpty());
            QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
        }
        QSqlDatabase::removeDatabase(other);

        test.relaunch();
        launchMenu(test);
        QCOMPARE(storedTexts(test.context(), QStringLiteral("CountryList")).size(), 53);
    }

    void aReadOnlyCollectionIsSaidOnceAndNothingIsWritten()
    {
        QTemporaryDir data;
        {
            TestEnvironment first(data.path());
            launchMenu(first);
        }
        const QString store = QDir(data.path()).filePath(QStringLiteral("Vellora.sqlite"));
        QVERIFY(QFile::remove(AppDelegate::userDefaultsFile(data.path())));
        QVERIFY(setWritableByCollector(store, false));
        QVERIFY(setWritableByCollector(data.path(), false));
        const QStringList filesBefore = QDir(data.path()).entryList(QDir::Files);

        const QString problem = runAsCollector([&data]() -> QString {
            TestEnvironment test(data.path());
            launchMenu(test);
            test.mainQueue.drain();
            const QStringList expected = {QStringLiteral("Read-Only Collection: This collection "
                                                         "is read-only: changes cannot be saved")};
            if (alertTexts(test.alerts) != expected)
                return QStringLiteral("alerts: ") +
                       alertTexts(test.alerts).join(QStringLiteral(" | "));
            if (storedTexts(test.context(), QStringLiteral("CountryList")).size() != 53)
                return QStringLiteral("the lists are not there");
            test.alerts.clear();
            test.context().insertNewObject<Stamps>()->setDenomination(QStringLiteral("5c"));
            if (Saving::saveOrTell(test.environment()) ||
                test.alerts.last().title != QStringLiteral("Record not Saved!"))
                return QStringLiteral("a save was not refused");
            return {};
        });
        QVERIFY(setWritableByCollector(data.path(), true));
        QVERIFY(setWritableByCollector(store, true));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), filesBefore);
    }

    // Files handed to other programs do not outlive Vellora in the temp location: its own folder
    // goes at exit, and at start the folders of runs that were killed. Nothing else there is
    // touched: not another running Vellora's folder, nor anything named otherwise.
    void handedOverFilesGoWithTheirRun()
    {
        QTemporaryDir data;
        QTemporaryDir temp;
        const QByteArray tempBefore = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        const auto restoreTemp = qScopeGuard([&tempBefore] { qputenv("TMPDIR", tempBefore); });
        QProcess ended;
        ended.start(QStringLiteral("/bin/true"));
        QVERIFY(ended.waitForStarted());
        const QString endedPid = QString::number(ended.processId());
        QVERIFY(ended.waitForFinished());
        const QString running = QString::number(::getppid());

        const QString killedRun = QStringLiteral("vellora-%1-a1B2c3").arg(endedPid);
        QStringList kept{
            QStringLiteral("vellora-%1-a1B2c3").arg(running), // another Vellora, still running
            QStringLiteral("vellora-%1-a1B2c3-mine").arg(endedPid),
            QStringLiteral("vellora-%1").arg(endedPid), QStringLiteral("vellora-a1B2c3"),
            QStringLiteral("notvellora-%1-a1B2c3").arg(endedPid)};
        for (const QString& name : kept + QStringList{killedRun})
            QVERIFY(QDir(temp.path()).mkpath(name + QStringLiteral("/X1y2Z3")));
        kept.sort();
        QVERIFY(QFile(temp.filePath(killedRun + QStringLiteral("/X1y2Z3/Picture.png")))
                    .open(QIODevice::WriteOnly));

        auto application = std::make_unique<Application>(data.path());
        QStringList left = QDir(temp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(left, kept);
        const Result<QString> folder = HandoverFiles::newFolder();
        QVERIFY2(folder, qPrintable(failureText(folder)));
        const Result<QString> file =
            HandoverFiles::write(*folder, QStringLiteral("notes.txt"), "Penny Black");
        QVERIFY2(file, qPrintable(failureText(file)));
        QVERIFY(QFileInfo(*file).absoluteFilePath().startsWith(
            QFileInfo(temp.path()).absoluteFilePath() + QStringLiteral("/vellora-") +
            QString::number(QCoreApplication::applicationPid()) + u'-'));

        application.reset();
        QVERIFY(!QFileInfo::exists(*file));
        left = QDir(temp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(left, kept);
    }
};

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (application.arguments().value(1) == LaunchArgument)
        return launchHere(application.arguments().value(2));
    StartupTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
