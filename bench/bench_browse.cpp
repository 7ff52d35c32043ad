// Times the browsing screens on a generated collection: the stamp list's fetch and sort, a search
// keystroke, a group summary with all its counts, a breakdown with its totals, and the valuation
// screen beside the stamp list, each opened on a fresh launch.
//
//   bench_browse [stamps] [countries]     (defaults: 100000 stamps, 300 countries)

#include "TestEnvironment.h"
#include "browse/GroupBreakdownViewController.h"
#include "browse/GroupSummaryViewController.h"
#include "browse/GroupValueModel.h"
#include "browse/ListTableViewController.h"
#include "platform/gui/SegmentedControl.h"
#include "store/ObjectContext.h"
#include "valuation/ValuationViewController.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QRandomGenerator>
#include <cstdio>
#include <functional>

namespace {

double timed(const char* what, const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    const double milliseconds = double(timer.nsecsElapsed()) / 1e6;
    std::printf("%-52s %10.1f ms\n", what, milliseconds);
    std::fflush(stdout);
    return milliseconds;
}

void fillCollection(TestEnvironment& test, int stamps, int countries)
{
    QRandomGenerator random(20261206);
    QImage picture(120, 90, QImage::Format_RGB32);
    picture.fill(QColor(120, 40, 40));
    const QByteArray pictureBytes = test.pictures.encodeJpeg(picture, 0.6).value();
    const QStringList statuses = {QStringLiteral("Had"),     QStringLiteral("Have"),
                                  QStringLiteral("Looking"), QStringLiteral("Sell"),
                                  QStringLiteral("Trade"),   QStringLiteral("Wish")};
    for (int i = 0; i < stamps; ++i) {
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("%1c").arg(random.bounded(1, 500)));
        stamp->setYearOfIssue(qint16(random.bounded(1840, 2026)));
        stamp->setCountry(QStringLiteral("Country %1").arg(random.bounded(countries)));
        stamp->setScottNumber(QStringLiteral("%1").arg(random.bounded(1, 5000)));
        stamp->setStatus(statuses.at(random.bounded(int(statuses.size()))));
        stamp->setQuantity(qint16(random.bounded(0, 5)));
        stamp->setValue(float(random.bounded(1, 100000)) / 100.0f);
        stamp->setCost(float(random.bounded(1, 10000)) / 100.0f);
        // One stamp in ten has a picture.
        if (i % 10 == 0)
            stamp->setStampImage(pictureBytes);
    }
    if (!test.context().save())
        qFatal("The generated collection could not be saved");
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
    timed("generate and save the collection", [&] { fillCollection(test, stamps, countries); });
    test.relaunch();

    timed("valuation: totals by the store alone", [&] {
        test.context()
            .sums(QStringLiteral("Stamps"), {{QStringLiteral("quantity")},
                                             {QStringLiteral("value"), QStringLiteral("quantity")}})
            .value();
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
    const double listOpen = timed("stamp list: first fetch, sorted by name", [&] {
        list.view();
        test.mainQueue.drain();
        list.view()->grab();
    });
    std::printf("%-52s %10.2f\n", "valuation open / stamp list open", valuationOpen / listOpen);
    timed("stamp list: sort toggle (fetch again)", [&] { list.SortButtonTapped(); });
    timed("stamp list: segment Value (fetch again)",
          [&] { list.segment->setSelectedSegmentIndex(3); });
    timed("stamp list: search keystroke on value",
          [&] { list.searchBar->setText(QStringLiteral("5")); });
    list.searchBar->clear();
    list.segment->setSelectedSegmentIndex(0);
    timed("stamp list: search keystroke on name",
          [&] { list.searchBar->setText(QStringLiteral("12")); });
    timed("stamp list: paint the visible rows again", [&] { list.view()->grab(); });

    GroupSummaryViewController countriesSummary(
        GroupSummaryViewController::CountryGroupTableViewController, test.environment());
    timed("country summary: distinct values", [&] { countriesSummary.view(); });
    timed("country summary: every row's count", [&] {
        QAbstractItemModel* model = countriesSummary.tableView->model();
        for (int row = 0; row < model->rowCount(); ++row)
            model->data(model->index(row, 0), GroupValueModel::CountRole);
    });
    GroupSummaryViewController yearsSummary(
        GroupSummaryViewController::YearGroupTableViewController, test.environment());
    timed("year summary: distinct values", [&] { yearsSummary.view(); });

    test.shared().selectedStamp.country = QStringLiteral("Country 7");
    GroupBreakdownViewController breakdown(
        GroupBreakdownViewController::CountryBreakdownTableViewController, test.environment());
    timed("country breakdown: fetch with totals", [&] { breakdown.view(); });
    timed("country breakdown: sort toggle", [&] { breakdown.SortButtonTapped(); });
    return 0;
}
