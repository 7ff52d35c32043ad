#include "reference/ReferenceListTableViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Reading.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/Alert.h"
#include "platform/gui/SymbolIcons.h"
#include "platform/gui/TextRowDelegate.h"
#include "reference/EditReferenceEntryViewController.h"
#include "reference/ReferenceEntryModel.h"
#include "reference/ReferenceLists.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListView>
#include <QPointer>

ReferenceListTableViewController::ReferenceListTableViewController(
    const ReferenceListMember& member, Environment& environment, QObject* parent)
    : SearchableTableViewController(QString::fromLatin1(member.browserName), parent),
      context(environment.appDelegate.viewContext()), m_member(member), m_environment(environment),
      m_model(new ReferenceEntryModel(this)),
      m_delegate(new TextRowDelegate(ReferenceEntryModel::RowHeight, -1, this))
{
    setTitle(QCoreApplication::translate("ReferenceLists", member.browserTitle));
    AddButton = SymbolIcons::makeAction(QStringLiteral("plus"), this);
    AddButton->setObjectName(QStringLiteral("AddButton"));
    addRightBarButtonItem(AddButton);
    registerUnwindTarget(QString::fromLatin1(member.unwind),
                         [this](const StoryboardSegue&) { unwindToTableViewWithSegue(); });
}

QAbstractItemModel* ReferenceListTableViewController::tableModel()
{
    return m_model;
}

QAbstractItemModel* ReferenceListTableViewController::model() const
{
    return m_model;
}

QAbstractItemDelegate* ReferenceListTableViewController::rowDelegate()
{
    return m_delegate;
}

void ReferenceListTableViewController::viewDidLoad()
{
    setSearchPlaceholder(QCoreApplication::translate("ReferenceLists", m_member.searchPlaceholder));
    SortAsc = true;
    // The first fetch runs once loading has finished.
    m_environment.services.mainQueue.async(this, [this] { fetch(); });
}

const QList<ManagedObject*>& ReferenceListTableViewController::shownList() const
{
    return searchTextIsEmpty() ? FullList : FilteredList;
}

void ReferenceListTableViewController::fetch()
{
    QList<SortDescriptor> sort;
    if (m_member.sorted)
        sort.append({QString::fromLatin1(m_member.attribute), SortAsc.value_or(true)});
    FullList = Reading::orTell(
        m_environment, context.fetch({QString::fromLatin1(m_member.list->entityName), {}, sort}));
    // A fetch drops earlier filtering until the search text changes again.
    FilteredList = FullList;
    showList();
}

void ReferenceListTableViewController::showList()
{
    m_model->setEntries(shownList());
}

void ReferenceListTableViewController::SortButtonTapped()
{
    SortAsc = !SortAsc.value_or(true);
    fetch();
    tableView->scrollToTop();
}

void ReferenceListTableViewController::updateSearchResultsForSearchController()
{
    const QString text = searchBar->text();
    if (text.isEmpty()) {
        FilteredList = FullList;
    } else {
        FilteredList.clear();
        for (ManagedObject* entry : std::as_const(FullList)) {
            const QVariant value = entry->value(0);
            if (value.isValid() && value.toString().toLower().contains(text.toLower()))
                FilteredList.append(entry);
        }
    }
    showList();
}

void ReferenceListTableViewController::unwindToTableViewWithSegue()
{
    fetch();
}

void ReferenceListTableViewController::didSelectRow(int row)
{
    ManagedObject* entry = shownList().value(row, nullptr);
    if (!entry)
        return;
    m_environment.shared.setSelectedReferenceValue(QString::fromLatin1(m_member.list->entityName),
                                                   entry->value(0).toString());
    m_selectedRow = row;
    performSegue(QString::fromLatin1(m_member.editSegue), this);
}

void ReferenceListTableViewController::prepareForSegue(const StoryboardSegue& segue,
                                                       QObject* sender)
{
    SearchableTableViewController::prepareForSegue(segue, sender);
    if (segue.identifier != QLatin1String(m_member.editSegue))
        return;
    m_environment.shared.marker = QString::fromLatin1(m_member.marker);
    ManagedObject* entry = shownList().value(m_selectedRow, nullptr);
    if (auto* edit = qobject_cast<EditReferenceEntryViewController*>(segue.destination);
        edit && entry)
        edit->setDetailItem(entry);
}

void ReferenceListTableViewController::deleteRowAt(int row)
{
    ManagedObject* entry = shownList().value(row, nullptr);
    if (!entry)
        return;
    const QString text = entry->value(0).toString();
    const QString description =
        text.isEmpty() ? tr("Deleted an entry without text") : tr("Deleted %1").arg(text);
    // A refused delete is undone and the row stays.
    if (!Saving::deleteOfferingUndo(m_environment, entry, description, view(),
                                    [this](ManagedObject* again) { showRestored(again); }))
        return;
    // Gone from both lists, so clearing the search does not bring it back.
    FullList.removeOne(entry);
    FilteredList.removeOne(entry);
    // Only that row goes: the rows above it stay where they are on screen.
    if (m_model->entries().value(row) == entry)
        m_model->removeEntryAt(row);
    else
        showList();
}

void ReferenceListTableViewController::showRestored(ManagedObject* entry)
{
    fetch();
    // The search shown is applied again, so the entry shows only if it matches.
    if (!searchTextIsEmpty())
        updateSearchResultsForSearchController();
    selectRow(int(shownList().indexOf(entry)));
}
