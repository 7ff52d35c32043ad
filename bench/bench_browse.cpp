// Times the browsing screens on a generated collection: the stamp list's opening (the store's
// ordered keys alone, then the first screen), a batch of rows far down, the sort toggle, each
// segment with a first and an extending search keystroke, a group summary with all its counts and
// values, a breakdown with its totals, and the valuation screen beside the stamp list, each opened
// on a fresh launch. Beside them, in the same run, SQLite's own time for the stamp list's ordered
// query through a connection of its own (the ordered ids alone, and the full rows, through Qt's
// driver as the application reads; the ids through SQLite's C interface too), each list figure as a
// ratio to it, and the process's peak memory once every row has been shown. Then the list as a
// table: its opening, a header click on columns no index serves, and a screen of rows with their
// thumbnails painted again after its first pass, at places all down the list.
//
//   bench_browse [stamps] [countries]     (defaults: 100000 stamps, 300 countries)

#include "GeneratedCollection.h"
#include "TestEnvironment.h"
#include "app/Preferences.h"
#include "browse/GroupBreakdownViewController.h"
#include "browse/GroupSummaryViewController.h"
#include "browse/GroupValueModel.h"
#include "browse/ListTableViewController.h"
#include "browse/StampColumns.h"
#include "browse/StampRowModel.h"
#include "browse/StampTable.h"
#include "platform/gui/SegmentedControl.h"
#include "store/ObjectContext.h"
#include "valuation/ValuationViewController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

using GeneratedCollection::timed;

// The stamp list's first segment's order, as SQL.
const char* const NameOrder = "denomination, yearOfIssue, value, scottNumber, id";

// SQLite's own time for the ordered query, through a connection of its own with nothing cached by
// the application: the best of three, so the file is in the page cache as it is for the list.
double rawOrderedQuery(const QString& storeFile, const QString& columns)
{
    double best = 0.0;
    {
        QSqlDatabase database =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        database.setDatabaseName(storeFile);
        if (!database.open())
            qFatal("The store could not be opened for the raw query");
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer timer;
            timer.start();
            QSqlQuery query(database);
            query.setForwardOnly(true);
            if (!query.exec(QStringLiteral("SELECT %1 FROM Stamps ORDER BY %2")
                                .arg(columns, QString::fromLatin1(NameOrder))))
                qFatal("The raw query failed");
            qint64 rows = 0;
            const int width = query.record().count();
            while (query.next()) {
                for (int column = 0; column < width; ++column)
                    query.value(column);
                ++rows;
            }
            const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
            best = run == 0 ? milliseconds : std::min(best, milliseconds);
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return best;
}

// The same ordered ids through SQLite's C interface, with nothing of Qt in between.
double rawOrderedIdsThroughC(const QString& storeFile)
{
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(storeFile.toUtf8().constData(), &connection, SQLITE_OPEN_READONLY,
                        nullptr) != SQLITE_OK)
        qFatal("The store could not be opened through SQLite's C interface");
    const QByteArray sql = QStringLiteral("SELECT id FROM Stamps ORDER BY %1")
                               .arg(QString::fromLatin1(NameOrder))
                               .toUtf8();
    double best = 0.0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &statement, nullptr);
        qint64 sum = 0;
        while (sqlite3_step(statement) == SQLITE_ROW)
            sum += sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
        best = run == 0 ? milliseconds : std::min(best, milliseconds);
        if (sum == 0)
            qFatal("The C interface read no rows");
    }
    sqlite3_close(connection);
    return best;
}

