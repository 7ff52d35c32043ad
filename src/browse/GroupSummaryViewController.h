#pragma once

#include "browse/GroupValueModel.h"
#include "platform/gui/SearchableTableViewController.h"

#include <QStringList>
#include <optional>

struct Environment;
class ObjectContext;
struct SelectedStamp;

// The distinct values of one grouping key (year, Scott number, status, denomination, country)
// with the number of stamps of each and their value. One screen serves the five keys through a
// member description; choosing a value opens the group's breakdown.
class GroupSummaryViewController final : public SearchableTableViewController
{
    Q_OBJECT

public:
    // What one key's summary is; the examples are the year's.
    struct Member
    {
        const char* name;              // object name: "YearGroupTableViewController"
        const char* rowClass;          // the rows' name: "YearTableViewCell"
        const char* tabTitle;          // "Year"
        const char* keyAttribute;      // the stamps' attribute grouped by: "yearOfIssue"
        const char* keyLabel;          // the row's label of the key value: "YearLabel"
        const char* listName;          // the values' list: "YearList"
        const char* filteredListName;  // the searched values' list: "FilteredYearList"
        const char* searchPlaceholder; // "Search By Year"
        const char* countFormat;       // counts a value's stamps: "yearOfIssue = %@"
        // The header's word after the count: " Year's" and, for one value, " Year" (nullptr:
        // always the plural).
        const char* pluralWord;
        const char* singularWord;
        // Puts a chosen value in the selected stamp, where its breakdown reads it.
        void (*writeSelectedValue)(SelectedStamp&, const QString&);
    };
    static const Member YearGroupTableViewController;
    static const Member ScottNumberGroupTableViewController;
    static const Member StatusGroupTableViewController;
    static const Member DenominationGroupTableViewController;
    static const Member CountryGroupTableViewController;
    // In the order of their tabs.
    static const QList<const Member*>& members();

    GroupSummaryViewController(const Member& member, Environment& environment,
                               QObject* parent = nullptr);

    const Member& member() const { return m_member; }
    ObjectContext& context;
    // The distinct key values in display order, and those matching the search.
    QStringList KeyList;
    QStringList FilteredKeyList;
    std::optional<bool> SortAsc;

    const QStringList& shownList() const;
    // The values in the order of the key, as the collector chose it, turned when descending.
    void sortKeyValues(QStringList& values, bool ascending) const;
    // The number of stamps (records) carrying the value and the value of their copies, added up
    // by the store in one query when the row first shows.
    GroupValueModel::Totals groupTotals(const QString& keyValue) const;
    QString headerText() const;

    void viewDidLoad() override;
    // Back from a breakdown or an edit, the counts are read again.
    void viewWillAppear(bool animated) override;

public Q_SLOTS:
    void collectKeyValues();
    void SortButtonTapped() override;
    void updateSearchResultsForSearchController() override;
    void UnwindSegue();

protected:
    QAbstractItemModel* tableModel() override;
    QAbstractItemDelegate* rowDelegate() override;
    void didSelectRow(int row) override;

private:
    Environment& m_environment;
    void showList();

    const Member& m_member;
    GroupValueModel* m_model;
    QAbstractItemDelegate* m_delegate;
    // A failed count has been told: one alert for the list, not one per row.
    mutable bool m_countFailureTold = false;
};
