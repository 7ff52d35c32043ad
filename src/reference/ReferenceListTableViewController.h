#pragma once

#include "platform/gui/SearchableTableViewController.h"

#include <QList>
#include <optional>

class ManagedObject;
class ObjectContext;
class ReferenceEntryModel;
struct Environment;
struct ReferenceListMember;

// The browser of one reference list: its entries, searched, sorted, deleted, opened for editing
// and added to. One screen serves the eleven lists through their member description.
class ReferenceListTableViewController final : public SearchableTableViewController
{
    Q_OBJECT

public:
    ReferenceListTableViewController(const ReferenceListMember& member, Environment& environment,
                                     QObject* parent = nullptr);

    const ReferenceListMember& member() const { return m_member; }
    QAction* AddButton = nullptr;
    ObjectContext& context;
    // Every entry of the last fetch, and those matching the search (ListOfPerforations and
    // FilteredListOfPerforations for the perforations, and so on).
    QList<ManagedObject*> FullList;
    QList<ManagedObject*> FilteredList;
    std::optional<bool> SortAsc;

    const QList<ManagedObject*>& shownList() const;
    QAbstractItemModel* model() const;

    void viewDidLoad() override;
    void prepareForSegue(const StoryboardSegue& segue, QObject* sender) override;

public Q_SLOTS:
    void fetch();
    void SortButtonTapped() override;
    void updateSearchResultsForSearchController() override;
    // The list's unwind action: the add and edit screens return here.
    void unwindToTableViewWithSegue();

protected:
    QAbstractItemModel* tableModel() override;
    QAbstractItemDelegate* rowDelegate() override;
    void didSelectRow(int row) override;
    bool canEditRows() const override { return true; }
    void deleteRowAt(int row) override;

private:
    void showList();
    // An undone delete: the entry, saved again, shows in its place in the list.
    void showRestored(ManagedObject* entry);

    const ReferenceListMember& m_member;
    Environment& m_environment;
    ReferenceEntryModel* m_model;
    QAbstractItemDelegate* m_delegate;
    int m_selectedRow = -1;
};