void printRatio(const char* what, double milliseconds, double baseline)
{
    std::printf("%-52s %10.2f\n", what, milliseconds / baseline);
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
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
    timed("generate and save the collection",
          [&] { GeneratedCollection::fill(test, stamps, countries); });
    test.relaunch();

    const QString storeFile = test.appDelegate().persistentContainer().storeFilePath();
    // Every column but the picture, which the list reads on demand.
    const QString rowColumns = QStringLiteral(
        "id, cancellation, centering, color, condition, cost, country, denomination, descrip, "
        "faults, grade, gum, margins, notes, paper, perforations, quantity, scottNumber, series, "
        "status, value, yearOfIssue");
    const double rawIds = rawOrderedQuery(storeFile, QStringLiteral("id"));
    const double rawRows = rawOrderedQuery(storeFile, rowColumns);
    const double rawIdsC = rawOrderedIdsThroughC(storeFile);
    std::printf("%-52s %10.1f ms\n", "SQLite: ordered ids of the stamp list's query", rawIds);
    std::printf("%-52s %10.1f ms\n", "SQLite: ordered full rows of the same query", rawRows);
    std::printf("%-52s %10.1f ms\n", "SQLite C interface: the same ordered ids", rawIdsC);

    // What the list asks of the store on opening, alone: the ordered keys and searched texts.
    const QList<SortDescriptor> nameOrder = {{QStringLiteral("denomination"), true},
                                             {QStringLiteral("yearOfIssue"), true},
                                             {QStringLiteral("value"), true},
                                             {QStringLiteral("scottNumber"), true}};
    const double keys = timed("store: the list's ordered keys and searched texts", [&] {
        test.context()
            .fetchRows({QStringLiteral("Stamps"), {}, nameOrder}, {QStringLiteral("denomination")})
            .value();
    });
    printRatio("store keys / SQLite ordered ids", keys, rawIds);
    printRatio("store keys / SQLite C interface ordered ids", keys, rawIdsC);

    timed("valuation: totals by the store alone", [&] {
        test.context()
            .sums(QStringLiteral("Stamps"), {{QStringLiteral("quantity")},
                                             {QStringLiteral("value"), QStringLiteral("quantity")}})
            .value();
    });
    timed("valuation: its list's keys by the store alone", [&] {
        test.context().fetchRows({QStringLiteral("Stamps"), {}, {}}).value();
    });
    double valuationOpen = 0.0;
    {
        ValuationViewController valuation(test.environment());
        valuationOpen = timed("valuation: open with totals and list", [&] {
            valuation.view()->resize(430, 860);
            valuation.view()->grab();
        });
    }
    test.relaunch();

    ListTableViewController list(test.environment());
    list.view()->resize(430, 860);
    const double listOpen = timed("stamp list: open, first screen shown", [&] {
        test.mainQueue.drain();
        list.view()->grab();
    });
    printRatio("stamp list open / SQLite ordered ids", listOpen, rawIds);
    printRatio("stamp list open / SQLite ordered full rows", listOpen, rawRows);
    std::printf("%-52s %10.2f\n", "valuation open / stamp list open", valuationOpen / listOpen);

    const QAbstractItemModel* rows = list.tableView->model();
    const auto showRows = [rows](int first, int count) {
        for (int row = first; row < std::min(first + count, rows->rowCount()); ++row) {
            const QModelIndex index = rows->index(row, 0);
            rows->data(index, StampRowModel::LabelsRole);
            rows->data(index, Qt::DecorationRole);
        }
    };
    timed("stamp list: a batch of 100 rows far down, shown",
          [&] { showRows(rows->rowCount() * 3 / 5, 100); });

    // The first toggle fetches the other way, comparing every row's keys; turning back reverses
    // what that fetch read.
    const double toggle = timed("stamp list: sort toggle (fetch the other way)", [&] {
        list.SortButtonTapped();
        list.view()->grab();
    });
    printRatio("sort toggle / SQLite ordered ids", toggle, rawIds);
    timed("stamp list: sort toggle back (the same rows reversed)", [&] {
        list.SortButtonTapped();
        list.view()->grab();
    });

    // Each segment: its fetch, then a first keystroke and one that extends it.
    const struct
    {
        const char* change;
        const char* first;
        const char* extended;
        const char* typed[2];
    } segments[] = {
        {"stamp list: segment Year",
         "  search keystroke on year",
         "  extending keystroke on year",
         {"9", "19"}},
        {"stamp list: segment Scott #",
         "  search keystroke on Scott #",
         "  extending keystroke on Scott #",
         {"1", "12"}},
        {"stamp list: segment Value",
         "  search keystroke on value",
         "  extending keystroke on value",
         {"5", "5."}},
        {"stamp list: segment Name",
         "  search keystroke on name",
         "  extending keystroke on name",
         {"1", "12"}},
    };
    for (int segment = 0; segment < 4; ++segment) {
        const auto& each = segments[segment];
        const int index = (segment + 1) % 4;
        timed(each.change, [&] {
            list.segment->setSelectedSegmentIndex(index);
            list.view()->grab();
        });
        timed(each.first, [&] { list.searchBar->setText(QString::fromLatin1(each.typed[0])); });
        timed(each.extended, [&] { list.searchBar->setText(QString::fromLatin1(each.typed[1])); });
        list.searchBar->clear();
    }
    timed("stamp list: paint the visible rows again", [&] { list.view()->grab(); });

    // Scott numbers in catalogue order: the store's order with and without the index kept for
    // it, against code point order; then the list's segment with the preference on.
    QList<SortDescriptor> scottOrder = {{QStringLiteral("scottNumber"), true},
                                        {QStringLiteral("denomination"), true},
                                        {QStringLiteral("yearOfIssue"), true},
                                        {QStringLiteral("value"), true}};
    const auto scottKeys = [&](const QList<SortDescriptor>& order) {
        test.context()
            .fetchRows({QStringLiteral("Stamps"), {}, order}, {QStringLiteral("scottNumber")})
            .value();
    };
    const double codePointKeys =
        timed("store: Scott # keys in code point order", [&] { scottKeys(scottOrder); });
    scottOrder.first().ordering = TextOrdering::Catalogue;
    const double unindexedKeys =
        timed("store: Scott # keys in catalogue order, no index", [&] { scottKeys(scottOrder); });
    timed("store: make the catalogue order's index", [&] {
        if (!test.appDelegate().persistentContainer().keepCatalogueScottIndex(true))
            qFatal("The index of the catalogue order could not be made");
    });
    const double catalogueKeys =
        timed("store: Scott # keys in catalogue order, indexed", [&] { scottKeys(scottOrder); });
    printRatio("catalogue order without index / code point order", unindexedKeys, codePointKeys);
    printRatio("catalogue order indexed / code point order", catalogueKeys, codePointKeys);
    Preferences(test.environment().services.userDefaults).setCatalogueScottOrder(true);
    const double catalogueSegment = timed("stamp list: segment Scott # in catalogue order", [&] {
        list.segment->setSelectedSegmentIndex(2);
        list.view()->grab();
    });
    printRatio("catalogue Scott # segment / SQLite ordered ids", catalogueSegment, rawIds);
    list.segment->setSelectedSegmentIndex(0);

    GroupSummaryViewController countriesSummary(
        GroupSummaryViewController::CountryGroupTableViewController, test.environment());
    timed("country summary: distinct values", [&] { countriesSummary.view(); });
    timed("country summary: every row's count and value", [&] {
        QAbstractItemModel* model = countriesSummary.tableView->model();
        for (int row = 0; row < model->rowCount(); ++row)
            model->data(model->index(row, 0), GroupValueModel::TotalsTextRole);
    });
    GroupSummaryViewController yearsSummary(
        GroupSummaryViewController::YearGroupTableViewController, test.environment());
    timed("year summary: distinct values", [&] { yearsSummary.view(); });

    test.shared().selectedStamp.country = QStringLiteral("Country 7");
    GroupBreakdownViewController breakdown(
        GroupBreakdownViewController::CountryBreakdownTableViewController, test.environment());
    timed("country breakdown: fetch with totals", [&] { breakdown.view(); });
    timed("country breakdown: sort toggle", [&] { breakdown.SortButtonTapped(); });

    // What scrolling the whole list end to end asks of it: every row's labels and picture.
    list.searchBar->clear();
    timed("stamp list: every row shown once (end to end)", [&] { showRows(0, rows->rowCount()); });

    // The same list as a table, on a fresh launch.
    test.relaunch();
    Preferences(test.environment().services.userDefaults).setCatalogueScottOrder(false);
    Preferences(test.environment().services.userDefaults)
        .setListLayout(Preferences::ListLayout::Table);
    ListTableViewController table(test.environment());
    table.view()->resize(1400, 860);
    const double tableRows =
        timed("stamp table: open, its rows fetched", [&] { test.mainQueue.drain(); });
    const double tablePaint =
        timed("stamp table: its first screen shown", [&] { table.view()->grab(); });
    if (!table.showsTable())
        qFatal("The list shows no table");
    printRatio("stamp table rows / SQLite ordered ids", tableRows, rawIds);
    printRatio("stamp table rows and first screen / SQLite ordered ids", tableRows + tablePaint,
               rawIds);
    QHeaderView* header = table.columnsTable->horizontalHeader();
    for (const auto& [column, what] :
         {std::pair{int(StampColumns::Description), "stamp table: header sort by Description"},
          std::pair{int(StampColumns::Condition), "stamp table: header sort by Condition"},
          std::pair{int(StampColumns::Condition), "stamp table: the same column reversed"}}) {
        timed(what, [&, column = column] {
            header->setSortIndicator(column, header->sortIndicatorSection() == column
                                                 ? Qt::DescendingOrder
                                                 : Qt::AscendingOrder);
            table.view()->grab();
        });
    }
    // A screen's rows at ten places down the list: the first paint makes their records and
    // thumbnails, the next is what every frame of scrolling over them costs.
    QScrollBar* scroll = table.columnsTable->verticalScrollBar();
    double firstPass = 0.0;
    double worstFrame = 0.0;
    for (int place = 0; place < 10; ++place) {
        scroll->setValue(scroll->maximum() * place / 9);
        QElapsedTimer timer;
        timer.start();
        table.columnsTable->viewport()->grab();
        firstPass = std::max(firstPass, double(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        table.columnsTable->viewport()->grab();
        worstFrame = std::max(worstFrame, double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("%-52s %10.1f ms\n", "stamp table: a screen of rows, first paint (worst)",
                firstPass);
    std::printf("%-52s %10.1f ms\n", "stamp table: the same screen painted again (worst)",
                worstFrame);
    // Scrolled end to end, a screen at a time: every row's cells and thumbnail made once.
    timed("stamp table: scrolled end to end, a screen at a time", [&] {
        for (int value = 0; value <= scroll->maximum(); value += scroll->pageStep()) {
            scroll->setValue(value);
            table.columnsTable->viewport()->grab();
        }
    });
    std::printf("%-52s %10.1f MB\n", "peak resident memory of the whole run", peakMegabytes());
    return 0;
}
