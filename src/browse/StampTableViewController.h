#pragma once

#include "browse/StampRowModel.h"
#include "browse/StampSearch.h"
#include "platform/gui/SearchableTableViewController.h"
#include "store/Predicate.h"

#include <optional>

class ObjectContext;
class Stamps;
class StampRowDelegate;
struct Environment;

// What the stamp list and the group breakdowns share: the full and the filtered list of stamps
// (their records made only as they are shown), their rows, the search, opening a stamp in the edit
// form and deleting one.
class StampTableViewController : public SearchableTableViewController
{
    Q_OBJECT

public:
    ObjectContext& context;
    FetchedRows StampList;
    FetchedRows FilteredStampList;
    std::optional<bool> SortAsc;

    const FetchedRows& shownList() const;
    StampRowModel* rowModel() const { return m_model; }

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

    Environment& m_environment;

private:
    // An undone delete: the stamp, saved again, shows in its place in the list.
    void showRestored(Stamps* stamp);

    QString m_editSegue;
    StampSearch m_search;
    StampRowModel* m_model;
    StampRowDelegate* m_delegate;
    int m_selectedRow = -1;
    // The stamp opened in the edit form; null once another screen has been opened.
    Stamps* m_chosenStamp = nullptr;
};
