#include "browse/ListTableViewController.h"

#include "app/AppDelegate.h"
#include "app/CurrencyText.h"
#include "app/Environment.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "browse/StampRowDelegate.h"
#include "browse/StampRowModel.h"
#include "browse/StampSearch.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/Alert.h"
#include "platform/gui/SegmentedControl.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"
#include "stamps/EditViewController.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
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

ListTableViewController::ListTableViewController(Environment& environment, QObject* parent)
    : SearchableTableViewController(QStringLiteral("ListTableViewController"), parent),
      context(environment.appDelegate.viewContext()), m_environment(environment)
{
    setTitle(QStringLiteral("Stamps"));
    AddButton = SymbolIcons::makeAction(QStringLiteral("plus"), this);
    AddButton->setObjectName(QStringLiteral("AddButton"));
    addRightBarButtonItem(AddButton);

    m_model = new StampRowModel(
        environment.services.pictures,
        [this](const Stamps& stamp) {
            const auto text = [](const std::optional<QString>& value) {
                return value.value_or(QString());
            };
            // A quantity of 0 counts as one copy.
            const qint16 Qty = stamp.quantity() == 0 ? qint16(1) : stamp.quantity();
            const QString scottSpacing = searchTextIsEmpty() ? QStringLiteral("  Scott #:  ")
                                                             : QStringLiteral("  Scott #: ");
            return StampRowModel::RowTexts{
                text(stamp.denomination()),
                QStringLiteral("Year: ") + QString::number(stamp.yearOfIssue()) +
                    QStringLiteral("  Country: ") + text(stamp.country()),
                QStringLiteral("Qty: ") + QString::number(Qty) + scottSpacing +
                    text(stamp.scottNumber()),
                QStringLiteral("Value: ") + currencyText(double(stamp.value())) +
                    QStringLiteral("  Total Value: ") +
                    currencyText(double(Qty) * double(stamp.value()))};
        },
        this);
    m_delegate = new StampRowDelegate(this);
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

QAbstractItemModel* ListTableViewController::tableModel()
{
    return m_model;
}

QAbstractItemDelegate* ListTableViewController::rowDelegate()
{
    return m_delegate;
}

void ListTableViewController::viewDidLoad()
{
    setSearchPlaceholder(Placeholders.first());
    SortAsc = true;
    DarkMode = Styling::isDarkStyle(view());
    showList();
    // The first fetch runs once loading has finished.
    m_environment.services.mainQueue.async([self = QPointer<ListTableViewController>(this)] {
        if (self)
            self->fetch();
    });
}

const QList<Stamps*>& ListTableViewController::shownList() const
{
    return searchTextIsEmpty() ? StampList : FilteredStampList;
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
    m_model->setStamps(shownList());
    updateHeader();
}

void ListTableViewController::updateHeader()
{
    HeaderLabel->setText(
        QStringLiteral("# Stamps = %1 of %2").arg(shownList().size()).arg(StampList.size()));
}

void ListTableViewController::SortButtonTapped()
{
    SortAsc = !SortAsc.value_or(true);
    fetch();
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
    const QString text = searchBar->text();
    if (text.isEmpty()) {
        FilteredStampList = StampList;
    } else {
        bool (*matches)(const Stamps&, const QString&) = nullptr;
        switch (segment->selectedSegmentIndex()) {
        case 0:
            matches = StampSearch::denominationContains;
            break;
        case 1:
            matches = StampSearch::yearContains;
            break;
        case 2:
            matches = StampSearch::scottNumberContains;
            break;
        case 3:
            matches = StampSearch::valueContains;
            break;
        }
        if (matches) {
            FilteredStampList.clear();
            for (Stamps* stamp : std::as_const(StampList)) {
                if (matches(*stamp, text))
                    FilteredStampList.append(stamp);
            }
        }
    }
    showList();
}

void ListTableViewController::unwindToListWithSegue()
{
    fetch();
}

void ListTableViewController::didSelectRow(int row)
{
    Stamps* stamp = shownList().value(row, nullptr);
    if (!stamp)
        return;
    m_environment.shared.selectedStamp =
        SelectedStamp::from(*stamp, m_environment.services.pictures);
    m_selectedRow = row;
    performSegue(QStringLiteral("showDetails"), this);
}

void ListTableViewController::prepareForSegue(const StoryboardSegue& segue, QObject* sender)
{
    SearchableTableViewController::prepareForSegue(segue, sender);
    // The add form returns here too, so it is told the list opened it.
    if (segue.identifier == QLatin1String("showAdd"))
        m_environment.shared.marker = QStringLiteral("Master");
    if (segue.identifier != QLatin1String("showDetails"))
        return;
    m_environment.shared.marker = QStringLiteral("Master");
    if (auto* form = qobject_cast<EditViewController*>(segue.destination))
        form->setDetailItem(shownList().value(m_selectedRow, nullptr));
}

void ListTableViewController::deleteRowAt(int row)
{
    Stamps* stamp = shownList().value(row, nullptr);
    if (!stamp)
        return;
    // A refused delete is undone and the row stays.
    if (!Saving::deleteOrTell(m_environment, stamp))
        return;
    // Gone from both lists, so the header's counts agree with the store.
    StampList.removeOne(stamp);
    FilteredStampList.removeOne(stamp);
    m_model->removeStampAt(row);
    updateHeader();
}
