#pragma once

#include "platform/gui/ViewController.h"

#include <QPersistentModelIndex>
#include <QPointer>

class QAbstractItemDelegate;
class QAbstractItemModel;
class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QVBoxLayout;

// What the browsing screens share: a search field above a table with a header and a footer, a
// sort button, and rows that are chosen with a click (or Return) and, where a screen allows it,
// deleted with the row's "delete" action or the Delete key.
class SearchableTableViewController : public ViewController
{
    Q_OBJECT

public:
    // The search bar over the table; its text decides which list the table shows.
    QLineEdit* searchBar = nullptr;
    QListView* tableView = nullptr;
    QLabel* HeaderLabel = nullptr;
    QLabel* FooterLabel = nullptr;
    QAction* SortButton = nullptr;

    // The full list shows while the search text is empty; any other text shows the filtered one.
    bool searchTextIsEmpty() const;

public Q_SLOTS:
    virtual void SortButtonTapped() = 0;
    virtual void updateSearchResultsForSearchController() = 0;
    // The row's "delete" action.
    void deleteRow(int row);

protected:
    explicit SearchableTableViewController(const QString& name, QObject* parent = nullptr);

    void buildView(QWidget* view) override;
    // Room above the search bar (the stamp list's segments).
    virtual void addControlsAboveSearch(QVBoxLayout* layout) { Q_UNUSED(layout) }
    virtual QAbstractItemModel* tableModel() = 0;
    virtual QAbstractItemDelegate* rowDelegate() = 0;
    virtual void didSelectRow(int row) = 0;
    virtual bool canEditRows() const { return false; }
    virtual void deleteRowAt(int row) { Q_UNUSED(row) }
    // The Delete key: the current row; a screen that selects several deletes them all.
    virtual void deleteChosenRows();
    bool eventFilter(QObject* watched, QEvent* event) override;

    void setSearchPlaceholder(const QString& placeholder);
    // Makes the row the current, selected one and scrolls it into view, also when the screen
    // is still hidden and its table gets its size later.
    void selectRow(int row);

private:
    QPersistentModelIndex m_keptInView;
    QPointer<QWidget> m_viewport;
};
