#pragma once

#include "app/OpeningScreens.h"
#include "browse/StampTableViewController.h"

#include <QList>
#include <QUrl>
#include <memory>
#include <optional>

struct Environment;
class ObjectContext;
class QAction;
class QTextDocument;
class Stamps;
class StampRowDelegate;
struct StampGroup;

// The stamps of one group: one year, country, denomination, Scott number or status, chosen on
// the group's summary. One screen serves the five groups through a member description.
class GroupBreakdownViewController final : public StampTableViewController
{
    Q_OBJECT

public:
    // What one group's breakdown is; the examples are the year's.
    struct Member
    {
        const char* name;     // object name: "YearBreakdownTableViewController"
        const char* rowClass; // the rows' name: "YearBreakdownTableViewCell"
        // The key: which stamps are fetched (the value chosen on the summary) and their order.
        const StampGroup& group;
        const char* searchPlaceholder; // "Search By Denomination"
        // The search matches the denomination, or else the year of issue.
        bool searchesDenomination;
        // The first three labels of a row; the fourth, the value line, is common to all.
        StampRowModel::RowTexts (*rowTexts)(const Stamps&, bool filteredListShown);
        // The marker it leaves for every segue it starts, and the unwind it registers, by which
        // the edit form comes back.
        const OpeningScreen& openingScreen;
        const char* unwindAction; // the unwind action's name: "unwindToYearTableViewWithSegue"
        // Fetches again whenever it appears, not only when first shown.
        bool fetchesOnAppearing;
    };
    static const Member YearBreakdownTableViewController;
    static const Member CountryBreakdownTableViewController;
    static const Member DenominationBreakdownTableViewController;
    static const Member ScottNumberBreakdownTableViewController;
    static const Member StatusBreakdownTableViewController;

    GroupBreakdownViewController(const Member& member, Environment& environment,
                                 QObject* parent = nullptr);
    ~GroupBreakdownViewController() override;

    const Member& member() const { return m_member; }
    // The valuation (value x quantity) and the number of copies of the whole group.
    double value = 0;
    qint64 StampCount = 0;

    // The report of the shown stamps (ShareBrandButtonClicked), and print-all of the group.
    QAction* PrintButton = nullptr;
    QAction* PrintAllButton = nullptr;
    // The last report made, and the file it goes to: the documents folder + the report's name.
    std::unique_ptr<QTextDocument> StampString;
    QUrl outputFileURL;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(const StoryboardSegue& segue, QObject* sender) override;

public Q_SLOTS:
    void fetch() override;
    void SortButtonTapped() override;
    void updateSearchResultsForSearchController() override;
    // Writes the report of the shown stamps as a PDF file and offers it in the share sheet.
    void ShareBrandButtonClicked();
    // The member's unwind action: shows the rows again without fetching.
    void unwindToTableViewWithSegue();

protected:
    void showList() override;
    void showTotals() override;
    QList<SortDescriptor> listOrder(bool ascending) const override;
    void sortByColumn(int column, bool ascending) override;

private:
    StampSearch::Attribute searchedAttribute() const;

    const Member& m_member;
};
