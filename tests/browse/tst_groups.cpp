#include "BrowseFixture.h"
#include "LocaleScope.h"
#include "browse/GroupBreakdownViewController.h"
#include "browse/GroupSummaryViewController.h"
#include "browse/GroupValueModel.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/TextRowDelegate.h"
#include "stamps/EditViewController.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QToolButton>

using namespace BrowseFixture;
using Summary = GroupSummaryViewController;
using Breakdown = GroupBreakdownViewController;

namespace {

// A summary or breakdown on a stack, with the storyboard rows that lead on from it.
template <class Screen> struct OnStack
{
    template <class Member> OnStack(TestEnvironment& test, const Member& member)
    {
        storyboard.addSegue(QString::fromLatin1(member.name), QStringLiteral("Grouped"), [&test] {
            return std::make_unique<EditViewController>(test.environment());
        });
        storyboard.addSegue(
            QString::fromLatin1(member.name), QStringLiteral("showBreakdown"), [&test] {
                return std::make_unique<Breakdown>(Breakdown::YearBreakdownTableViewController,
                                                   test.environment());
            });
        auto made = std::make_unique<Screen>(member, test.environment());
        screen = made.get();
        screen->setStoryboard(&storyboard);
        navigation = std::make_unique<NavigationController>(std::move(made));
    }
    void select(int row) { screen->tableView->clicked(screen->tableView->model()->index(row, 0)); }

    Storyboard storyboard;
    Screen* screen = nullptr;
    std::unique_ptr<NavigationController> navigation;
};

} // namespace

class GroupsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_locale.emplace(Locales::unitedStates()); }
    void cleanup() { m_locale.reset(); }

    void summariesListDistinctValuesInCodePointOrder()
    {
        TestEnvironment test;
        for (qint16 year : {999, 1900, 1900, 0})
            add(test.context(), {QStringLiteral("5c"), year, {}, 1.5f, 5});
        add(test.context(), {QStringLiteral("x"), 999, {}, 0, 1, QStringLiteral("france")});
        add(test.context(), {QStringLiteral("y"), 999, {}, 0, 1, QStringLiteral("")});
        add(test.context(), {QStringLiteral("z"), 2001, {}, 3196.3f, 2, QStringLiteral("Canada")});
        QVERIFY(test.context().save());

        Summary years(Summary::YearGroupTableViewController, test.environment());
        years.view();
        QCOMPARE(column(years.tableView->model()),
                 (QStringList{QStringLiteral("0"), QStringLiteral("1900"), QStringLiteral("2001"),
                              QStringLiteral("999")}));
        // Records are counted, not copies; the value is that of the copies.
        QCOMPARE(column(years.tableView->model(), GroupValueModel::CountRole),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"),
                              QStringLiteral("3")}));
        QCOMPARE(
            column(years.tableView->model(), GroupValueModel::TotalsTextRole),
            (QStringList{QStringLiteral("1 stamp — 7.50"), QStringLiteral("2 stamps — 15.00"),
                         QStringLiteral("1 stamp — 6,392.60"), QStringLiteral("3 stamps — 7.50")}));
        QCOMPARE(years.HeaderLabel->text(), QStringLiteral("4 Year's"));
        years.SortButtonTapped();
        QCOMPARE(column(years.tableView->model()),
                 (QStringList{QStringLiteral("999"), QStringLiteral("2001"), QStringLiteral("1900"),
                              QStringLiteral("0")}));
        QVERIFY(!test.shared().sortAscending);

        Summary countries(Summary::CountryGroupTableViewController, test.environment());
        countries.view();
        QCOMPARE(column(countries.tableView->model()),
                 (QStringList{QStringLiteral(""), QStringLiteral("Canada"), QStringLiteral("Malta"),
                              QStringLiteral("france")}));
        {
            // In the collector's own way of writing numbers.
            const LocaleScope german(Locales::germany());
            QCOMPARE(column(countries.tableView->model(), GroupValueModel::TotalsTextRole).at(1),
                     QStringLiteral("1 stamp — 6.392,60"));
        }
        countries.searchBar->setText(QStringLiteral("FR"));
        QCOMPARE(column(countries.tableView->model()), QStringList{QStringLiteral("france")});
        QCOMPARE(countries.HeaderLabel->text(), QStringLiteral("1 Country"));

        // An unsaved stamp is counted as a fetch would see it.
        add(test.context(), {QStringLiteral("z"), 1900, {}, 2.0f, 1});
        const GroupValueModel::Totals unsaved = years.groupTotals(QStringLiteral("1900"));
        QCOMPARE(unsaved.stamps, 3);
        QCOMPARE(unsaved.value, 17.0);
        test.context().rollback();
    }

    void headersFollowTheSingularRule()
    {
        TestEnvironment test;
        Summary empty(Summary::YearGroupTableViewController, test.environment());
        empty.view();
        QCOMPARE(empty.HeaderLabel->text(), QStringLiteral("0 Year's"));

        auto* stamp = add(test.context(), {QStringLiteral("5c"), 1990});
        stamp->setStatus(QStringLiteral("Have"));
        QVERIFY(test.context().save());
        Summary statuses(Summary::StatusGroupTableViewController, test.environment());
        statuses.view();
        QCOMPARE(statuses.HeaderLabel->text(), QStringLiteral("1 Status"));
        statuses.searchBar->setText(QStringLiteral("nothing"));
        QCOMPARE(statuses.HeaderLabel->text(), QStringLiteral("0 Status"));

        Summary scott(Summary::ScottNumberGroupTableViewController, test.environment());
        scott.view();
        QCOMPARE(scott.HeaderLabel->text(), QStringLiteral("1 Scott #'s"));
    }

    void aSortDuringASearchReordersOnlyTheShownValues()
    {
        TestEnvironment test;
        for (qint16 year : {1990, 1999, 2009})
            add(test.context(), {QStringLiteral("5c"), year});
        QVERIFY(test.context().save());
        Summary years(Summary::YearGroupTableViewController, test.environment());
        years.view();
        years.searchBar->setText(QStringLiteral("99"));
        QCOMPARE(column(years.tableView->model()),
                 (QStringList{QStringLiteral("1990"), QStringLiteral("1999")}));
        years.SortButtonTapped();
        QCOMPARE(column(years.tableView->model()),
                 (QStringList{QStringLiteral("1999"), QStringLiteral("1990")}));
        QCOMPARE(years.KeyList, (QStringList{QStringLiteral("1990"), QStringLiteral("1999"),
                                             QStringLiteral("2009")}));
    }

    void choosingAValueOpensItsBreakdown()
    {
        TestEnvironment test;
        add(test.context(), {QStringLiteral("a"), 0});
        add(test.context(), {QStringLiteral("b"), 1962});
        QVERIFY(test.context().save());
        OnStack<Summary> stack(test, Summary::YearGroupTableViewController);
        stack.select(0);
        QCOMPARE(test.shared().selectedStamp.yearOfIssue, qint16(0));
        auto* breakdown = qobject_cast<Breakdown*>(stack.navigation->topViewController());
        QVERIFY(breakdown);
        QCOMPARE(column(breakdown->rowModel()), QStringList{QStringLiteral("a")});
    }

    void breakdownsTotalTheirGroup()
    {
        TestEnvironment test;
        add(test.context(), {QStringLiteral("b"), 1962, QStringLiteral("S1"), 5.0f, 3});
        add(test.context(), {QStringLiteral("a"), 1962, QStringLiteral("S2"), 2.5f, 2});
        add(test.context(), {QStringLiteral("ab"), 1962, QStringLiteral("S3"), 5.0f, 0});
        add(test.context(), {QStringLiteral("other"), 1963});
        QVERIFY(test.context().save());
        test.shared().selectedStamp.yearOfIssue = 1962;
        Breakdown years(Breakdown::YearBreakdownTableViewController, test.environment());
        years.view();

        QCOMPARE(column(years.rowModel()),
                 (QStringList{QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("b")}));
        // Records, as the summary counts them, and the copies held.
        QCOMPARE(years.HeaderLabel->text(), QStringLiteral("# of Stamps: 3 (5 copies)"));
        QCOMPARE(years.FooterLabel->text(),
                 QStringLiteral("Valuation for displayed stamps: $20.00"));
        QCOMPARE(column(years.rowModel(), StampRowModel::Label3Role).at(1),
                 QStringLiteral("Qty: 0  Scott #: S3"));
        QCOMPARE(column(years.rowModel(), StampRowModel::Label4Role).at(1),
                 QStringLiteral("Value: $5.00 Total Value: $0.00"));

        years.searchBar->setText(QStringLiteral("A"));
        QCOMPARE(column(years.rowModel()),
                 (QStringList{QStringLiteral("a"), QStringLiteral("ab")}));
        QCOMPARE(years.HeaderLabel->text(), QStringLiteral("# of Stamps: 2 (2 copies)"));
        QCOMPARE(years.FooterLabel->text(),
                 QStringLiteral("Valuation for displayed stamps: $5.00"));

        // A sort while searching leaves the rows; the totals stay those of the group.
        years.SortButtonTapped();
        QCOMPARE(column(years.rowModel()),
                 (QStringList{QStringLiteral("a"), QStringLiteral("ab")}));
        QVERIFY(!test.shared().sortAscending);
        years.searchBar->setText(QString());
        QCOMPARE(column(years.rowModel()),
                 (QStringList{QStringLiteral("b"), QStringLiteral("ab"), QStringLiteral("a")}));

        // A delete from the search leaves the store and the totals.
        years.searchBar->setText(QStringLiteral("b"));
        years.deleteRow(0);
        QCOMPARE(test.context().fetch<Stamps>().value().size(), 3);
        years.searchBar->setText(QString());
        QCOMPARE(years.HeaderLabel->text(), QStringLiteral("# of Stamps: 2 (2 copies)"));
        QCOMPARE(years.FooterLabel->text(),
                 QStringLiteral("Valuation for displayed stamps: $5.00"));
    }

    void eachMemberSearchesAndLabelsInItsOwnWay()
    {
        TestEnvironment test;
        add(test.context(),
            {QStringLiteral("5c"), 1962, QStringLiteral("A1"), 1.0f, 1, QStringLiteral("France")});
        add(test.context(),
            {QStringLiteral("19c"), 2001, QStringLiteral("A1"), 1.0f, 1, QStringLiteral("France")});
        QVERIFY(test.context().save());
        test.shared().selectedStamp.country = QStringLiteral("France");
        test.shared().selectedStamp.scottNumber = QStringLiteral("A1");

        // The country breakdown's field says year, but it searches the denomination.
        Breakdown countries(Breakdown::CountryBreakdownTableViewController, test.environment());
        countries.view();
        QCOMPARE(countries.searchBar->placeholderText(), QStringLiteral("Search By Year"));
        countries.searchBar->setText(QStringLiteral("19"));
        QCOMPARE(column(countries.rowModel()), QStringList{QStringLiteral("19c")});

        Breakdown scott(Breakdown::ScottNumberBreakdownTableViewController, test.environment());
        scott.view();
        QCOMPARE(scott.searchBar->placeholderText(), QStringLiteral("Search By Scott # "));
        QCOMPARE(column(scott.rowModel()),
                 (QStringList{QStringLiteral("Scott #: A1"), QStringLiteral("Scott #: A1")}));
        QCOMPARE(column(scott.rowModel(), StampRowModel::Label2Role).first(),
                 QStringLiteral("Year: 1962  Country:  France"));
        QCOMPARE(column(scott.rowModel(), StampRowModel::Label3Role).first(),
                 QStringLiteral("Qty: 1  Denomination:  5c"));
        scott.searchBar->setText(QStringLiteral("19"));
        QCOMPARE(column(scott.rowModel()), QStringList{QStringLiteral("A1")});
        QCOMPARE(column(scott.rowModel(), StampRowModel::Label3Role),
                 QStringList{QStringLiteral("Qty: 1  Denomination:  5c")});
    }

    void countsAreReadOncePerRowUntilTheStampsChange()
    {
        // Painted by a real view: repaints and reads of a row count it once.
        QStringList counted;
        GroupValueModel model([&counted](const QString& value) {
            counted << value;
            return GroupValueModel::Totals{value.size(), 0.0};
        });
        model.setValues({QStringLiteral("1962"), QStringLiteral("Malta")});
        QListView table;
        table.setModel(&model);
        table.setItemDelegate(new TextRowDelegate(GroupValueModel::RowHeight,
                                                  GroupValueModel::TotalsTextRole, &table));
        table.resize(300, 400);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        table.viewport()->repaint();
        table.viewport()->repaint();
        QCOMPARE(column(&model, GroupValueModel::CountRole),
                 (QStringList{QStringLiteral("4"), QStringLiteral("5")}));
        QCOMPARE(counted, (QStringList{QStringLiteral("1962"), QStringLiteral("Malta")}));
        model.recount();
        table.viewport()->repaint();
        model.setValues({QStringLiteral("Malta")});
        QCOMPARE(column(&model, GroupValueModel::CountRole), QStringList{QStringLiteral("5")});
        QCOMPARE(counted, (QStringList{QStringLiteral("1962"), QStringLiteral("Malta"),
                                       QStringLiteral("1962"), QStringLiteral("Malta"),
                                       QStringLiteral("Malta")}));

        // Back from a breakdown where a stamp was deleted, the summary counts again.
        TestEnvironment test;
        for (qint16 year : {1962, 1962, 1990})
            add(test.context(), {QStringLiteral("5c"), year});
        QVERIFY(test.context().save());
        OnStack<Summary> stack(test, Summary::YearGroupTableViewController);
        QCOMPARE(column(stack.screen->tableView->model(), GroupValueModel::CountRole),
                 (QStringList{QStringLiteral("2"), QStringLiteral("1")}));
        stack.select(0);
        auto* breakdown = qobject_cast<Breakdown*>(stack.navigation->topViewController());
        QVERIFY(breakdown);
        breakdown->deleteRow(0);
        QVERIFY(stack.navigation->popViewController(false));
        QCOMPARE(column(stack.screen->tableView->model(), GroupValueModel::CountRole),
                 (QStringList{QStringLiteral("1"), QStringLiteral("1")}));
    }

    void onlySomeMembersFetchWhenTheyAppearAgain()
    {
        TestEnvironment test;
        add(test.context(), {QStringLiteral("5c"), 1962});
        QVERIFY(test.context().save());
        test.shared().selectedStamp.yearOfIssue = 1962;
        test.shared().selectedStamp.denomination = QStringLiteral("5c");

        OnStack<Breakdown> years(test, Breakdown::YearBreakdownTableViewController);
        OnStack<Breakdown> denominations(test, Breakdown::DenominationBreakdownTableViewController);
        add(test.context(), {QStringLiteral("5c"), 1962});
        QVERIFY(test.context().save());

        // Open a stamp and come back, as after an edit.
        for (auto* stack : {&years, &denominations}) {
            stack->select(0);
            QCOMPARE(test.shared().marker,
                     QString::fromLatin1(stack->screen->member().openingScreen.marker));
            auto* form = qobject_cast<EditViewController*>(stack->navigation->topViewController());
            QVERIFY(form);
            form->SaveButtonClicked();
            QCOMPARE(stack->navigation->topViewController(), stack->screen);
        }
        QCOMPARE(years.screen->StampList.size(), 2);
        QCOMPARE(denominations.screen->StampList.size(), 1);
    }

    void aBreakdownIsTitledByWhatItIsOfAndTakesBackItsStamps_data()
    {
        QTest::addColumn<int>("member");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("marker");
        QTest::newRow("year") << 0 << QStringLiteral("Year: 1962")
                              << QStringLiteral("YearBreakdown");
        QTest::newRow("country") << 1 << QStringLiteral("Country: Canada")
                                 << QStringLiteral("CountryBreakdown");
        QTest::newRow("denomination")
            << 2 << QStringLiteral("Denomination: 5c") << QStringLiteral("DenominationBreakdown");
        QTest::newRow("Scott number")
            << 3 << QStringLiteral("Scott #: C12") << QStringLiteral("ScottNumberBreakdown");
        QTest::newRow("status") << 4 << QStringLiteral("Status: Mint")
                                << QStringLiteral("StatusBreakdown");
    }

    void aBreakdownIsTitledByWhatItIsOfAndTakesBackItsStamps()
    {
        QFETCH(int, member);
        QFETCH(QString, title);
        QFETCH(QString, marker);
        const Breakdown::Member* members[] = {&Breakdown::YearBreakdownTableViewController,
                                              &Breakdown::CountryBreakdownTableViewController,
                                              &Breakdown::DenominationBreakdownTableViewController,
                                              &Breakdown::ScottNumberBreakdownTableViewController,
                                              &Breakdown::StatusBreakdownTableViewController};
        TestEnvironment test;
        Stamps* stamp = add(test.context(), {QStringLiteral("5c"), 1962, QStringLiteral("C12"),
                                             1.0f, 1, QStringLiteral("Canada")});
        stamp->setStatus(QStringLiteral("Mint"));
        QVERIFY(test.context().save());
        test.shared().selectedStamp.yearOfIssue = 1962;
        test.shared().selectedStamp.country = QStringLiteral("Canada");
        test.shared().selectedStamp.denomination = QStringLiteral("5c");
        test.shared().selectedStamp.scottNumber = QStringLiteral("C12");
        test.shared().selectedStamp.status = QStringLiteral("Mint");

        OnStack<Breakdown> stack(test, *members[member]);
        stack.screen->view();
        QCOMPARE(stack.screen->title(), title);
        // The stamp opened from it offers the way back by that name.
        stack.select(0);
        auto* form = qobject_cast<EditViewController*>(stack.navigation->topViewController());
        QVERIFY(form);
        QVERIFY2(stack.navigation->backButton()->text().contains(title),
                 qPrintable(stack.navigation->backButton()->text()));
        // The marker names the breakdown to the form (and the print screen); saved, the form
        // returns to it.
        QCOMPARE(test.shared().marker, marker);
        form->SaveButtonClicked();
        QCOMPARE(stack.navigation->topViewController(), stack.screen);
    }

private:
    TestLocale m_locale;
};

QTEST_MAIN(GroupsTest)
#include "tst_groups.moc"
