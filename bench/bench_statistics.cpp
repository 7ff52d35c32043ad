// Times the statistics screen on a generated collection: its figures read by the store (totals,
// by country and status, by year of issue), and the screen opened on a fresh launch with its five
// charts made and painted in a phone-shaped window. Beside them, in the same run, SQLite's own
// time for the same aggregate queries through its C interface on a connection of its own, each
// figure as a ratio to it.
//
//   bench_statistics [stamps] [countries]     (defaults: 100000 stamps, 300 countries)

#include "GeneratedCollection.h"
#include "ScreenOnStack.h"
#include "TestEnvironment.h"
#include "insight/CollectionStatistics.h"
#include "insight/StatisticsViewController.h"
#include "platform/gui/NavigationController.h"
#include "store/ObjectContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sqlite3.h>

namespace {

using GeneratedCollection::bestOfThree;
using GeneratedCollection::timed;

// The statistics' three aggregate queries as SQLite runs them, every row stepped through.
double rawAggregates(const QString& storeFile)
{
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(storeFile.toUtf8().constData(), &connection, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK)
        qFatal("The store could not be opened through SQLite's C interface");
    const char* const sums =
        "COUNT(*), COALESCE(SUM(quantity), 0), TOTAL(cost * quantity), TOTAL(value * quantity)";
    const struct
    {
        const char* what;
        QByteArray sql;
    } queries[] = {
        {"SQLite: the totals", QByteArray("SELECT ") + sums + " FROM Stamps"},
        {"SQLite: by country and status",
         QByteArray("SELECT COALESCE(country, ''), COALESCE(status, ''), ") + sums +
             " FROM Stamps NOT INDEXED GROUP BY 1, 2 ORDER BY 1, 2"},
        {"SQLite: by year of issue",
         QByteArray("SELECT yearOfIssue, ") + sums +
             " FROM Stamps NOT INDEXED GROUP BY yearOfIssue ORDER BY yearOfIssue"},
    };
    double total = 0.0;
    for (const auto& query : queries) {
        total += bestOfThree(query.what, [&] {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(connection, query.sql.constData(), int(query.sql.size()),
                                   &statement, nullptr) != SQLITE_OK)
                qFatal("A raw aggregate query could not be prepared");
            double sum = 0.0;
            while (sqlite3_step(statement) == SQLITE_ROW)
                sum += sqlite3_column_double(statement, 3);
            sqlite3_finalize(statement);
            if (sum < 0.0)
                qFatal("The raw aggregate query read a negative sum");
        });
    }
    std::printf("%-56s %10.1f ms\n", "SQLite: the three aggregate queries (C interface)", total);
    sqlite3_close(connection);
    return total;
}

void printRatio(const char* what, double milliseconds, double baseline)
{
    std::printf("%-56s %10.2f\n", what, milliseconds / baseline);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int stamps = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const int countries = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 300;
    std::printf("Collection of %d stamps in %d countries\n", stamps, countries);

    TestEnvironment test;
    timed("generate and save the collection", [&] {
        GeneratedCollection::fill(test, stamps, countries,
                                  {.noCountryEvery = 50, .noYearEvery = 100});
    });
    test.relaunch();

    const QString storeFile = test.appDelegate().persistentContainer().storeFilePath();
    const double raw = rawAggregates(storeFile);

    const double read = bestOfThree("store: the statistics' figures (CollectionStatistics)", [&] {
        CollectionStatistics::read(test.context().database()).value();
    });
    printRatio("store figures / SQLite aggregate queries", read, raw);

    // A fresh launch, as the main menu opens the screen: the store's own cache empty.
    test.relaunch();
    NavigationController navigation(std::make_unique<UnwindStub>(QStringList()));
    navigation.resize(430, 860);
    navigation.show();
    const double open = timed("statistics: open, five charts made and painted", [&] {
        navigation.pushViewController(
            std::make_unique<StatisticsViewController>(test.environment()), false);
        navigation.grab();
    });
    printRatio("statistics open / SQLite aggregate queries", open, raw);
    timed("statistics: paint the window again", [&] { navigation.grab(); });
    return 0;
}
