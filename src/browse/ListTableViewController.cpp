#include "browse/ListTableViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/Preferences.h"
#include "app/SharedState.h"
#include "browse/StampColumns.h"
#include "browse/StampRowModel.h"
#include "browse/StampSearch.h"
#include "platform/core/CurrencyText.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/SegmentedControl.h"
#include "platform/gui/SymbolIcons.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>
#include <array>

namespace {

// One segment of the list's control: what it is called, what the search matches while it is
// chosen, and the order it shows the stamps in.
struct ListSegment
{
    const char* title;       // the segment's text
    const char* placeholder; // the search field's
    // The four sort keys, most significant first.
    std::array<const char*, 4> sortKeys;
    StampSearch::Attribute searched;
};

// In the order of the control.
constexpr ListSegment Segments[] = {
    {
        .title = QT_TRANSLATE_NOOP("ListTableViewController", "Name"),
        .placeholder = QT_TRANSLATE_NOOP("ListTableViewController", "Search by Denomination"),
        .sortKeys = {"denomination", "yearOfIssue", "value", "scottNumber"},
        .searched = StampSearch::Attribute::Denomination,
    },
    {
        .title = QT_TRANSLATE_NOOP("ListTableViewController", "Year"),
        .placeholder = QT_TRANSLATE_NOOP("ListTableViewController", "Search by Year"),
        .sortKeys = {"yearOfIssue", "denomination", "scottNumber", "value"},
        .searched = StampSearch::Attribute::Year,
    },
    {
        .title = QT_TRANSLATE_NOOP("ListTableViewController", "Scott #"),
        .placeholder = QT_TRANSLATE_NOOP("ListTableViewController", "Search by Scott #"),
        .sortKeys = {"scottNumber", "denomination", "yearOfIssue", "value"},
        .searched = StampSearch::Attribute::ScottNumber,
    },
    {
        .title = QT_TRANSLATE_NOOP("ListTableViewController", "Value"),
        .placeholder = QT_TRANSLATE_NOOP("ListTableViewController", "Search by Value"),
        .sortKeys = {"value", "denomination", "yearOfIssue", "scottNumber"},
        .searched = StampSearch::Attribute::Value,
    },
};

// The chosen segment; nullptr while none is.
const ListSegment* chosenSegment(const SegmentedControl& control)
{
    const int index = control.selectedSegmentIndex();
    if (index < 0 || index >= int(std::size(Segments)))
        return nullptr;
    return &Segments[index];
}

StampRowModel::RowTexts rowTexts(const Stamps& stamp, bool filteredListShown)
{
    const auto text = [](const std::optional<QString>& value) { return value.value_or(QString()); };
    // A quantity of 0 counts as one copy.
    const qint16 Qty = stamp.quantity() == 0 ? qint16(1) : stamp.quantity();
    const QString quantityLine = filteredListShown
                                     ? ListTableViewController::tr("Qty: %1  Scott #: %2")
                                     : ListTableViewController::tr("Qty: %1  Scott #:  %2");
    return {text(stamp.denomination()),
            ListTableViewController::tr("Year: %1  Country: %2")
                .arg(QString::number(stamp.yearOfIssue()), text(stamp.country())),
            quantityLine.arg(QString::number(Qty), text(stamp.scottNumber())),
            ListTableViewController::tr("Value: %1  Total Value: %2")
                .arg(currencyText(double(stamp.value())),
                     currencyText(double(Qty) * double(stamp.value())))};
}

} // namespace

ListTableViewController::ListTableViewController(Environment& environment, QObject* parent)
    : StampTableViewController(
          QStringLiteral("ListTableViewController"), QStringLiteral("showDetails"),
          [this](const Stamps& stamp) { return rowTexts(stamp, !searchTextIsEmpty()); },
          environment, parent)
{
    setTitle(tr("Stamps"));
    AddButton = SymbolIcons::makeAction(QStringLiteral("plus"), this);
    AddButton->setObjectName(QStringLiteral("AddButton"));
    addRightBarButtonItem(AddButton);
    addKeyboardShortcut(AddButton, QKeySequence(Qt::CTRL | Qt::Key_N));
    registerUnwindTarget(QString::fromLatin1(OpeningScreens::StampList.unwind),
                         [this](const StoryboardSegue&) { unwindToListWithSegue(); });
}

