#include "browse/GroupSummaryViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/Preferences.h"
#include "app/Reading.h"
#include "app/SharedState.h"
#include "browse/GroupValueModel.h"
#include "platform/core/Console.h"
#include "platform/gui/SymbolIcons.h"
#include "platform/gui/TextRowDelegate.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <algorithm>

namespace {

// What choosing a value tells the breakdown it opens.
void writeYear(SelectedStamp& selected, const QString& value)
{
    selected.yearOfIssue = value.toShort();
}

void writeScottNumber(SelectedStamp& selected, const QString& value)
{
    selected.scottNumber = value;
}

void writeStatus(SelectedStamp& selected, const QString& value)
{
    selected.status = value;
}

void writeDenomination(SelectedStamp& selected, const QString& value)
{
    selected.denomination = value;
}

void writeCountry(SelectedStamp& selected, const QString& value)
{
    selected.country = value;
}

} // namespace

const GroupSummaryViewController::Member GroupSummaryViewController::YearGroupTableViewController =
    {
        .name = "YearGroupTableViewController",
        .rowClass = "YearTableViewCell",
        .tabTitle = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Year"),
        .keyAttribute = "yearOfIssue",
        .keyLabel = "YearLabel",
        .listName = "YearList",
        .filteredListName = "FilteredYearList",
        .searchPlaceholder = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Search By Year"),
        .countFormat = "yearOfIssue = %@",
        .pluralWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Year's"),
        .singularWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Year"),
        .writeSelectedValue = writeYear,
};

const GroupSummaryViewController::Member
    GroupSummaryViewController::ScottNumberGroupTableViewController = {
        .name = "ScottNumberGroupTableViewController",
        .rowClass = "ScottNumberGroupTableViewCell",
        .tabTitle = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Scott #"),
        .keyAttribute = "scottNumber",
        .keyLabel = "ScottNumberLabel",
        .listName = "ScottList",
        .filteredListName = "FilteredScottList",
        .searchPlaceholder = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Search By Scott #"),
        .countFormat = "scottNumber = %@",
        .pluralWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Scott #'s"),
        .singularWord = nullptr,
        .writeSelectedValue = writeScottNumber,
};

const GroupSummaryViewController::Member
    GroupSummaryViewController::StatusGroupTableViewController = {
        .name = "StatusGroupTableViewController",
        .rowClass = "StatusGroupTableViewCell",
        .tabTitle = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Status"),
        .keyAttribute = "status",
        .keyLabel = "StatusLabel",
        .listName = "StatusList",
        .filteredListName = "FilteredStatusList",
        .searchPlaceholder = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Search By Status"),
        .countFormat = "status = %@",
        .pluralWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Status's"),
        .singularWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Status"),
        .writeSelectedValue = writeStatus,
};

const GroupSummaryViewController::Member
    GroupSummaryViewController::DenominationGroupTableViewController = {
        .name = "DenominationGroupTableViewController",
        .rowClass = "DenominationgroupTableViewCell",
        .tabTitle = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Denomination"),
        .keyAttribute = "denomination",
        .keyLabel = "DenominationLabel",
        .listName = "DenominationList",
        .filteredListName = "FilteredDenominationList",
        .searchPlaceholder =
            QT_TRANSLATE_NOOP("GroupSummaryViewController", "Search By Denomination"),
        .countFormat = "denomination = %@",
        .pluralWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Denomination's"),
        .singularWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Denomination"),
        .writeSelectedValue = writeDenomination,
};

const GroupSummaryViewController::Member
    GroupSummaryViewController::CountryGroupTableViewController = {
        .name = "CountryGroupTableViewController",
        .rowClass = "CountryGroupTableViewCell",
        .tabTitle = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Country"),
        .keyAttribute = "country",
        .keyLabel = "CountryLabel",
        .listName = "CountryList",
        .filteredListName = "FilteredCountryList",
        .searchPlaceholder = QT_TRANSLATE_NOOP("GroupSummaryViewController", "Search By Country"),
        .countFormat = "country = %@",
        .pluralWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Countries"),
        .singularWord = QT_TRANSLATE_NOOP("GroupSummaryViewController", " Country"),
        .writeSelectedValue = writeCountry,
};

const QList<const GroupSummaryViewController::Member*>& GroupSummaryViewController::members()
{
    static const QList<const Member*> all = {
        &YearGroupTableViewController, &ScottNumberGroupTableViewController,
        &StatusGroupTableViewController, &DenominationGroupTableViewController,
        &CountryGroupTableViewController};
    return all;
}

