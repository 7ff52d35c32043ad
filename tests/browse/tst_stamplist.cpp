#include "BrowseFixture.h"
#include "browse/ListTableViewController.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/SegmentedControl.h"
#include "platform/gui/Storyboard.h"
#include "stamps/EditViewController.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>

using namespace BrowseFixture;

namespace {

struct ListOnScreen
{
    explicit ListOnScreen(TestEnvironment& test) : list(test.environment())
    {
        list.view();
        test.mainQueue.drain();
    }
    QStringList denominations() const { return column(list.rowModel()); }
    QStringList years() const
    {
        QStringList years;
        for (const Stamps* stamp : list.shownList())
            years << QString::number(stamp->yearOfIssue());
        return years;
    }
    void search(const QString& text) { list.searchBar->setText(text); }

    ListTableViewController list;
};

void addSample(ObjectContext& context)
{
    add(context, {QStringLiteral("b"), 1990, QStringLiteral("S2"), 2.0f});
    add(context, {QStringLiteral("a"), 2019, QStringLiteral("S10"), 10.0f});
    add(context, {QStringLiteral("c"), 1905, QString(), 0.5f});
    add(context, {QStringLiteral("A"), 1990, QStringLiteral("S1"), 5.0f});
}

} // namespace

class StampListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void theFirstFetchWaitsForTheMainQueue()
    {
        TestEnvironment test;
        add(test.context(), {QStringLiteral("a")});
        QVERIFY(test.context().save());
        ListTableViewController list(test.environment());
        list.view();
        QCOMPARE(list.HeaderLabel->text(), QStringLiteral("# Stamps = 0 of 0"));
        test.mainQueue.drain();
        QCOMPARE(list.HeaderLabel->text(), QStringLiteral("# Stamps = 1 of 1"));
        QCOMPARE(list.searchBar->placeholderText(), QStringLiteral("Search by Denomination"));
    }

    void eachSegmentSortsByItsKeysBothWays()
    {
        TestEnvironment test;
        addSample(test.context());
        QVERIFY(test.context().save());
        ListOnScreen screen(test);

        const QList<QStringList> ascending = {
            {"A", "a", "b", "c"}, // denomination, code point order
            {"c", "A", "b", "a"}, // year, then denomination
            {"c", "A", "a", "b"}, // Scott number: "", S1, S10, S2
            {"c", "b", "A", "a"}, // value
        };
        const QStringList placeholders = {"Search by Denomination", "Search by Year",
                                          "Search by Scott #", "Search by Value"};
        for (int segment = 0; segment < 4; ++segment) {
            screen.list.segment->setSelectedSegmentIndex(segment);
            QCOMPARE(screen.list.searchBar->placeholderText(), placeholders[segment]);
            QCOMPARE(screen.denominations(), ascending[segment]);
            screen.list.SortButtonTapped();
            QStringList descending(ascending[segment].crbegin(), ascending[segment].crend());
            QCOMPARE(screen.denominations(), descending);
            screen.list.SortButtonTapped();
        }
    }

    void searchesFollowTheSegment()
    {
        TestEnvironment test;
        addSample(test.context());
        add(test.context(), {QStringLiteral("d"), 2020, QStringLiteral(""), 13.05f});
        add(test.context(), {QStringLiteral("e"), 1800, QStringLiteral("s3"), 3.0f});
        add(test.context(), {QStringLiteral("f  g"), 1801, QStringLiteral("x"), 3.5f});
        QVERIFY(test.context().save());
        ListOnScreen screen(test);

        screen.search(QStringLiteral("a"));
        QCOMPARE(screen.denominations(), (QStringList{"A", "a"}));
        QCOMPARE(screen.list.HeaderLabel->text(), QStringLiteral("# Stamps = 2 of 7"));
        // Spaces are a real search.
        screen.search(QStringLiteral("  "));
        QCOMPARE(screen.denominations(), QStringList{QStringLiteral("f  g")});

        screen.search(QString());
        screen.list.segment->setSelectedSegmentIndex(1);
        screen.search(QStringLiteral("19"));
        QCOMPARE(screen.years(), (QStringList{"1905", "1990", "1990", "2019"}));

        screen.list.segment->setSelectedSegmentIndex(2);
        // A segment change shows every stamp again until the text changes.
        QCOMPARE(screen.list.HeaderLabel->text(), QStringLiteral("# Stamps = 7 of 7"));
        screen.search(QStringLiteral("S1"));
        QCOMPARE(screen.denominations(), (QStringList{"A", "a"}));
        screen.search(QStringLiteral("s"));
        QCOMPARE(screen.denominations().size(), 4);

        screen.list.segment->setSelectedSegmentIndex(3);
        screen.search(QStringLiteral("3.0"));
        QCOMPARE(screen.denominations(), (QStringList{"e", "d"}));
        screen.search(QStringLiteral("5"));
        QCOMPARE(screen.denominations(), (QStringList{"c", "f  g", "A", "d"}));
    }

    void rowsShowQuantityZeroAsOne()
    {
        TestEnvironment test;
        add(test.context(), {QStringLiteral("5c"), 1990, QStringLiteral("S1"), 5.0f, 0});
        add(test.context(), {QStringLiteral("6c"), 1991, QString(), 2.5f, 3, QString()});
        QVERIFY(test.context().save());
        ListOnScreen screen(test);
        const StampRowModel* model = screen.list.rowModel();
        QCOMPARE(column(model, StampRowModel::Label2Role),
                 (QStringList{"Year: 1990  Country: Malta", "Year: 1991  Country: "}));
        QCOMPARE(column(model, StampRowModel::Label3Role),
                 (QStringList{"Qty: 1  Scott #:  S1", "Qty: 3  Scott #:  "}));
        QCOMPARE(
            column(model, StampRowModel::Label4Role),
            (QStringList{"Value: $5.00  Total Value: $5.00", "Value: $2.50  Total Value: $7.50"}));
        screen.search(QStringLiteral("5"));
        QCOMPARE(column(model, StampRowModel::Label3Role),
                 QStringList{QStringLiteral("Qty: 1  Scott #: S1")});
    }

    void deleteRemovesTheRowAndTheStamp()
    {
        TestEnvironment test;
        addSample(test.context());
        QVERIFY(test.context().save());
        ListOnScreen screen(test);

        screen.list.deleteRow(0);
        QCOMPARE(screen.denominations(), (QStringList{"a", "b", "c"}));
        QCOMPARE(test.context().fetch<Stamps>().size(), 3);

        screen.search(QStringLiteral("b"));
        screen.list.deleteRow(0);
        QCOMPARE(screen.denominations(), QStringList());
        QCOMPARE(screen.list.HeaderLabel->text(), QStringLiteral("# Stamps = 0 of 2"));
        screen.search(QString());
        QCOMPARE(screen.denominations(), (QStringList{"a", "c"}));

        // A delete the store refuses is undone and said.
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        screen.list.deleteRow(0);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("disk full"));
        QCOMPARE(screen.denominations(), (QStringList{"a", "c"}));
        screen.list.fetch();
        QCOMPARE(screen.denominations(), (QStringList{"a", "c"}));
    }

    void choosingAStampOpensItForEditingAndComesBack()
    {
        TestEnvironment test;
        addSample(test.context());
        QVERIFY(test.context().save());
        Storyboard storyboard;
        storyboard.addSegue(
            QStringLiteral("ListTableViewController"), QStringLiteral("showDetails"),
            [&test] { return std::make_unique<EditViewController>(test.environment()); });
        auto made = std::make_unique<ListTableViewController>(test.environment());
        ListTableViewController* list = made.get();
        list->setStoryboard(&storyboard);
        NavigationController navigation(std::move(made));
        test.mainQueue.drain();

        list->searchBar->setText(QStringLiteral("b"));
        list->tableView->clicked(list->rowModel()->index(0, 0));
        QCOMPARE(test.shared().marker, QStringLiteral("Master"));
        QCOMPARE(test.shared().selectedStamp.denomination, QStringLiteral("b"));
        QCOMPARE(test.shared().selectedStamp.scottNumber, QStringLiteral("S2"));
        QCOMPARE(test.shared().selectedStamp.value, 2.0f);
        auto* form = qobject_cast<EditViewController*>(navigation.topViewController());
        QVERIFY(form);
        QCOMPARE(*form->detailItem()->denomination(), QStringLiteral("b"));

        form->DenominationTextField->setText(QStringLiteral("bb"));
        form->SaveButtonClicked();
        QCOMPARE(navigation.topViewController(), list);
        // The return fetches again: every stamp shows, in the list's order.
        QCOMPARE(column(list->rowModel()), (QStringList{"A", "a", "bb", "c"}));
    }
};

QTEST_MAIN(StampListTest)
#include "tst_stamplist.moc"
