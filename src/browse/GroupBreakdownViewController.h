#pragma once

#include "browse/StampTableViewController.h"

#include <QList>
#include <optional>

struct Environment;
class ObjectContext;
class Stamps;
class StampRowDelegate;
struct SelectedStamp;

// The stamps of one group: one year, country, denomination, Scott number or status, chosen on
// the group's summary. One screen serves the five groups through a member description.
class GroupBreakdownViewController final : public StampTableViewController
{
    Q_OBJECT

public:
    struct Member
    {
        const char* name;            // "YearBreakdownTableViewController"
        const char* rowClass;        // "YearBreakdownTableViewCell"
        const char* predicateFormat; // "yearOfIssue == %@"
        QString (*groupValue)(const SelectedStamp&);
        const char* sortKey;
        const char* secondSortKey;
        const char* searchPlaceholder;
        // The search matches the denomination, or else the year of issue.
        bool searchesDenomination;
        // The first three labels of a row; the fourth, the value line, is common to all.
        StampRowModel::RowTexts (*rowTexts)(const Stamps&, bool filteredListShown);
        const char* marker;       // the opening-screen marker for every segue it starts
        const char* unwindAction; // "unwindToYearTableViewWithSegue"
        const char* unwind;       // "unwindToYearTableView"
        bool fetchesOnAppearing;
    };
    static const Member YearBreakdownTableViewController;
    static const Member CountryBreakdownTableViewController;
    static const Member DenominationBreakdownTableViewController;
    static const Member ScottNumberBreakdownTableViewController;
    static const Member StatusBreakdownTableViewController;

    GroupBreakdownViewController(const Member& member, Environment& environment,
                                 QObject* parent = nullptr);

    const Member& member() const { return m_member; }
    // The valuation (value x quantity) and the number of copies of the whole group.
    double value = 0;
    qint64 StampCount = 0;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(const StoryboardSegue& segue, QObject* sender) override;

public Q_SLOTS:
    void fetch();
    void SortButtonTapped() override;
    void updateSearchResultsForSearchController() override;
    // The member's unwind action: shows the rows again without fetching.
    void unwindToTableViewWithSegue();

protected:
    void showList() override;

private:
    const Member& m_member;
};
