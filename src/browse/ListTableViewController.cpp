#include "browse/ListTableViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/SharedState.h"
#include "browse/StampRowModel.h"
#include "browse/StampSearch.h"
#include "platform/core/CurrencyText.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/SegmentedControl.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace {

const QStringList Placeholders = {
    QStringLiteral("Search by Denomination"), QStringLiteral("Search by Year"),
    QStringLiteral("Search by Scott #"), QStringLiteral("Search by Value")};

// The four sort keys of each segment, most significant first.
const QList<QStringList> SortKeys = {
    {QStringLiteral("denomination"), QStringLiteral("yearOfIssue"), QStringLiteral("value"),
     QStringLiteral("scottNumber")},
    {QStringLiteral("yearOfIssue"), QStringLiteral("denomination"), QStringLiteral("scottNumber"),
     QStringLiteral("value")},
    {QStringLiteral("scottNumber"), QStringLiteral("denomination"), QStringLiteral("yearOfIssue"),
     QStringLiteral("value")},
    {QStringLiteral("value"), QStringLiteral("denomination"), QStringLiteral("yearOfIssue"),
     QStringLiteral("scottNumber")},
};

} // namespace

namespace {

StampRowModel::RowTexts rowTexts(const Stamps& stamp, bool filteredListShown)
{
    const auto text = [](const std::optional<QString>& value) { return value.value_or(QString()); };
    // A quantity of 0 counts as one copy.
    const qint16 Qty = stamp.quantity() == 0 ? qint16(1) : stamp.quantity();
    const QString scottSpacing =
        filteredListShown ? QStringLiteral("  Scott #: ") : QStringLiteral("  Scott #:  ");
    return {
        text(stamp.denomination()),
        QStringLiteral("Year: ") + QString::number(stamp.yearOfIssue()) +
            QStringLiteral("  Country: ") + text(stamp.country()),
        QStringLiteral("Qty: ") + QString::number(Qty) + scottSpacing + text(stamp.scottNumber()),
        QStringLiteral("Value: ") + currencyText(double(stamp.value())) +
            QStringLiteral("  Total Value: ") + currencyText(double(Qty) * double(stamp.value()))};
}

} // namespace

ListTableViewController::ListTableViewController(Environment& environment, QObject* parent)
    : StampTableViewController(
          QStringLiteral("ListTableViewController"), QStringLiteral("showDetails"),
          [this](const Stamps& stamp) { return rowTexts(stamp, !searchTextIsEmpty()); },
          environment, parent)
{
    setTitle(QStringLiteral("Stamps"));
    AddButton = SymbolIcons::makeAction(QStringLiteral("plus"), this);
    AddButton->setObjectName(QStringLiteral("AddButton"));
    addRightBarButtonItem(AddButton);
    addKeyboardShortcut(AddButton, QKeySequence(Qt::CTRL | Qt::Key_N));
    registerUnwindTarget(QStringLiteral("unwindToList"),
                         [this](const StoryboardSegue&) { unwindToListWithSegue(); });
}

void ListTableViewController::addControlsAboveSearch(QVBoxLayout* layout)
{
    segment = new SegmentedControl({QStringLiteral("Name"), QStringLiteral("Year"),
                                    QStringLiteral("Scott #"), QStringLiteral("Value")},
                                   layout->parentWidget());
    segment->setObjectName(QStringLiteral("segment"));
    segment->setTintColor(QColor::fromRgbF(0.0f, 0.15f, 0.65f, 1.0f));
    segment->setSelectedSegmentIndex(0);
    connect(segment, &SegmentedControl::valueChanged, this,
            &ListTableViewController::segmentedControlActionWithSender);
    layout->addWidget(segment);
}

void ListTableViewController::viewDidLoad()
{
    setSearchPlaceholder(Placeholders.first());
    SortAsc = true;
    DarkMode = Styling::isDarkStyle(view());
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
    StampList.clear();
    FilteredStampList.clear();
    QList<SortDescriptor> sort;
    const int index = segment->selectedSegmentIndex();
    if (index >= 0 && index < SortKeys.size()) {
        for (const QString& key : SortKeys.at(index))
            sort.append({key, SortAsc.value_or(true)});
    }
    StampList = context.fetch<Stamps>({}, sort);
    // A fetch drops any earlier filtering until the search text changes again.
    FilteredStampList = StampList;
    showList();
}

void ListTableViewController::showList()
{
    rowModel()->setStamps(shownList());
    showTotals();
}

void ListTableViewController::showTotals()
{
    HeaderLabel->setText(
        QStringLiteral("# Stamps = %1 of %2").arg(shownList().size()).arg(StampList.size()));
}

void ListTableViewController::SortButtonTapped()
{
    SortAsc = !SortAsc.value_or(true);
    fetch();
    tableView->scrollToTop();
}

void ListTableViewController::segmentedControlActionWithSender()
{
    const int index = segment->selectedSegmentIndex();
    if (index >= 0 && index < Placeholders.size())
        setSearchPlaceholder(Placeholders.at(index));
    fetch();
}

void ListTableViewController::updateSearchResultsForSearchController()
{
    constexpr bool (*searches[])(const Stamps&, const QString&) = {
        StampSearch::denominationContains, StampSearch::yearContains,
        StampSearch::scottNumberContains, StampSearch::valueContains};
    const int index = segment->selectedSegmentIndex();
    if (index >= 0 && index < int(std::size(searches)))
        filterStamps(searches[index]);
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
        m_environment.shared.marker = QStringLiteral("Master");
    handOverChosenStamp(segue);
}
