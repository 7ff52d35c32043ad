#include "browse/GroupBreakdownViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/SharedState.h"
#include "platform/core/CurrencyText.h"
#include "platform/core/MainQueue.h"
#include "platform/core/ReportPages.h"
#include "platform/gui/Alert.h"
#include "platform/gui/MessageCapability.h"
#include "platform/gui/ProgressDialog.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/SymbolIcons.h"
#include "reports/StampReport.h"
#include "store/ObjectContext.h"
#include "store/StampGroups.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTextDocument>

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
            GroupBreakdownViewController::tr("Year: %1  Country: %2")
                .arg(year(stamp), text(stamp.country())),
            GroupBreakdownViewController::tr("Qty: %1  Scott #: %2")
                .arg(quantity(stamp), text(stamp.scottNumber())),
            {}};
}

StampRowModel::RowTexts denominationRow(const Stamps& stamp, bool)
{
    return {text(stamp.denomination()),
            GroupBreakdownViewController::tr("Year: %1  Country:  %2")
                .arg(year(stamp), text(stamp.country())),
            GroupBreakdownViewController::tr("Qty: %1  Scott #:  %2")
                .arg(quantity(stamp), text(stamp.scottNumber())),
            {}};
}

StampRowModel::RowTexts scottNumberRow(const Stamps& stamp, bool filteredListShown)
{
    return {filteredListShown
                ? text(stamp.scottNumber())
                : GroupBreakdownViewController::tr("Scott #: %1").arg(text(stamp.scottNumber())),
            GroupBreakdownViewController::tr("Year: %1  Country:  %2")
                .arg(year(stamp), text(stamp.country())),
            GroupBreakdownViewController::tr("Qty: %1  Denomination:  %2")
                .arg(quantity(stamp), text(stamp.denomination())),
            {}};
}

StampRowModel::RowTexts statusRow(const Stamps& stamp, bool)
{
    return {text(stamp.denomination()),
            GroupBreakdownViewController::tr("Year: %1  Country: %2")
                .arg(year(stamp), text(stamp.country())),
            GroupBreakdownViewController::tr("Qty: %1  Scott #: %2  Status: %3")
                .arg(quantity(stamp), text(stamp.scottNumber()), text(stamp.status())),
            {}};
}

// What a breakdown is of, in the words of its rows' labels: "Country: Canada". It is the title,
// so the back button of a stamp opened from it names it too.
QString breakdownTitle(const StampGroup& group, const QString& value)
{
    static const std::pair<const StampGroup*, const char*> labels[] = {
        {&StampGroups::Year, QT_TRANSLATE_NOOP("GroupBreakdownViewController", "Year")},
        {&StampGroups::Country, QT_TRANSLATE_NOOP("GroupBreakdownViewController", "Country")},
        {&StampGroups::Denomination,
         QT_TRANSLATE_NOOP("GroupBreakdownViewController", "Denomination")},
        {&StampGroups::ScottNumber, QT_TRANSLATE_NOOP("GroupBreakdownViewController", "Scott #")},
        {&StampGroups::Status, QT_TRANSLATE_NOOP("GroupBreakdownViewController", "Status")},
    };
    QString label;
    for (const auto& [labelled, text] : labels) {
        if (labelled == &group)
            label = GroupBreakdownViewController::tr(text);
    }
    return GroupBreakdownViewController::tr("%1: %2").arg(label, value);
}

// The values each fetch carries beside the searched one, for the totals.
const QStringList TotalsCarried = {QStringLiteral("quantity"), QStringLiteral("value")};
constexpr int QuantityColumn = 1;
constexpr int ValueColumn = 2;

qint64 quantity(const FetchedRows& stamps, qsizetype row)
{
    return stamps.value(row, QuantityColumn).toLongLong();
}

