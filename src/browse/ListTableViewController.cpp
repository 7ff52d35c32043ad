#include "browse/ListTableViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/Preferences.h"
#include "app/SharedState.h"
#include "browse/StampColumns.h"
#include "browse/StampRowModel.h"
#include "browse/StampSearch.h"
#include "browse/StampSegments.h"
#include "platform/core/CurrencyText.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/SegmentedControl.h"
#include "platform/gui/SymbolIcons.h"
#include "stamps/AddViewController.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <utility>

namespace {

// The chosen segment; nullptr while none is.
const StampSegments::Segment* chosenSegment(const SegmentedControl& control)
{
    return StampSegments::at(control.selectedSegmentIndex());
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
    segment = new SegmentedControl(StampSegments::titles(), layout->parentWidget());
    segment->setObjectName(QStringLiteral("segment"));
    segment->setTintColor(QColor::fromRgbF(0.0f, 0.15f, 0.65f, 1.0f));
    segment->setSelectedSegmentIndex(0);
    connect(segment, &SegmentedControl::valueChanged, this,
            &ListTableViewController::segmentedControlActionWithSender);
    layout->addWidget(segment);
}

void ListTableViewController::viewDidLoad()
{
    setSearchPlaceholder(StampSegments::placeholder(*StampSegments::at(0)));
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
    StampSearch::Attribute searched = StampSegments::at(0)->searched;
    if (const StampSegments::Segment* chosen = chosenSegment(*segment))
        searched = chosen->searched;
    StampList = fetchStamps({}, fetchOrder(), searched);
    m_fetchedAtChange = context.changeCount();
    // A fetch drops any earlier filtering until the search text changes again.
    FilteredStampList = StampList;
    showList();
}

QList<SortDescriptor> ListTableViewController::listOrder(bool ascending) const
{
    const StampSegments::Segment* chosen = chosenSegment(*segment);
    return chosen ? StampSegments::order(*chosen, ascending,
                                         Preferences(m_environment.services.userDefaults))
                  : QList<SortDescriptor>();
}

void ListTableViewController::sortByColumn(int column, bool ascending)
{
    // A column that is a segment's first key is that segment's order.
    const int index = StampSegments::withFirstKey(StampColumns::sortKey(column));
    if (index >= 0 && index != segment->selectedSegmentIndex()) {
        SortAsc = ascending;
        segment->setSelectedSegmentIndex(index);
        return;
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
    if (const StampSegments::Segment* chosen = chosenSegment(*segment))
        setSearchPlaceholder(StampSegments::placeholder(*chosen));
    clearColumnSort();
    fetch();
}

void ListTableViewController::updateSearchResultsForSearchController()
{
    if (const StampSegments::Segment* chosen = chosenSegment(*segment))
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
    Stamps* duplicated = std::exchange(m_duplicated, nullptr);
    auto* form = qobject_cast<AddViewController*>(segue.destination);
    if (duplicated && form && segue.identifier == QLatin1String("showAdd")) {
        form->view();
        form->showValuesOf(*duplicated);
        form->NotesTextView->setPlainText(duplicated->notes().value_or(QString()));
    }
}

void ListTableViewController::duplicateRow(int row)
{
    m_duplicated = shownList().at<Stamps>(row);
    if (m_duplicated)
        performSegue(QStringLiteral("showAdd"), this);
    m_duplicated = nullptr;
}
