#include "ConsoleCapture.h"
#include "TestEnvironment.h"
#include "app/MainMenuViewController.h"
#include "platform/core/UserDefaults.h"
#include "store/Model.h"
#include "store/ObjectContext.h"

#include <QFile>
#include <QTest>

namespace {

// The texts of a reference list in the order they were stored.
QStringList storedTexts(ObjectContext& context, const QString& entityName)
{
    QStringList texts;
    for (const ManagedObject* entry : context.fetch({entityName, {}, {}}))
        texts << entry->value(0).toString();
    return texts;
}

void launchMenu(TestEnvironment& test)
{
    MainMenuViewController menu(test.environment());
    menu.view();
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
            {"CenteredList", 6},      {"ConditionList", 6}, {"CountryList", 53}, {"FaultsList", 11},
            {"GradeList", 6},         {"GumList", 6},       {"MarginList", 11},  {"PaperList", 10},
            {"PerforationList", 182}, {"SeriesList", 1},    {"StatusList", 6},
        };
        for (const auto& [entity, size] : sizes)
            QCOMPARE(storedTexts(test.context(), entity).size(), size);

        const QStringList perforations =
            storedTexts(test.context(), QStringLiteral("PerforationList"));
        QCOMPARE(perforations.mid(0, 13),
                 (QStringList{"3", "3.1", "3.2", "3.25", "3.3", "3.4", "3.5", "3.6", "3.7", "3.75",
                              "3.8", "3.9", "4"}));
        QCOMPARE(perforations.mid(48, 12),
                 (QStringList{"7", "7.1", "7,2", "7.25", "7.3", "7.4", "7.5", "7.6", "7,7", "7.75",
                              "7.8", "7.9"}));
        QVERIFY(!perforations.contains(QStringLiteral("7.2")));
        QVERIFY(!perforations.contains(QStringLiteral("7.7")));
        QCOMPARE(perforations.mid(178), (QStringList{"17.8", "17.9", "18", "None"}));

        const QStringList countries = storedTexts(test.context(), QStringLiteral("CountryList"));
        QCOMPARE(countries.first(), QStringLiteral("Australia"));
        QCOMPARE(countries.mid(33, 4), (QStringList{"Sweden", "Switerland", "Syria", "Thialand"}));
        QCOMPARE(countries.last(), QStringLiteral("None"));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("GumList")),
                 (QStringList{"Fine", "None", "Original", "Perfect", "Spotty", "Re-gumed"}));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("PaperList")).at(2),
                 QStringLiteral("Goldbeater's Skin"));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("StatusList")),
                 (QStringList{"Had", "Have", "Looking", "Sell", "Trade", "Wish"}));

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
        test.context().deleteObject(test.context().fetch<GumList>().first());
        QVERIFY(test.context().save());

        test.relaunch();
        ConsoleCapture console;
        launchMenu(test);
        QCOMPARE(console.lines(), QStringList{QStringLiteral("Not First Launch")});
        QCOMPARE(storedTexts(test.context(), QStringLiteral("CountryList")).size(), 54);
        // A list the collector pruned is not filled again.
        QCOMPARE(storedTexts(test.context(), QStringLiteral("GumList")).size(), 5);
    }

    void aStoreWithoutTheFlagIsFilledAgainBesideItsEntries()
    {
        TestEnvironment test;
        launchMenu(test);
        test.context().insertNewObject<StatusList>()->setStatus(QStringLiteral("Mine"));
        QVERIFY(test.context().save());
        QVERIFY(QFile::remove(test.userDefaultsFile()));

        test.relaunch();
        ConsoleCapture console;
        launchMenu(test);
        QCOMPARE(console.lines(), QStringList{QStringLiteral("First Launch")});
        QCOMPARE(storedTexts(test.context(), QStringLiteral("StatusList")),
                 (QStringList{"Had", "Have", "Looking", "Sell", "Trade", "Wish", "Mine", "Had",
                              "Have", "Looking", "Sell", "Trade", "Wish"}));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("PerforationList")).size(), 364);
    }

    void aFailedSaveLeavesOutOneValueAndSeedingGoesOn()
    {
        TestEnvironment test;
        ConsoleCapture console;
        // Each value has its own save: failing one loses that value only.
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        launchMenu(test);

        QCOMPARE(console.lines(), (QStringList{"First Launch", "disk full"}));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("CenteredList")),
                 (QStringList{"Bottom Centered", "None", "Top Centered", "Left Centered",
                              "Right Centered"}));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("ConditionList")).size(), 6);
        QVERIFY(!test.context().hasChanges());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
