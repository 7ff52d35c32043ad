#include "browse/GroupBreakdownViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/SharedState.h"
#include "browse/StampSearch.h"
#include "platform/core/CurrencyText.h"
#include "platform/gui/Styling.h"
#include "store/ObjectContext.h"

#include <QLabel>
#include <QLineEdit>

namespace {

QString text(const std::optional<QString>& value)
{
    return value.value_or(QString());
}

QString year(const Stamps& stamp)
{
    return QString::number(stamp.yearOfIssue());
}

QString quantity(const Stamps& stamp)
{
    return QString::number(stamp.quantity());
}

// Each group has always spaced its labels in its own way; the rows keep those texts.
StampRowModel::RowTexts yearOrCountryRow(const Stamps& stamp, bool)
{
    return {text(stamp.denomination()),
            QStringLiteral("Year: ") + year(stamp) + QStringLiteral("  Country: ") +
                text(stamp.country()),
            QStringLiteral("Qty: ") + quantity(stamp) + QStringLiteral("  Scott #: ") +
                text(stamp.scottNumber()),
            {}};
}

StampRowModel::RowTexts denominationRow(const Stamps& stamp, bool)
{
    return {text(stamp.denomination()),
            QStringLiteral("Year: ") + year(stamp) + QStringLiteral("  Country:  ") +
                text(stamp.country()),
            QStringLiteral("Qty: ") + quantity(stamp) + QStringLiteral("  Scott #:  ") +
                text(stamp.scottNumber()),
            {}};
}

StampRowModel::RowTexts scottNumberRow(const Stamps& stamp, bool filteredListShown)
{
    return {filteredListShown ? text(stamp.scottNumber())
                              : QStringLiteral("Scott #: ") + text(stamp.scottNumber()),
            QStringLiteral("Year: ") + year(stamp) + QStringLiteral("  Country:  ") +
                text(stamp.country()),
            QStringLiteral("Qty: ") + quantity(stamp) + QStringLiteral("  Denomination:  ") +
                text(stamp.denomination()),
            {}};
}

StampRowModel::RowTexts statusRow(const Stamps& stamp, bool)
{
    return {text(stamp.denomination()),
            QStringLiteral("Year: ") + year(stamp) + QStringLiteral("  Country: ") +
                text(stamp.country()),
            QStringLiteral("Qty: ") + quantity(stamp) + QStringLiteral("  Scott #: ") +
                text(stamp.scottNumber()) + QStringLiteral("  Status: ") + text(stamp.status()),
            {}};
}

// Value x quantity of one stamp, formed in single precision as the stored numbers are.
float valuation(const Stamps& stamp)
{
    return float(stamp.quantity()) * stamp.value();
}

} // namespace

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::YearBreakdownTableViewController = {
        "YearBreakdownTableViewController",
        "YearBreakdownTableViewCell",
        "yearOfIssue == %@",
        [](const SelectedStamp& selected) { return QString::number(selected.yearOfIssue); },
        "yearOfIssue",
        "denomination",
        "Search By Denomination",
        true,
        yearOrCountryRow,
        "YearBreakdown",
        "unwindToYearTableViewWithSegue",
        "unwindToYearTableView",
        true};

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::CountryBreakdownTableViewController = {
        "CountryBreakdownTableViewController",
        "CountryBreakdownTableViewCell",
        "country == %@",
        [](const SelectedStamp& selected) { return selected.country; },
        "country",
        "denomination",
        "Search By Year",
        true,
        yearOrCountryRow,
        "CountryBreakdown",
        "unwindToCountryTableViewWithSegue",
        "unwindToCountryTableView",
        true};

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::DenominationBreakdownTableViewController = {
        "DenominationBreakdownTableViewController",
        "DenominationBreakdownTableViewCell",
        "denomination == %@",
        [](const SelectedStamp& selected) { return selected.denomination; },
        "denomination",
        "yearOfIssue",
        "Search By Denomination",
        false,
        denominationRow,
        "DenominationBreakdown",
        "unwindToDenominationTableViewWithSegue",
        "unwindToDenominationTableView",
        false};

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::ScottNumberBreakdownTableViewController = {
        "ScottNumberBreakdownTableViewController",
        "ScottNumberBreakdownTableViewCell",
        "scottNumber == %@",
        [](const SelectedStamp& selected) { return selected.scottNumber; },
        "scottNumber",
        "yearOfIssue",
        "Search By Scott # ",
        false,
        scottNumberRow,
        "ScottNumberBreakdown",
        "unwindToScottsNumberTableViewWithSegue",
        "unwindToScottsNumberTableView",
        false};

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::StatusBreakdownTableViewController = {
        "StatusBreakdownTableViewController",
        "StatusBreakdownTableViewCell",
        "status == %@",
        [](const SelectedStamp& selected) { return selected.status; },
        "status",
        "denomination",
        "Search By Denomination",
        true,
        statusRow,
        "StatusBreakdown",
        "unwindToStatusTableViewWithSegue",
        "unwindToStatusTableView",
        true};