// Value x quantity of one stamp, formed in single precision as the stored numbers are.
float valuation(const FetchedRows& stamps, qsizetype row)
{
    return float(quantity(stamps, row)) * stamps.value(row, ValueColumn).toFloat();
}

} // namespace

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::YearBreakdownTableViewController = {
        .name = "YearBreakdownTableViewController",
        .rowClass = "YearBreakdownTableViewCell",
        .group = StampGroups::Year,
        .searchPlaceholder = "Search By Denomination",
        .searchesDenomination = true,
        .rowTexts = yearOrCountryRow,
        .openingScreen = OpeningScreens::YearBreakdown,
        .unwindAction = "unwindToYearTableViewWithSegue",
        .fetchesOnAppearing = true,
};

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::CountryBreakdownTableViewController = {
        .name = "CountryBreakdownTableViewController",
        .rowClass = "CountryBreakdownTableViewCell",
        .group = StampGroups::Country,
        .searchPlaceholder = "Search By Year",
        .searchesDenomination = true,
        .rowTexts = yearOrCountryRow,
        .openingScreen = OpeningScreens::CountryBreakdown,
        .unwindAction = "unwindToCountryTableViewWithSegue",
        .fetchesOnAppearing = true,
};

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::DenominationBreakdownTableViewController = {
        .name = "DenominationBreakdownTableViewController",
        .rowClass = "DenominationBreakdownTableViewCell",
        .group = StampGroups::Denomination,
        .searchPlaceholder = "Search By Denomination",
        .searchesDenomination = false,
        .rowTexts = denominationRow,
        .openingScreen = OpeningScreens::DenominationBreakdown,
        .unwindAction = "unwindToDenominationTableViewWithSegue",
        .fetchesOnAppearing = false,
};

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::ScottNumberBreakdownTableViewController = {
        .name = "ScottNumberBreakdownTableViewController",
        .rowClass = "ScottNumberBreakdownTableViewCell",
        .group = StampGroups::ScottNumber,
        .searchPlaceholder = "Search By Scott # ",
        .searchesDenomination = false,
        .rowTexts = scottNumberRow,
        .openingScreen = OpeningScreens::ScottNumberBreakdown,
        .unwindAction = "unwindToScottsNumberTableViewWithSegue",
        .fetchesOnAppearing = false,
};

const GroupBreakdownViewController::Member
    GroupBreakdownViewController::StatusBreakdownTableViewController = {
        .name = "StatusBreakdownTableViewController",
        .rowClass = "StatusBreakdownTableViewCell",
        .group = StampGroups::Status,
        .searchPlaceholder = "Search By Denomination",
        .searchesDenomination = true,
        .rowTexts = statusRow,
        .openingScreen = OpeningScreens::StatusBreakdown,
        .unwindAction = "unwindToStatusTableViewWithSegue",
        .fetchesOnAppearing = true,
};

GroupBreakdownViewController::GroupBreakdownViewController(const Member& member,
                                                           Environment& environment,
                                                           QObject* parent)
    : StampTableViewController(
          QString::fromLatin1(member.name), QStringLiteral("Grouped"),
          [this](const Stamps& stamp) {
              StampRowModel::RowTexts texts = m_member.rowTexts(stamp, !searchTextIsEmpty());
              texts[3] = tr("Value: %1 Total Value: %2")
                             .arg(currencyText(double(stamp.value())),
                                  currencyText(double(stamp.quantity()) * double(stamp.value())));
              return texts;
          },
          environment, parent),
      m_member(member)
{
    registerUnwindTarget(QString::fromLatin1(member.openingScreen.unwind),
                         [this](const StoryboardSegue&) { unwindToTableViewWithSegue(); });
    PrintButton = SymbolIcons::makeAction(QStringLiteral("printer"), this);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    connect(PrintButton, &QAction::triggered, this,
            &GroupBreakdownViewController::ShareBrandButtonClicked);
    addRightBarButtonItem(PrintButton);
    // Opens print-all of this group through the storyboard.
    PrintAllButton = SymbolIcons::makeAction(QStringLiteral("doc.text"), this, tr("Print All"));
    PrintAllButton->setObjectName(QStringLiteral("PrintAllButton"));
    addRightBarButtonItem(PrintAllButton);
}

GroupBreakdownViewController::~GroupBreakdownViewController() = default;

void GroupBreakdownViewController::viewDidLoad()
{
    SortAsc = true;
    m_environment.shared.sortAscending = true;
    setSearchPlaceholder(QString::fromLatin1(m_member.searchPlaceholder));
    FooterLabel->show();
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
    const StampGroup& group = m_member.group;
    const QString groupValue = m_environment.shared.selectedStamp.valueOf(group);
    setTitle(breakdownTitle(group, groupValue));
    StampList =
        fetchStamps(group.predicate(groupValue), fetchOrder(), searchedAttribute(), TotalsCarried);
    // While a search is shown its rows stay until the search text changes.
    showList();
}

QList<SortDescriptor> GroupBreakdownViewController::listOrder(bool ascending) const
{
    return m_member.group.order(ascending);
}

void GroupBreakdownViewController::sortByColumn(int column, bool ascending)
{
    // The reports of the group follow the direction shown.
    m_environment.shared.sortAscending = ascending;
    StampTableViewController::sortByColumn(column, ascending);
}