void ListTableViewController::addControlsAboveSearch(QVBoxLayout* layout)
{
    QStringList titles;
    for (const ListSegment& each : Segments)
        titles.append(tr(each.title));
    segment = new SegmentedControl(titles, layout->parentWidget());
    segment->setObjectName(QStringLiteral("segment"));
    segment->setTintColor(QColor::fromRgbF(0.0f, 0.15f, 0.65f, 1.0f));
    segment->setSelectedSegmentIndex(0);
    connect(segment, &SegmentedControl::valueChanged, this,
            &ListTableViewController::segmentedControlActionWithSender);
    layout->addWidget(segment);
}

void ListTableViewController::viewDidLoad()
{
    setSearchPlaceholder(tr(Segments[0].placeholder));
    SortAsc = true;
    // The counter: centred red text at 13 points of its own family, on light grey in either
    // style.
    QFont counterFont = HeaderLabel->font();
    counterFont.setPointSizeF(13.0);
    HeaderLabel->setFont(counterFont);
    HeaderLabel->setAlignment(Qt::AlignCenter);
    QPalette counterColours = HeaderLabel->palette();
    counterColours.setColor(QPalette::WindowText, Qt::red);
    counterColours.setColor(QPalette::Window, Qt::lightGray);
    HeaderLabel->setPalette(counterColours);
    HeaderLabel->setAutoFillBackground(true);
    showList();
    // The first fetch runs once loading has finished.
    m_environment.services.mainQueue.async(this, [this] { fetch(); });
}

void ListTableViewController::fetch()
{
    StampSearch::Attribute searched = Segments[0].searched;
    if (const ListSegment* chosen = chosenSegment(*segment))
        searched = chosen->searched;
    StampList = fetchStamps({}, fetchOrder(), searched);
    m_fetchedAtChange = context.changeCount();
    // A fetch drops any earlier filtering until the search text changes again.
    FilteredStampList = StampList;
    showList();
}

QList<SortDescriptor> ListTableViewController::listOrder(bool ascending) const
{
    QList<SortDescriptor> order;
    if (const ListSegment* chosen = chosenSegment(*segment)) {
        const Preferences preferences(m_environment.services.userDefaults);
        for (const char* key : chosen->sortKeys)
            order.append(preferences.sortBy(QString::fromLatin1(key), ascending));
    }
    return order;
}

void ListTableViewController::sortByColumn(int column, bool ascending)
{
    // A column that is a segment's first key is that segment's order.
    const QString key = StampColumns::sortKey(column);
    for (int index = 0; index < int(std::size(Segments)); ++index) {
        if (key == QLatin1String(Segments[index].sortKeys[0]) &&
            index != segment->selectedSegmentIndex()) {
            SortAsc = ascending;
            segment->setSelectedSegmentIndex(index);
            return;
        }
    }
    StampTableViewController::sortByColumn(column, ascending);
}

void ListTableViewController::showList()
{
    rowModel()->setStamps(shownList());
    showTotals();
}

void ListTableViewController::showTotals()
{
    HeaderLabel->setText(tr("# Stamps = %1 of %2").arg(shownList().size()).arg(StampList.size()));
}

void ListTableViewController::SortButtonTapped()
{
    SortAsc = !SortAsc.value_or(true);
    // Nothing changed since the fetch: the same rows the other way round, which is what a fetch
    // in that direction gives, ties included, where the fetch knows its ties.
    std::optional<FetchedRows> reversed;
    if (!StampList.isEmpty() && context.changeCount() == m_fetchedAtChange)
        reversed = StampList.reversed();
    if (reversed) {
        StampList = std::move(*reversed);
        FilteredStampList = StampList;
        showList();
        showSortIndicator();
    } else {
        fetch();
    }
    tableView->scrollToTop();
    columnsTable->scrollToTop();
}

void ListTableViewController::segmentedControlActionWithSender()
{
    if (const ListSegment* chosen = chosenSegment(*segment))
        setSearchPlaceholder(tr(chosen->placeholder));
    clearColumnSort();
    fetch();
}

void ListTableViewController::updateSearchResultsForSearchController()
{
    if (const ListSegment* chosen = chosenSegment(*segment))
        filterStamps(chosen->searched);
    showList();
}

void ListTableViewController::unwindToListWithSegue()
{
    fetch();
    selectChosenStamp();
}

void ListTableViewController::prepareForSegue(const StoryboardSegue& segue, QObject* sender)
{
    StampTableViewController::prepareForSegue(segue, sender);
    // The add form returns here too, so it is told the list opened it.
    if (segue.identifier == QLatin1String("showDetails") ||
        segue.identifier == QLatin1String("showAdd"))
        m_environment.shared.marker = QString::fromLatin1(OpeningScreens::StampList.marker);
    handOverChosenStamp(segue);
}