GroupBreakdownViewController::GroupBreakdownViewController(const Member& member,
                                                           Environment& environment,
                                                           QObject* parent)
    : StampTableViewController(
          QString::fromLatin1(member.name), QStringLiteral("Grouped"),
          [this](const Stamps& stamp) {
              StampRowModel::RowTexts texts = m_member.rowTexts(stamp, !searchTextIsEmpty());
              texts[3] = QStringLiteral("Value: ") + currencyText(double(stamp.value())) +
                         QStringLiteral(" Total Value: ") +
                         currencyText(double(stamp.quantity()) * double(stamp.value()));
              return texts;
          },
          environment, parent),
      m_member(member)
{
    registerUnwindTarget(QString::fromLatin1(member.unwind),
                         [this](const StoryboardSegue&) { unwindToTableViewWithSegue(); });
}

void GroupBreakdownViewController::viewDidLoad()
{
    SortAsc = true;
    m_environment.shared.sortAscending = true;
    setSearchPlaceholder(QString::fromLatin1(m_member.searchPlaceholder));
    FooterLabel->show();
    DarkMode = Styling::isDarkStyle(view());
    fetch();
}

void GroupBreakdownViewController::viewWillAppear(bool animated)
{
    SearchableTableViewController::viewWillAppear(animated);
    if (m_member.fetchesOnAppearing)
        fetch();
}

void GroupBreakdownViewController::fetch()
{
    const Predicate predicate =
        Predicate::format(QString::fromLatin1(m_member.predicateFormat),
                          m_member.groupValue(m_environment.shared.selectedStamp));
    StampList = context.fetch<Stamps>(
        predicate, {{QString::fromLatin1(m_member.sortKey), SortAsc.value_or(true)},
                    {QString::fromLatin1(m_member.secondSortKey), SortAsc.value_or(true)}});
    // While a search is shown its rows stay until the search text changes.
    showList();
}

void GroupBreakdownViewController::showList()
{
    value = 0;
    StampCount = 0;
    for (const Stamps* stamp : std::as_const(StampList)) {
        value += double(valuation(*stamp));
        StampCount += stamp->quantity();
    }
    rowModel()->setStamps(shownList());
    double shownValue = value;
    qint64 shownCount = StampCount;
    if (!searchTextIsEmpty()) {
        shownValue = 0;
        for (const Stamps* stamp : std::as_const(FilteredStampList))
            shownValue += double(valuation(*stamp));
        shownCount = FilteredStampList.size();
    }
    HeaderLabel->setText(QStringLiteral("# of Stamps: ") + QString::number(shownCount));
    FooterLabel->setText(QStringLiteral("Valuation for displayed stamps: ") +
                         currencyText(shownValue));
}

void GroupBreakdownViewController::SortButtonTapped()
{
    SortAsc = !SortAsc.value_or(true);
    m_environment.shared.sortAscending = *SortAsc;
    fetch();
}

void GroupBreakdownViewController::updateSearchResultsForSearchController()
{
    filterStamps(m_member.searchesDenomination ? StampSearch::denominationContains
                                               : StampSearch::yearContains);
    showList();
}

void GroupBreakdownViewController::unwindToTableViewWithSegue()
{
    rowModel()->reload();
}

void GroupBreakdownViewController::prepareForSegue(const StoryboardSegue& segue, QObject* sender)
{
    StampTableViewController::prepareForSegue(segue, sender);
    // Every segue from here names the breakdown, the print screen's too.
    m_environment.shared.marker = QString::fromLatin1(m_member.marker);
    handOverChosenStamp(segue);
}