StampSearch::Attribute GroupBreakdownViewController::searchedAttribute() const
{
    return m_member.searchesDenomination ? StampSearch::Attribute::Denomination
                                         : StampSearch::Attribute::Year;
}

void GroupBreakdownViewController::showList()
{
    rowModel()->setStamps(shownList());
    showTotals();
}

void GroupBreakdownViewController::showTotals()
{
    value = 0;
    StampCount = 0;
    for (qsizetype row = 0; row < StampList.size(); ++row) {
        value += double(valuation(StampList, row));
        StampCount += quantity(StampList, row);
    }
    double shownValue = value;
    qsizetype shownStamps = StampList.size();
    qint64 shownCopies = StampCount;
    if (!searchTextIsEmpty()) {
        shownValue = 0;
        shownCopies = 0;
        for (qsizetype row = 0; row < FilteredStampList.size(); ++row) {
            shownValue += double(valuation(FilteredStampList, row));
            shownCopies += quantity(FilteredStampList, row);
        }
        shownStamps = FilteredStampList.size();
    }
    // Records first, as the summary counts them, then the copies held of them.
    HeaderLabel->setText(
        (shownCopies == 1 ? tr("# of Stamps: %1 (%2 copy)") : tr("# of Stamps: %1 (%2 copies)"))
            .arg(shownStamps)
            .arg(shownCopies));
    FooterLabel->setText(tr("Valuation for displayed stamps: ") + currencyText(shownValue));
}

void GroupBreakdownViewController::SortButtonTapped()
{
    SortAsc = !SortAsc.value_or(true);
    m_environment.shared.sortAscending = *SortAsc;
    fetch();
    tableView->scrollToTop();
    columnsTable->scrollToTop();
}

void GroupBreakdownViewController::updateSearchResultsForSearchController()
{
    filterStamps(searchedAttribute());
    showList();
}

void GroupBreakdownViewController::unwindToTableViewWithSegue()
{
    rowModel()->reload();
    selectChosenStamp();
}

void GroupBreakdownViewController::ShareBrandButtonClicked()
{
    Services& services = m_environment.services;
    if (!services.messages.canSendText()) {
        AlertPresenter& alerts = services.alerts;
        services.mainQueue.async(this, [&alerts] {
            alerts.present(Alert::withOk(tr("Can't Send Text Message"),
                                         tr("Your device is not able to send text "
                                            "messages.")));
        });
        return;
    }
    const QList<Stamps*> shown = shownList().objects<Stamps>();
    // The title needs a first stamp; an empty report is no report.
    if (shown.isEmpty()) {
        services.alerts.present(Alert::withOk(tr("Empty Data Set!"), tr("No Stamps to Print!")));
        return;
    }

    const BreakdownReport& report = StampReports::breakdown(m_member.group);
    // The width the screen is shown at; one not on show gets the window's usual width.
    const double viewWidth = view()->isVisible() ? view()->width() : ReportPages::DefaultViewWidth;
    ProgressDialog progress(view(), tr("Making the report…"));
    std::unique_ptr<QTextDocument> document = StampReports::buildBreakdown(
        report, shown, viewWidth, services.pictures, progress.callback());
    if (!document)
        return;
    StampString = std::move(document);
    outputFileURL = QUrl::fromLocalFile(
        QDir(m_environment.documentsDirectory).filePath(QString::fromLatin1(report.fileName)));

    const QString path = outputFileURL.toLocalFile();
    // The collector's documents folder may not have been made yet on this account.
    QDir().mkpath(m_environment.documentsDirectory);
    const Result<WorkEnd> written = ReportPages::writePdf(*StampString, path, progress.callback());
    if (!written) {
        // Only the new file may be shared, never a missing or older one.
        services.alerts.present(Alert::withOk(tr("Could not create PDF file"), written.error()));
        return;
    }
    // Cancelled: nothing to say, and the file is as it was.
    if (*written == WorkEnd::Cancelled)
        return;
    services.shareSheet.present(ShareRequest{{ShareItem::fromFile(outputFileURL)}, {}, view()});
}

void GroupBreakdownViewController::prepareForSegue(const StoryboardSegue& segue, QObject* sender)
{
    StampTableViewController::prepareForSegue(segue, sender);
    // Every segue from here names the breakdown, the print screen's too.
    m_environment.shared.marker = QString::fromLatin1(m_member.openingScreen.marker);
    handOverChosenStamp(segue);
}
