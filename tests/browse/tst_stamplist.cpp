#include "AwkwardCollection.h"
#include "BrowseFixture.h"
#include "LocaleScope.h"
#include "StoreSurgery.h"
#include "app/Preferences.h"
#include "browse/GroupSummaryViewController.h"
#include "browse/ListTableViewController.h"
#include "browse/StampColumns.h"
#include "browse/StampDetailPane.h"
#include "browse/StampSegments.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/SegmentedControl.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/UndoBar.h"
#include "stamps/EditViewController.h"
#include "stamps/NotesViewController.h"
#include "store/NumberText.h"
#include "store/TextOrder.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
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
        for (const Stamps* stamp : list.shownList().objects<Stamps>())
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

// More stamps than a window shows at once: "s00" to "s39", of the years 1900 to 1939.
void addMany(ObjectContext& context)
{
    for (int i = 0; i < 40; ++i)
        add(context, {QStringLiteral("s%1").arg(i, 2, 10, QLatin1Char('0')), qint16(1900 + i)});
    QVERIFY(context.save());
}

// The stamp list at the root of a window, as the application shows it, with the edit form its
// rows open.
struct ListInWindow
{
    explicit ListInWindow(TestEnvironment& test)
    {
        storyboard.addSegue(
            QStringLiteral("ListTableViewController"), QStringLiteral("showDetails"),
            [&test] { return std::make_unique<EditViewController>(test.environment()); });
        auto made = std::make_unique<ListTableViewController>(test.environment());
        list = made.get();
        list->setStoryboard(&storyboard);
        window = std::make_unique<NavigationController>(std::move(made));
        test.mainQueue.drain();
        window->resize(430, 600);
    }
    bool show()
    {
        window->show();
        return QTest::qWaitForWindowActive(window.get());
    }
    QListView* table() const { return list->tableView; }
    QModelIndex index(int row) const { return list->rowModel()->index(row, 0); }
    int topRow() const { return table()->indexAt(QPoint(1, 1)).row(); }
    bool rowInView(int row) const
    {
        return table()->viewport()->rect().contains(table()->visualRect(index(row)));
    }
    UndoBar* undoBar() const { return UndoBar::findForWindow(window.get()); }
    // Rows chosen in the table as a click, a Ctrl+click and a Shift+click choose them.
    void chooseRows(const QList<int>& rows)
    {
        QItemSelectionModel* selection = list->columnsTable->selectionModel();
        selection->clearSelection();
        for (const int row : rows)
            selection->setCurrentIndex(list->rowModel()->index(row, StampColumns::Country),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    Storyboard storyboard;
    ListTableViewController* list = nullptr;
    std::unique_ptr<NavigationController> window;
};

// Rows wider than the viewport (a sideways scroll bar) or lower than `lines` lines of the view's
// font; empty when the rows fit.
QString fitProblem(const QListView* table, int lines)
{
    if (!table->verticalScrollBar()->isVisible())
        return QStringLiteral("too few rows for a vertical scroll bar");
    const QRect row = table->visualRect(table->model()->index(0, 0));
    const int needed = lines * QFontMetrics(table->font()).height();
    if (table->horizontalScrollBar()->maximum() != 0 || row.width() > table->viewport()->width())
        return QStringLiteral("row %1 wide in a viewport %2 wide, sideways range %3")
            .arg(row.width())
            .arg(table->viewport()->width())
            .arg(table->horizontalScrollBar()->maximum());
    if (row.height() < needed)
        return QStringLiteral("row %1 high where the font needs %2").arg(row.height()).arg(needed);
    return {};
}

// The search the list has always made, record by record: the oracle for the compact one.
bool searchedRecordContains(int segment, const Stamps& stamp, const QString& text)
{
    switch (segment) {
    case 0:
        return stamp.denomination() && stamp.denomination()->toLower().contains(text.toLower());
    case 1:
        return QString::number(stamp.yearOfIssue()).contains(text);
    case 2:
        return stamp.scottNumber() && !stamp.scottNumber()->isEmpty() &&
               stamp.scottNumber()->toLower().contains(text.toLower());
    default:
        return NumberText::floatText(stamp.value()).contains(text);
    }
}

QList<Stamps*> eagerList(ObjectContext& context, int segment, bool ascending)
{
    const QStringList keys = AwkwardCollection::listOrders().at(segment);
    QList<SortDescriptor> sort;
    for (const QString& key : keys)
        sort.append({key, ascending});
    return context.fetch<Stamps>({}, sort).value();
}

// Two stored values of one key as the store orders them: absent first, texts by code point,
// numbers by value.
int compareStored(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return int(!a.isNull()) - int(!b.isNull());
    if (a.typeId() == QMetaType::QString)
        return TextOrder::compare(a.toString(), b.toString());
    return a.toDouble() < b.toDouble() ? -1 : (a.toDouble() > b.toDouble() ? 1 : 0);
}

// The stamps sorted by the keys in one direction, ties in the order given.
QList<Stamps*> sortedBy(QList<Stamps*> stamps, const QStringList& keys, bool ascending)
{
    std::stable_sort(stamps.begin(), stamps.end(), [&](const Stamps* a, const Stamps* b) {
        for (const QString& key : keys) {
            if (const int c = compareStored(a->value(key), b->value(key)); c != 0)
                return ascending ? c < 0 : c > 0;
        }
        return false;
    });
    return stamps;
}

// A style such as KDE's, where one click activates a row.
class SingleClickStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_ItemView_ActivateItemOnSingleClick)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

class StampListTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_locale.emplace(Locales::unitedStates()); }
    void cleanup() { m_locale.reset(); }

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

    void aCollectionThatCannotBeReadIsToldAndShowsNothing()
    {
        TestEnvironment test;
        addSample(test.context());
        QVERIFY(test.context().save());
        // Another program took the table away under the open store.
        QVERIFY(alterStoreFile(test.appDelegate().persistentContainer().storeFilePath(),
                               {QStringLiteral("ALTER TABLE Stamps RENAME TO Elsewhere")}));
        ListOnScreen screen(test);
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Collection not Read"));
        QVERIFY2(test.alerts.last().message.contains(QStringLiteral("no such table: Stamps")),
                 qPrintable(test.alerts.last().message));
        QCOMPARE(screen.list.rowModel()->rowCount(), 0);
        QCOMPARE(screen.list.HeaderLabel->text(), QStringLiteral("# Stamps = 0 of 0"));
    }

    void theCounterIsCentredRedTextOnLightGrey()
    {
        TestEnvironment test;
        add(test.context(), {QStringLiteral("a")});
        QVERIFY(test.context().save());
        ListOnScreen screen(test);
        QLabel* counter = screen.list.HeaderLabel;
        QCOMPARE(counter->alignment(), Qt::AlignCenter);
        QCOMPARE(counter->font().pointSizeF(), 13.0);
        QCOMPARE(counter->font().family(), screen.list.view()->font().family());

        // As drawn: a light grey ground, and red letters around the middle.
        counter->resize(400, counter->sizeHint().height());
        const QImage drawn = counter->grab().toImage();
        const QColor ground = drawn.pixelColor(1, 1);
        QVERIFY2(ground.red() == ground.green() && ground.green() == ground.blue() &&
                     ground.lightness() > 150 && ground.lightness() < 255,
                 qPrintable(ground.name()));
        int left = drawn.width();
        int right = -1;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QColor colour = drawn.pixelColor(x, y);
                if (colour.red() > 180 && colour.green() < 90 && colour.blue() < 90) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        QVERIFY2(right > left, "no red letters");
        QVERIFY(std::abs((left + right) / 2 - drawn.width() / 2) <= 3);
    }

    void eachSegmentSortsByItsKeysBothWays()
    {
        TestEnvironment test;
        addSample(test.context());
        QVERIFY(test.context().save());
        ListOnScreen screen(test);

        const QList<QStringList> ascending = {
            {QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("b"),
             QStringLiteral("c")}, // denomination, code point order
            {QStringLiteral("c"), QStringLiteral("A"), QStringLiteral("b"),
             QStringLiteral("a")}, // year, then denomination
            {QStringLiteral("c"), QStringLiteral("A"), QStringLiteral("a"),
             QStringLiteral("b")}, // Scott number: QStringLiteral(""), S1, S10, S2
            {QStringLiteral("c"), QStringLiteral("b"), QStringLiteral("A"),
             QStringLiteral("a")}, // value
        };
        const QStringList titles = {QStringLiteral("Name"), QStringLiteral("Year"),
                                    QStringLiteral("Scott #"), QStringLiteral("Value")};
        const QStringList placeholders = {
            QStringLiteral("Search by Denomination"), QStringLiteral("Search by Year"),
            QStringLiteral("Search by Scott #"), QStringLiteral("Search by Value")};
        QCOMPARE(screen.list.segment->numberOfSegments(), 4);
        for (int segment = 0; segment < 4; ++segment) {
            screen.list.segment->setSelectedSegmentIndex(segment);
            QCOMPARE(screen.list.segment->titleForSegment(segment), titles[segment]);
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
        QCOMPARE(screen.denominations(), (QStringList{QStringLiteral("A"), QStringLiteral("a")}));
        QCOMPARE(screen.list.HeaderLabel->text(), QStringLiteral("# Stamps = 2 of 7"));
        // Spaces are a real search.
        screen.search(QStringLiteral("  "));
        QCOMPARE(screen.denominations(), QStringList{QStringLiteral("f  g")});

        screen.search(QString());
        screen.list.segment->setSelectedSegmentIndex(1);
        screen.search(QStringLiteral("19"));
        QCOMPARE(screen.years(), (QStringList{QStringLiteral("1905"), QStringLiteral("1990"),
                                              QStringLiteral("1990"), QStringLiteral("2019")}));

        screen.list.segment->setSelectedSegmentIndex(2);
        // A segment change shows every stamp again until the text changes.
        QCOMPARE(screen.list.HeaderLabel->text(), QStringLiteral("# Stamps = 7 of 7"));
        screen.search(QStringLiteral("S1"));
        QCOMPARE(screen.denominations(), (QStringList{QStringLiteral("A"), QStringLiteral("a")}));
        screen.search(QStringLiteral("s"));
        QCOMPARE(screen.denominations().size(), 4);

        screen.list.segment->setSelectedSegmentIndex(3);
        screen.search(QStringLiteral("3.0"));
        QCOMPARE(screen.denominations(), (QStringList{QStringLiteral("e"), QStringLiteral("d")}));
        screen.search(QStringLiteral("5"));
        QCOMPARE(screen.denominations(), (QStringList{QStringLiteral("c"), QStringLiteral("f  g"),
                                                      QStringLiteral("A"), QStringLiteral("d")}));
    }

    void aLargeListIsTheEagerListOrderedSearchedAndChanged()
    {
        TestEnvironment test;
        AwkwardCollection::add(test.context(), 2500);
        QVERIFY(test.context().save());
        test.relaunch();
        ObjectContext& context = test.context();
        ListInWindow screen(test);
        QVERIFY(screen.show());
        ListTableViewController& list = *screen.list;
        QCOMPARE(list.HeaderLabel->text(), QStringLiteral("# Stamps = 2500 of 2500"));
        // Only the rows on show have records.
        QVERIFY(list.shownList().isMade(0));
        QVERIFY(!list.shownList().isMade(2400));

        const QList<QStringList> typed = {
            {QStringLiteral("5"), QStringLiteral("5c"), QStringLiteral("5C "), QStringLiteral("5"),
             QStringLiteral("É"), QStringLiteral("écu"), QStringLiteral("日"), QStringLiteral("ł")},
            {QStringLiteral("-"), QStringLiteral("-5"), QStringLiteral("-32"), QStringLiteral("1"),
             QStringLiteral("19"), QStringLiteral("196"), QStringLiteral("6")},
            {QStringLiteral("1"), QStringLiteral("1a"), QStringLiteral("1A"), QStringLiteral("c"),
             QStringLiteral("0"), QStringLiteral("01")},
            {QStringLiteral("1"), QStringLiteral("1e"), QStringLiteral("1e-05"),
             QStringLiteral("e"), QStringLiteral("e+07"), QStringLiteral("."),
             QStringLiteral("12.5"), QStringLiteral("3.0"), QStringLiteral("0.0")}};
        for (int segment = 0; segment < 4; ++segment) {
            list.segment->setSelectedSegmentIndex(segment);
            for (const bool ascending : {true, false}) {
                const QList<Stamps*> expected = eagerList(context, segment, ascending);
                QCOMPARE(list.shownList().objects<Stamps>(), expected);
                for (const QString& text : typed.at(segment)) {
                    screen.list->searchBar->setText(text);
                    QList<Stamps*> matching;
                    for (Stamps* stamp : expected) {
                        if (searchedRecordContains(segment, *stamp, text))
                            matching.append(stamp);
                    }
                    QVERIFY2(list.shownList().objects<Stamps>() == matching,
                             qPrintable(QStringLiteral("segment %1, search \"%2\": %3 rows for %4")
                                            .arg(segment)
                                            .arg(text)
                                            .arg(list.shownList().size())
                                            .arg(matching.size())));
                }
                list.searchBar->clear();
                list.SortButtonTapped();
            }
        }

        // A change saved since the fetch moves its stamp when the order is turned.
        list.segment->setSelectedSegmentIndex(0);
        Stamps* changed = eagerList(context, 0, true).at(1700);
        changed->setDenomination(QStringLiteral("\u00A0first"));
        QVERIFY(context.save());
        list.SortButtonTapped();
        QCOMPARE(list.shownList().objects<Stamps>(), eagerList(context, 0, false));
        list.SortButtonTapped();
        QCOMPARE(list.shownList().objects<Stamps>(), eagerList(context, 0, true));

        // A delete far down the list keeps its neighbours and the rows above in place.
        screen.table()->scrollTo(screen.index(1200), QAbstractItemView::PositionAtTop);
        const int top = screen.topRow();
        QList<Stamps*> remaining = list.shownList().objects<Stamps>();
        Stamps* gone = remaining.takeAt(top + 1);
        list.deleteRow(top + 1);
        QCOMPARE(list.HeaderLabel->text(), QStringLiteral("# Stamps = 2499 of 2499"));
        QCOMPARE(list.shownList().objects<Stamps>(), remaining);
        QCOMPARE(list.rowModel()->stampAt(top + 1), remaining.at(top + 1));
        QVERIFY(gone->isDeleted() || !gone->managedObjectContext());
        QCOMPARE(remaining, eagerList(context, 0, true));
    }

    void aHeaderClickSortsByItsColumnAheadOfTheSegmentsKeys()
    {
        TestEnvironment test;
        AwkwardCollection::add(test.context(), 3000);
        QVERIFY(test.context().save());
        test.relaunch();
        ObjectContext& context = test.context();
        Preferences(test.environment().services.userDefaults)
            .setListLayout(Preferences::ListLayout::Table);
        ListInWindow screen(test);
        QVERIFY(screen.show());
        ListTableViewController& list = *screen.list;
        QVERIFY(list.showsTable());
        QHeaderView* header = list.columnsTable->horizontalHeader();
        QCOMPARE(header->sortIndicatorSection(), int(StampColumns::Denomination));

        for (const bool unsaved : {false, true}) {
            if (unsaved) {
                // Changes not saved yet sort by their new values.
                const QList<Stamps*> some = context.fetch<Stamps>().value();
                some.at(10)->setDescrip(QStringLiteral("\u00C9tat neuf"));
                some.at(11)->setYearOfIssue(-40);
                some.at(12)->setCondition(std::nullopt);
                add(context, {QStringLiteral("9c"), 1901, QStringLiteral("7a"), 3.0f});
            }
            const QList<Stamps*> inserted = context.fetch<Stamps>().value();
            QStringList ties = AwkwardCollection::listOrders().at(0);
            for (int column = StampColumns::Picture; column < StampColumns::Count; ++column) {
                const QString key = StampColumns::sortKey(column);
                for (const bool ascending : {true, false}) {
                    header->setSortIndicator(column,
                                             ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
                    if (key.isEmpty()) {
                        // Nothing the store orders by: the order and its indicator stay.
                        QVERIFY(header->sortIndicatorSection() != column);
                        continue;
                    }
                    // A segment's first key chooses that segment, whose keys break the ties.
                    if (const int segment = StampSegments::withFirstKey(key); segment >= 0) {
                        ties = AwkwardCollection::listOrders().at(segment);
                        QCOMPARE(list.segment->selectedSegmentIndex(), segment);
                    }
                    QStringList keys = ties;
                    keys.removeAll(key);
                    keys.prepend(key);
                    QVERIFY2(
                        list.shownList().objects<Stamps>() == sortedBy(inserted, keys, ascending),
                        qPrintable(QStringLiteral("%1 %2 %3")
                                       .arg(StampColumns::title(column))
                                       .arg(QLatin1String(ascending ? "ascending" : "descending"))
                                       .arg(QLatin1String(unsaved ? "unsaved" : "saved"))));
                    QCOMPARE(header->sortIndicatorSection(), column);
                }
            }
            // The toggle turns the column's order and its indicator.
            const Qt::SortOrder before = header->sortIndicatorOrder();
            list.SortButtonTapped();
            QVERIFY(header->sortIndicatorOrder() != before);
            // A segment chosen again is its own order, shown at its column.
            list.segment->setSelectedSegmentIndex(1);
            list.segment->setSelectedSegmentIndex(0);
            QCOMPARE(header->sortIndicatorSection(), int(StampColumns::Denomination));
        }
    }

    void chosenRowsAreCopiedAsTheirCells()
    {
        TestEnvironment test;
        add(test.context(), {QStringLiteral("5c\tblue"), 1962, QStringLiteral("12a"), 1234.5f, 2,
                             QStringLiteral("C\u00F4te d'Ivoire")});
        add(test.context(),
            {QStringLiteral("1d"), -3, QString(), 0.25f, 0, QStringLiteral("two\nlines")});
        add(test.context(), {QStringLiteral("2d"), 1900});
        QVERIFY(test.context().save());
        Preferences(test.environment().services.userDefaults)
            .setListLayout(Preferences::ListLayout::Table);
        const LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
        ListInWindow screen(test);
        QVERIFY(screen.show());
        ListTableViewController& list = *screen.list;
        QHeaderView* header = list.columnsTable->horizontalHeader();
        header->setSectionHidden(StampColumns::Grade, true);
        header->moveSection(header->visualIndex(StampColumns::Total), 1);
        // "1d", "2d", "5c\tblue" in the list's order: the first and the last.
        screen.chooseRows({2, 0});
        list.columnsTable->setFocus();
        QTest::keyClick(list.columnsTable, Qt::Key_C, Qt::ControlModifier);

        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4); // a header, two rows, and the last line's end
        QCOMPARE(lines.last(), QString());
        const QList<int> shown = list.columnsTable->shownTextColumns();
        QCOMPARE(shown.first(), int(StampColumns::Total));
        QVERIFY(!shown.contains(StampColumns::Grade));
        QStringList titles;
        for (const int column : shown)
            titles << StampColumns::title(column);
        QCOMPARE(lines.at(0).split(QLatin1Char('\t')), titles);
        for (const int row : {0, 2}) {
            QStringList cells;
            for (const int column : shown)
                cells << list.rowModel()
                             ->index(row, column)
                             .data()
                             .toString()
                             .replace(QLatin1Char('\t'), QLatin1Char(' '))
                             .replace(QLatin1Char('\n'), QLatin1Char(' '));
            QCOMPARE(lines.at(row == 0 ? 1 : 2).split(QLatin1Char('\t')), cells);
        }
        // Numbers as the locale writes them, so a spreadsheet of that locale reads them.
        QVERIFY(lines.at(2).contains(QStringLiteral("1.234,50")));
        QVERIFY(lines.at(2).startsWith(QStringLiteral("2.469,00\t")));
    }

    void thePaneBesideTheTableEditsTheChosenStamp()
    {
        TestEnvironment test;
        for (const char* name : {"1c", "2c", "3c"})
            add(test.context(), {QString::fromLatin1(name), 1900});
        QVERIFY(test.context().save());
        Preferences(test.environment().services.userDefaults)
            .setListLayout(Preferences::ListLayout::Table);
        ListInWindow screen(test);
        screen.window->resize(1300, 700);
        QVERIFY(screen.show());
        ListTableViewController& list = *screen.list;
        StampDetailPane* pane = list.detailPane;
        QVERIFY(pane->isVisible());
        QCOMPARE(pane->stamp(), nullptr);
        const auto stampAt = [&list](int row) { return list.shownList().at<Stamps>(row); };
        const auto currentRow = [&list] { return list.columnsTable->currentIndex().row(); };

        screen.chooseRows({0});
        QCOMPARE(pane->stamp(), stampAt(0));
        EditViewController* form = pane->form();
        form->DescripTextField->setText(QStringLiteral("kept"));
        QTest::keyClick(form->DescripTextField, Qt::Key_Return);
        // Saved in place: the row shows it, stays chosen, and the list stays on screen.
        QCOMPARE(stampAt(0)->descrip(), std::optional<QString>(QStringLiteral("kept")));
        QCOMPARE(list.rowModel()->index(0, StampColumns::Description).data().toString(),
                 QStringLiteral("kept"));
        QCOMPARE(screen.window->topViewController(), &list);
        QCOMPARE(currentRow(), 0);
        QCOMPARE(test.status.messages.last(), QStringLiteral("Saved 1c Malta 1900"));

        // Another row while the pane holds changes: asked, and the row edited stays chosen.
        form->DescripTextField->setText(QStringLiteral("typed"));
        screen.chooseRows({1});
        test.mainQueue.drain();
        QCOMPARE(currentRow(), 0);
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 (QStringList{QStringLiteral("Save"), QStringLiteral("Discard"),
                              QStringLiteral("Keep Editing")}));
        QVERIFY(test.alerts.tap(QStringLiteral("Keep Editing")));
        QCOMPARE(pane->stamp(), stampAt(0));
        QCOMPARE(form->DescripTextField->text(), QStringLiteral("typed"));

        screen.chooseRows({1});
        test.mainQueue.drain();
        QVERIFY(test.alerts.tap(QStringLiteral("Discard")));
        QCOMPARE(pane->stamp(), stampAt(1));
        QCOMPARE(currentRow(), 1);
        QCOMPARE(stampAt(0)->descrip(), std::optional<QString>(QStringLiteral("kept")));

        form->DescripTextField->setText(QStringLiteral("saved on leaving"));
        screen.chooseRows({2});
        test.mainQueue.drain();
        QVERIFY(test.alerts.tap(QStringLiteral("Save")));
        QCOMPARE(pane->stamp(), stampAt(2));
        QCOMPARE(currentRow(), 2);
        QVERIFY(!test.context().hasChanges());
        QCOMPARE(stampAt(1)->descrip(), std::optional<QString>(QStringLiteral("saved on leaving")));
        QCOMPARE(test.alerts.unansweredCount(), 0);

        // The notes open in the pane's own stack.
        screen.storyboard.addSegue(
            QStringLiteral("EditViewController"), QStringLiteral("showNotes"),
            [&test] { return std::make_unique<NotesViewController>(test.environment()); });
        QVERIFY(form->performSegue(QStringLiteral("showNotes")));
        QVERIFY(qobject_cast<NotesViewController*>(
            pane->findChild<NavigationController*>()->topViewController()));
        QCOMPARE(screen.window->topViewController(), &list);
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
                 (QStringList{QStringLiteral("Year: 1990  Country: Malta"),
                              QStringLiteral("Year: 1991  Country: ")}));
        QCOMPARE(column(model, StampRowModel::Label3Role),
                 (QStringList{QStringLiteral("Qty: 1  Scott #:  S1"),
                              QStringLiteral("Qty: 3  Scott #:  ")}));
        QCOMPARE(column(model, StampRowModel::Label4Role),
                 (QStringList{QStringLiteral("Value: $5.00  Total Value: $5.00"),
                              QStringLiteral("Value: $2.50  Total Value: $7.50")}));
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
        QCOMPARE(screen.denominations(),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        QCOMPARE(test.context().fetch<Stamps>().value().size(), 3);

        screen.search(QStringLiteral("b"));
        screen.list.deleteRow(0);
        QCOMPARE(screen.denominations(), QStringList());
        QCOMPARE(screen.list.HeaderLabel->text(), QStringLiteral("# Stamps = 0 of 2"));
        screen.search(QString());
        QCOMPARE(screen.denominations(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));

        // A delete the store refuses is undone and said, and offers no undo.
        test.mainQueue.drain();
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        screen.list.deleteRow(0);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("disk full"));
        QCOMPARE(screen.denominations(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
        QVERIFY(!UndoBar::findForWindow(screen.list.view())->isOffering());
        screen.list.fetch();
        QCOMPARE(screen.denominations(), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
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
        QCOMPARE(column(list->rowModel()),
                 (QStringList{QStringLiteral("A"), QStringLiteral("a"), QStringLiteral("bb"),
                              QStringLiteral("c")}));
    }

    void rowsFitTheViewportAndTheFont_data()
    {
        QTest::addColumn<int>("pointSize");
        QTest::newRow("usual font") << 0;
        QTest::newRow("large font") << 60;
    }

    void rowsFitTheViewportAndTheFont()
    {
        QFETCH(int, pointSize);
        TestEnvironment test;
        addMany(test.context());
        ListInWindow screen(test);
        GroupSummaryViewController years(GroupSummaryViewController::YearGroupTableViewController,
                                         test.environment());
        years.view()->resize(430, 600);
        for (QListView* table : {screen.table(), years.tableView}) {
            QFont font = table->font();
            if (pointSize > 0)
                font.setPointSize(pointSize);
            table->setFont(font);
        }
        QVERIFY(screen.show());
        years.view()->show();
        QVERIFY(QTest::qWaitForWindowExposed(years.view()));
        QCoreApplication::processEvents();

        // The stamp rows have four lines, the summary rows one.
        QString problem = fitProblem(screen.table(), 4);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        problem = fitProblem(years.tableView, 1);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void oneClickOrReturnOpensOneForm_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("click under a single-click style") << false;
        QTest::newRow("Return") << true;
    }

    void oneClickOrReturnOpensOneForm()
    {
        QFETCH(bool, byKey);
        SingleClickStyle style;
        TestEnvironment test;
        addSample(test.context());
        QVERIFY(test.context().save());
        ListInWindow screen(test);
        screen.table()->setStyle(&style);
        QVERIFY(screen.show());
        QVERIFY(screen.table()->style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick,
                                                   nullptr, screen.table()));

        if (byKey) {
            screen.table()->setCurrentIndex(screen.index(1));
            screen.table()->setFocus();
            QTest::keyClick(screen.table(), Qt::Key_Return);
        } else {
            QTest::mouseClick(screen.table()->viewport(), Qt::LeftButton, {},
                              screen.table()->visualRect(screen.index(1)).center());
        }
        QCOMPARE(screen.window->viewControllers().size(), 2);
        auto* form = qobject_cast<EditViewController*>(screen.window->topViewController());
        QVERIFY(form);
        QCOMPARE(*form->detailItem()->denomination(), QStringLiteral("a"));
    }

    void aDeleteKeepsTheRowsAboveInPlace()
    {
        TestEnvironment test;
        addMany(test.context());
        ListInWindow screen(test);
        QVERIFY(screen.show());
        screen.table()->scrollTo(screen.index(20), QAbstractItemView::PositionAtTop);
        const int scrolled = screen.table()->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        const int top = screen.topRow();
        Stamps* topStamp = screen.list->shownList().at<Stamps>(top);
        screen.table()->setCurrentIndex(screen.index(top + 1));
        Stamps* current = screen.list->shownList().at<Stamps>(top + 1);

        screen.list->deleteRow(top + 2);
        QCOMPARE(screen.list->rowModel()->rowCount(), 39);
        QCOMPARE(screen.list->HeaderLabel->text(), QStringLiteral("# Stamps = 39 of 39"));
        QCOMPARE(screen.table()->verticalScrollBar()->value(), scrolled);
        QCOMPARE(screen.list->shownList().at<Stamps>(screen.topRow()), topStamp);
        QCOMPARE(screen.list->shownList().at<Stamps>(screen.table()->currentIndex().row()),
                 current);
    }

    void anEditedStampComesBackSelectedAndInView()
    {
        TestEnvironment test;
        addMany(test.context());
        ListInWindow screen(test);
        QVERIFY(screen.show());
        screen.table()->clicked(screen.index(3));
        auto* form = qobject_cast<EditViewController*>(screen.window->topViewController());
        QVERIFY(form);
        Stamps* edited = form->detailItem();
        // Renamed, it sorts last, out of the rows shown when it was chosen.
        form->DenominationTextField->setText(QStringLiteral("zz"));
        form->SaveButtonClicked();
        QCOMPARE(screen.window->topViewController(), screen.list);
        QCoreApplication::processEvents();

        const QModelIndex current = screen.table()->currentIndex();
        QCOMPARE(current.row(), 39);
        QCOMPARE(screen.list->shownList().at<Stamps>(current.row()), edited);
        QVERIFY(screen.table()->selectionModel()->isSelected(current));
        QVERIFY(screen.rowInView(39));

        // An edit that leaves the order as it was changes the rows in place: the list stays
        // where it was scrolled to.
        screen.table()->scrollTo(screen.index(20), QAbstractItemView::PositionAtTop);
        const int scrolled = screen.table()->verticalScrollBar()->value();
        QSignalSpy resets(screen.list->rowModel(), &QAbstractItemModel::modelReset);
        screen.table()->clicked(screen.index(21));
        form = qobject_cast<EditViewController*>(screen.window->topViewController());
        QVERIFY(form);
        form->DenominationTextField->setText(QStringLiteral("s21 again"));
        form->SaveButtonClicked();
        QCoreApplication::processEvents();
        QCOMPARE(resets.count(), 0);
        QCOMPARE(column(screen.list->rowModel()).at(21), QStringLiteral("s21 again"));
        QCOMPARE(screen.table()->verticalScrollBar()->value(), scrolled);
        QCOMPARE(screen.table()->currentIndex().row(), 21);

        // A sort toggle starts again from the top.
        screen.list->SortButtonTapped();
        QCOMPARE(screen.table()->verticalScrollBar()->value(), 0);
        QVERIFY(screen.rowInView(0));
    }

    void aDeleteCanBeUndone_data()
    {
        QTest::addColumn<QString>("undo");
        QTest::addColumn<bool>("restored");
        // Beside the stamp deleted, these are chosen with it in the table.
        QTest::addColumn<QStringList>("alsoChosen");
        QTest::newRow("Undo button") << "button" << true << QStringList();
        QTest::newRow("Ctrl+Z") << "Ctrl+Z" << true << QStringList();
        QTest::newRow("after the time is up") << "late" << false << QStringList();
        QTest::newRow("three chosen, Ctrl+Z")
            << "Ctrl+Z" << true << QStringList{QStringLiteral("a"), QStringLiteral("c")};
    }

    void aDeleteCanBeUndone()
    {
        QFETCH(QString, undo);
        QFETCH(bool, restored);
        QFETCH(QStringList, alsoChosen);
        TestEnvironment test;
        addSample(test.context());
        if (!alsoChosen.isEmpty())
            Preferences(test.environment().services.userDefaults)
                .setListLayout(Preferences::ListLayout::Table);
        // Every attribute holds a value of its own, the notes and the picture included.
        auto* stamp = test.context().insertNewObject<Stamps>();
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QByteArray picture = test.pictures.encodeJpeg(image, 0.6).value();
        const QHash<QString, QVariant> chosen = {
            {QStringLiteral("denomination"), QStringLiteral("5c")},
            {QStringLiteral("country"), QStringLiteral("Canada")},
            {QStringLiteral("yearOfIssue"), 1962},
            {QStringLiteral("notes"), QStringLiteral("Bought in Ottawa\nfrom a dealer")},
            {QStringLiteral("stampImage"), picture}};
        QVariantList values;
        const EntityDescription& entity = stamp->entity();
        for (int i = 0; i < entity.attributes().size(); ++i) {
            const AttributeDescription& attribute = entity.attribute(i);
            QVariant value = chosen.value(attribute.name);
            if (!value.isValid() && attribute.type == AttributeType::Text)
                value = attribute.name + QStringLiteral(" text");
            else if (!value.isValid())
                value = i + 0.5;
            stamp->setValue(i, value);
            values << stamp->value(i);
        }
        QVERIFY(test.context().save());
        // As after a fetch: the picture is read from the store when asked for.
        stamp->releaseAttribute(QStringLiteral("stampImage"));
        QVERIFY(!stamp->isAttributeLoaded(QStringLiteral("stampImage")));

        ListInWindow screen(test);
        QVERIFY(screen.show());
        const QStringList before = column(screen.list->rowModel());
        QList<int> rows{int(before.indexOf(QStringLiteral("5c")))};
        for (const QString& other : alsoChosen)
            rows.append(int(before.indexOf(other)));
        screen.chooseRows(rows);
        QAbstractItemView* shown = alsoChosen.isEmpty()
                                       ? static_cast<QAbstractItemView*>(screen.table())
                                       : screen.list->columnsTable;
        QVERIFY(shown->isVisible());
        shown->setFocus();
        const int stampCount = 5;
        const int deleted = int(rows.size());
        // Backspace is no delete key.
        QTest::keyClick(shown, Qt::Key_Backspace);
        QCOMPARE(test.context().fetch<Stamps>().value().size(), stampCount);
        QVERIFY(!screen.undoBar());
        QTest::keyClick(shown, Qt::Key_Delete);
        QCOMPARE(test.context().fetch<Stamps>().value().size(), stampCount - deleted);
        QCOMPARE(column(screen.list->rowModel()).size(), stampCount - deleted);
        QVERIFY(!column(screen.list->rowModel()).contains(QStringLiteral("5c")));
        UndoBar* bar = screen.undoBar();
        QVERIFY(bar);
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->label()->text(), deleted == 1 ? QStringLiteral("Deleted 5c Canada 1962")
                                                    : QStringLiteral("Deleted 3 stamps"));
        QVERIFY(bar->geometry().bottom() < screen.window->height());

        if (undo == QLatin1String("button")) {
            QTest::mouseClick(bar->undoButton(), Qt::LeftButton);
        } else {
            if (undo == QLatin1String("late")) {
                test.mainQueue.drain();
                QVERIFY(!bar->isVisible());
            }
            QTest::keyClick(shown, Qt::Key_Z, Qt::ControlModifier);
        }
        QVERIFY(!bar->isVisible());
        // The bar undoes once only.
        QTest::keyClick(shown, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!test.context().hasChanges());
        const QList<Stamps*> stored = test.context().fetch<Stamps>().value();
        QCOMPARE(stored.size(), restored ? stampCount : stampCount - deleted);
        if (!restored) {
            QCOMPARE(column(screen.list->rowModel()).size(), stampCount - deleted);
            return;
        }

        // Every one is back, in its place and chosen again; the stamp of every value with all.
        QCOMPARE(column(screen.list->rowModel()), before);
        std::sort(rows.begin(), rows.end());
        QCOMPARE(screen.list->chosenRows(), rows);
        Stamps* again =
            screen.list->shownList().at<Stamps>(int(before.indexOf(QStringLiteral("5c"))));
        QVERIFY(again != stamp);
        again->releaseAttribute(QStringLiteral("stampImage"));
        for (int i = 0; i < entity.attributes().size(); ++i)
            QCOMPARE(again->value(i), values.at(i));
        QCOMPARE(again->stampImage(), std::optional<QByteArray>(picture));
    }

    void picturesAreDecodedForTheScreensPixelRatio_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1") << 1.0;
        QTest::newRow("2") << 2.0;
        QTest::newRow("1.5") << 1.5;
    }

    void picturesAreDecodedForTheScreensPixelRatio()
    {
        QFETCH(qreal, ratio);
        TestEnvironment test;
        auto* stamp = add(test.context(), {QStringLiteral("5c")});
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::red);
        stamp->setStampImage(test.pictures.encodeJpeg(image, 0.6).value());
        QVERIFY(test.context().save());
        ListOnScreen screen(test);

        const QSize shown = StampRowModel::ListShape.pictureSize;
        const QImage picture = screen.list.rowModel()->picture(0, ratio);
        QCOMPARE(picture.size(), (QSizeF(shown) * ratio).toSize());
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.deviceIndependentSize().toSize(), shown);
    }

private:
    TestLocale m_locale;
};

QTEST_MAIN(StampListTest)
#include "tst_stamplist.moc"
