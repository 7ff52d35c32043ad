#include "browse/StampTableViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Reading.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "browse/StampRowDelegate.h"
#include "stamps/EditViewController.h"
#include "stamps/StampName.h"
#include "store/ObjectContext.h"

#include <QLineEdit>

StampTableViewController::StampTableViewController(const QString& name, const QString& editSegue,
                                                   StampRowModel::Formatter formatter,
                                                   Environment& environment, QObject* parent)
    : SearchableTableViewController(name, parent), context(environment.appDelegate.viewContext()),
      m_environment(environment), m_editSegue(editSegue),
      m_model(new StampRowModel(environment.services.pictures, std::move(formatter),
                                StampRowModel::ListShape, this)),
      m_delegate(new StampRowDelegate(this))
{}

const FetchedRows& StampTableViewController::shownList() const
{
    return searchTextIsEmpty() ? StampList : FilteredStampList;
}

QAbstractItemModel* StampTableViewController::tableModel()
{
    return m_model;
}

QAbstractItemDelegate* StampTableViewController::rowDelegate()
{
    return m_delegate;
}

FetchedRows StampTableViewController::fetchStamps(const Predicate& predicate,
                                                  const QList<SortDescriptor>& sort,
                                                  StampSearch::Attribute searched,
                                                  const QStringList& alsoCarried)
{
    const FetchRequest request{QString::fromLatin1(Stamps::EntityName), predicate, sort};
    return Reading::orTell(
        m_environment,
        context.fetchRows(request, QStringList{StampSearch::key(searched)} + alsoCarried));
}

void StampTableViewController::filterStamps(StampSearch::Attribute searched)
{
    const QString text = searchBar->text();
    FilteredStampList =
        text.isEmpty() ? StampList : m_search.matching(StampList, SearchColumn, searched, text);
}

void StampTableViewController::didSelectRow(int row)
{
    Stamps* stamp = shownList().at<Stamps>(row);
    if (!stamp)
        return;
    m_environment.shared.selectedStamp =
        SelectedStamp::from(*stamp, m_environment.services.pictures);
    m_selectedRow = row;
    performSegue(m_editSegue, this);
}

void StampTableViewController::handOverChosenStamp(const StoryboardSegue& segue)
{
    m_chosenStamp = nullptr;
    if (segue.identifier != m_editSegue)
        return;
    if (auto* form = qobject_cast<EditViewController*>(segue.destination)) {
        if (Stamps* stamp = shownList().at<Stamps>(m_selectedRow)) {
            form->setDetailItem(stamp);
            m_chosenStamp = stamp;
        }
    }
}

void StampTableViewController::selectChosenStamp()
{
    if (m_chosenStamp)
        selectRow(int(shownList().indexOf(m_chosenStamp)));
}

void StampTableViewController::deleteRowAt(int row)
{
    Stamps* stamp = shownList().at<Stamps>(row);
    if (!stamp)
        return;
    // "Deleted 5c Canada 1962": what the collector knows the stamp by.
    const QString name = StampName::of(*stamp);
    const QString description = name.isEmpty() ? tr("Deleted a stamp") : tr("Deleted %1").arg(name);
    // A refused delete is undone and the row stays.
    if (!Saving::deleteOfferingUndo(
            m_environment, stamp, description, view(),
            [this](ManagedObject* again) { showRestored(static_cast<Stamps*>(again)); }))
        return;
    // Gone from both lists, so counts and totals agree with the store.
    StampList.removeOne(stamp);
    FilteredStampList.removeOne(stamp);
    if (m_chosenStamp == stamp)
        m_chosenStamp = nullptr;
    // Only that row goes: the rows above it stay where they are on screen.
    if (m_model->stampAt(row) == stamp) {
        m_model->removeStampAt(row);
        showTotals();
    } else {
        showList();
    }
}

void StampTableViewController::showRestored(Stamps* stamp)
{
    fetch();
    // The search shown is applied again, so the stamp shows only if it matches.
    if (!searchTextIsEmpty())
        updateSearchResultsForSearchController();
    selectRow(int(shownList().indexOf(stamp)));
}
