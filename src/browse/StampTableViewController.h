#pragma once

#include "browse/ColumnOrder.h"
#include "browse/StampRowModel.h"
#include "browse/StampSearch.h"
#include "browse/StampTable.h"
#include "platform/gui/SearchableTableViewController.h"
#include "store/Predicate.h"

#include <optional>

class ObjectContext;
class QSplitter;
class StampListViews;
class StampDetailPane;
class Stamps;
class StampRowDelegate;
struct Environment;

// What the stamp list and the group breakdowns share: the full and the filtered list of stamps
// (their records made only as they are shown), their rows as cards or as a table of columns, the
// search, the order by the list's own keys or by a column, opening a stamp in the edit form,
// deleting and copying the chosen ones.
class StampTableViewController : public SearchableTableViewController
{
    Q_OBJECT

public:
    ObjectContext& context;
    FetchedRows StampList;
    FetchedRows FilteredStampList;
    std::optional<bool> SortAsc;

    // The rows as a table; the card list is `tableView`. One of the two shows.
    StampTable* columnsTable = nullptr;
    // Beside the table on a wide window: the edit form of the current row.
    StampDetailPane* detailPane = nullptr;
    // From this window width on the table has the pane beside it.
    static constexpr int PaneWindowWidth = 1200;

    const FetchedRows& shownList() const;
    StampRowModel* rowModel() const { return m_model; }
    bool showsTable() const;
    bool showsPane() const;
    // Shows the table or the cards as the collector chose and the width allows.
    void applyListLayout();
    void preferencesChanged() override { applyListLayout(); }
    // The chosen rows, top to bottom: the selected ones, else the current one.
    QList<int> chosenRows() const;
    // The chosen stamps as tab-separated text on the clipboard, the columns as the table shows
    // them.
    void copyChosenRows();

public Q_SLOTS:
    virtual void fetch() = 0;

protected:
    // editSegue: the segue that opens a chosen stamp in the edit form.
    StampTableViewController(const QString& name, const QString& editSegue,
                             StampRowModel::Formatter formatter, Environment& environment,
                             QObject* parent);

    // Shows the shown list with its header (and footer).
    virtual void showList() = 0;
    // The header (and footer) alone, the rows being as they are.
    virtual void showTotals() = 0;
    // The stamps of `predicate` in `sort` order, carrying the searched attribute's value (the
    // search's column) and then `alsoCarried`; nothing after telling the collector why.
    FetchedRows fetchStamps(const Predicate& predicate, const QList<SortDescriptor>& sort,
                            StampSearch::Attribute searched, const QStringList& alsoCarried = {});
    // The list's own order, most significant key first, every key `ascending` or not; what a
    // header click on another column keeps for ties.
    virtual QList<SortDescriptor> listOrder(bool ascending) const = 0;
    // The order to fetch: the column chosen in the header first, then the list's own order.
    QList<SortDescriptor> fetchOrder() const;
    // A header click: that column first, in that direction.
    virtual void sortByColumn(int column, bool ascending);
    // Back to the list's own order (a segment chosen).
    void clearColumnSort() { m_order.clearColumn(); }
    // The header shows the order fetched.
    void showSortIndicator();
    // Whether Duplicate as New is offered, and what it does.
    virtual bool canDuplicate() const { return false; }
    virtual void duplicateRow(int row) { Q_UNUSED(row) }
    // The carried values' columns: the searched attribute first.
    static constexpr int SearchColumn = 0;
    // The filtered list: the full list's stamps whose `searched` attribute contains the search
    // text, in its order. The full list was fetched for that attribute.
    void filterStamps(StampSearch::Attribute searched);
    // Hands the chosen stamp to the edit form the segue opens.
    void handOverChosenStamp(const StoryboardSegue& segue);
    // Back from the edit form: the stamp it edited is the selected row, scrolled into view.
    void selectChosenStamp();

    QAbstractItemModel* tableModel() override;
    QAbstractItemDelegate* rowDelegate() override;
    void didSelectRow(int row) override;
    bool canEditRows() const override { return true; }
    void deleteRowAt(int row) override;
    void deleteChosenRows() override;
    void buildView(QWidget* view) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    Environment& m_environment;

private:
    // An undone delete: the stamps, saved again, show in their places in the list, selected.
    void showRestored(const QList<ManagedObject*>& stamps);
    void deleteRowsAt(const QList<int>& rows);
    void showRowMenu(const QPoint& point);
    void buildPane();
    // The current row moved: the pane follows, once its changes are settled.
    void currentRowChanged(const QModelIndex& current);
    void selectWithoutPane(int row);

    QString m_editSegue;
    StampSearch m_search;
    StampRowModel* m_model;
    StampRowDelegate* m_delegate;
    int m_selectedRow = -1;
    // The stamp opened in the edit form; null once another screen has been opened.
    Stamps* m_chosenStamp = nullptr;
    // The column the header sorts by ahead of the list's own keys.
    ColumnOrder m_order;
    StampListViews* m_views = nullptr;
    QSplitter* m_split = nullptr;
    QWidget* m_listView = nullptr;
    // While the current row is moved back to the stamp the pane shows.
    bool m_holdingRow = false;
};