GroupSummaryViewController::GroupSummaryViewController(const Member& member,
                                                       Environment& environment, QObject* parent)
    : SearchableTableViewController(QString::fromLatin1(member.name), parent),
      context(environment.appDelegate.viewContext()), m_environment(environment), m_member(member),
      m_model(
          new GroupValueModel([this](const QString& value) { return groupTotals(value); }, this)),
      m_delegate(
          new TextRowDelegate(GroupValueModel::RowHeight, GroupValueModel::TotalsTextRole, this))
{
    setTitle(tr(member.tabTitle));
    QAction* close = SymbolIcons::makeAction(QStringLiteral("xmark"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    connect(close, &QAction::triggered, this, &GroupSummaryViewController::UnwindSegue);
    addLeftBarButtonItem(close);
}

QAbstractItemModel* GroupSummaryViewController::tableModel()
{
    return m_model;
}

QAbstractItemDelegate* GroupSummaryViewController::rowDelegate()
{
    return m_delegate;
}

void GroupSummaryViewController::viewDidLoad()
{
    setSearchPlaceholder(tr(m_member.searchPlaceholder));
    SortAsc = true;
    collectKeyValues();
}

void GroupSummaryViewController::viewWillAppear(bool animated)
{
    SearchableTableViewController::viewWillAppear(animated);
    m_model->recount();
}

void GroupSummaryViewController::sortKeyValues(QStringList& values, bool ascending) const
{
    const Preferences preferences(m_environment.services.userDefaults);
    const QString key = QString::fromLatin1(m_member.keyAttribute);
    std::sort(values.begin(), values.end(), [&](const QString& a, const QString& b) {
        return preferences.textLessThan(key, a, b);
    });
    if (!ascending)
        std::reverse(values.begin(), values.end());
}

const QStringList& GroupSummaryViewController::shownList() const
{
    return searchTextIsEmpty() ? KeyList : FilteredKeyList;
}

void GroupSummaryViewController::collectKeyValues()
{
    KeyList.clear();
    m_countFailureTold = false;
    const QVariantList values = Reading::orTell(
        m_environment, context.distinctValues(QStringLiteral("Stamps"),
                                              QString::fromLatin1(m_member.keyAttribute)));
    for (const QVariant& value : values)
        KeyList.append(value.toString());
    sortKeyValues(KeyList, SortAsc.value_or(true));
    showList();
}

GroupValueModel::Totals GroupSummaryViewController::groupTotals(const QString& keyValue) const
{
    const StoreResult<ObjectContext::Totals> totals =
        context.totals({QStringLiteral("Stamps"),
                        Predicate::format(QString::fromLatin1(m_member.countFormat), keyValue),
                        {}},
                       {{QStringLiteral("value"), QStringLiteral("quantity")}});
    if (totals)
        return {totals->count, totals->sums.value(0).toDouble()};
    // Rows are read as they are shown: one alert for the list, not one per row.
    if (!m_countFailureTold) {
        m_countFailureTold = true;
        Reading::tellNotRead(m_environment, totals.error());
    }
    return {};
}

QString GroupSummaryViewController::headerText() const
{
    const qsizetype all = KeyList.size();
    const qsizetype shown = FilteredKeyList.size();
    const auto counted = [this](qsizetype count, bool singular) {
        const char* word =
            singular && m_member.singularWord ? m_member.singularWord : m_member.pluralWord;
        return QString::number(count) + tr(word);
    };
    if (searchTextIsEmpty())
        return counted(all, all == 1);
    // With a single value in all, what the search shows is spoken of in the singular.
    return counted(shown, all == 1 || shown == 1);
}

void GroupSummaryViewController::showList()
{
    m_model->setValues(shownList());
    HeaderLabel->setText(headerText());
}

void GroupSummaryViewController::SortButtonTapped()
{
    SortAsc = !SortAsc.value_or(true);
    m_environment.shared.sortAscending = *SortAsc;
    if (searchTextIsEmpty()) {
        collectKeyValues();
    } else {
        // While a search is shown only its rows are reordered.
        sortKeyValues(FilteredKeyList, *SortAsc);
        showList();
    }
    tableView->scrollToTop();
}

void GroupSummaryViewController::updateSearchResultsForSearchController()
{
    const QString text = searchBar->text();
    if (text.isEmpty()) {
        FilteredKeyList = KeyList;
    } else {
        FilteredKeyList.clear();
        for (const QString& value : std::as_const(KeyList)) {
            if (!value.isEmpty() && value.toLower().contains(text.toLower()))
                FilteredKeyList.append(value);
        }
    }
    showList();
}

void GroupSummaryViewController::didSelectRow(int row)
{
    const QString value = shownList().value(row);
    if (row < 0 || row >= shownList().size())
        return;
    m_member.writeSelectedValue(m_environment.shared.selectedStamp, value);
    performSegue(QStringLiteral("showBreakdown"), this);
}

void GroupSummaryViewController::UnwindSegue()
{
    performSegue(QString::fromLatin1(OpeningScreens::MainMenu.unwind), this);
}
