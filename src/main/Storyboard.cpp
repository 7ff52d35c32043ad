#include "main/Storyboard.h"

#include "browse/GroupBreakdownViewController.h"
#include "browse/GroupSummaryViewController.h"
#include "browse/ListTableViewController.h"
#include "exchange/ExportImportViewController.h"
#include "exchange/ExportViewController.h"
#include "exchange/ImportViewController.h"
#include "insight/StatisticsViewController.h"
#include "main/MainMenuViewController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/TabBarController.h"
#include "reference/AddReferenceEntryViewController.h"
#include "reference/EditReferenceEntryViewController.h"
#include "reference/ReferenceListTableViewController.h"
#include "reference/ReferenceLists.h"
#include "reference/ReferenceListsViewController.h"
#include "reports/PrintStampsViewController.h"
#include "settings/SettingsViewController.h"
#include "sharing/OverviewViewController.h"
#include "sharing/RateShareTableViewController.h"
#include "stamps/AddViewController.h"
#include "stamps/EditViewController.h"
#include "stamps/NotesViewController.h"
#include "stamps/ZoomViewController.h"
#include "valuation/ValuationViewController.h"

namespace AppStoryboard {
namespace {

const QString MainMenu = QStringLiteral("MainMenuViewController");
const QString EditForm = QStringLiteral("EditViewController");
const QString StampList = QStringLiteral("ListTableViewController");

using Summary = GroupSummaryViewController;
using Breakdown = GroupBreakdownViewController;

// Each group summary opens the breakdown of its key.
const QList<QPair<const Summary::Member*, const Breakdown::Member*>>& groups()
{
    static const QList<QPair<const Summary::Member*, const Breakdown::Member*>> all = {
        {&Summary::YearGroupTableViewController, &Breakdown::YearBreakdownTableViewController},
        {&Summary::ScottNumberGroupTableViewController,
         &Breakdown::ScottNumberBreakdownTableViewController},
        {&Summary::StatusGroupTableViewController, &Breakdown::StatusBreakdownTableViewController},
        {&Summary::DenominationGroupTableViewController,
         &Breakdown::DenominationBreakdownTableViewController},
        {&Summary::CountryGroupTableViewController,
         &Breakdown::CountryBreakdownTableViewController},
    };
    return all;
}

// The five group summaries, one tab each.
std::unique_ptr<ViewController> makeGroupTabs(Environment& environment)
{
    std::vector<TabBarController::Tab> tabs;
    for (const auto& [summary, breakdown] : groups()) {
        Q_UNUSED(breakdown)
        tabs.push_back({GroupSummaryViewController::tr(summary->tabTitle),
                        std::make_unique<Summary>(*summary, environment)});
    }
    return std::make_unique<TabBarController>(QStringLiteral("TabBarController"), std::move(tabs));
}

template <class Screen> Storyboard::ScreenFactory make(Environment& environment)
{
    return [&environment] { return std::make_unique<Screen>(environment); };
}

} // namespace

void populate(Storyboard& storyboard, Environment& environment)
{
    // The main menu's buttons. A button appears on the menu once its row is here.
    storyboard.addSegue(MainMenu, QStringLiteral("showList"),
                        make<ListTableViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("ListButton"), QStringLiteral("showList"));
    storyboard.addSegue(MainMenu, QStringLiteral("TabBarController"),
                        [&environment] { return makeGroupTabs(environment); });
    storyboard.addTrigger(MainMenu, QStringLiteral("GroupedButton"),
                          QStringLiteral("TabBarController"));
    storyboard.addSegue(MainMenu, QStringLiteral("showReferenceLists"),
                        [] { return std::make_unique<ReferenceListsViewController>(); });
    storyboard.addTrigger(MainMenu, QStringLiteral("ReferenceListsButton"),
                          QStringLiteral("showReferenceLists"));
    storyboard.addSegue(MainMenu, QStringLiteral("showAdd"), make<AddViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("AddButton"), QStringLiteral("showAdd"));
    storyboard.addSegue(MainMenu, QStringLiteral("showPrint"),
                        make<PrintStampsViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("PrintAllButton"), QStringLiteral("showPrint"));
    storyboard.addSegue(MainMenu, QStringLiteral("showValuation"),
                        make<ValuationViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("ValuationButton"),
                          QStringLiteral("showValuation"));
    storyboard.addSegue(MainMenu, QStringLiteral("showStatistics"),
                        make<StatisticsViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("StatisticsButton"),
                          QStringLiteral("showStatistics"));
    storyboard.addSegue(MainMenu, QStringLiteral("showSettings"),
                        make<SettingsViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("SettingsButton"),
                          QStringLiteral("showSettings"));
    storyboard.addSegue(MainMenu, QStringLiteral("showOverview"),
                        make<OverviewViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("OverviewButton"),
                          QStringLiteral("showOverview"));
    storyboard.addSegue(MainMenu, QStringLiteral("showRateShare"),
                        make<RateShareTableViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("RateShareButton"),
                          QStringLiteral("showRateShare"));
    storyboard.addSegue(MainMenu, QStringLiteral("showExportImport"),
                        [] { return std::make_unique<ExportImportViewController>(); });
    storyboard.addTrigger(MainMenu, QStringLiteral("ImportExportButton"),
                          QStringLiteral("showExportImport"));

    // The stamps the main menu lists as added last open in the edit form.
    storyboard.addSegue(MainMenu, QStringLiteral("showDetails"),
                        make<EditViewController>(environment));

    // Export and import; the import returns to the main menu.
    const QString exchange = QStringLiteral("ExportImportViewController");
    storyboard.addSegue(exchange, ExportImportViewController::ShowExport,
                        make<ExportViewController>(environment));
    storyboard.addTrigger(exchange, QStringLiteral("ExportStampsButton"),
                          ExportImportViewController::ShowExport);
    storyboard.addSegue(exchange, ExportImportViewController::ShowImport,
                        make<ImportViewController>(environment));
    storyboard.addTrigger(exchange, QStringLiteral("ImportStampsButton"),
                          ExportImportViewController::ShowImport);

    // The stamp list opens a stamp, and the add form, which returns to it.
    storyboard.addSegue(StampList, QStringLiteral("showDetails"),
                        make<EditViewController>(environment));
    storyboard.addSegue(StampList, QStringLiteral("showAdd"), make<AddViewController>(environment));
    storyboard.addTrigger(StampList, QStringLiteral("AddButton"), QStringLiteral("showAdd"));

    // A group's value opens its breakdown; a breakdown's stamp opens the edit form, and its
    // print-all button the print screen for the group.
    for (const auto& [summary, breakdown] : groups()) {
        const Breakdown::Member* member = breakdown;
        const QString breakdownName = QString::fromLatin1(breakdown->name);
        storyboard.addSegue(
            QString::fromLatin1(summary->name), QStringLiteral("showBreakdown"),
            [member, &environment] { return std::make_unique<Breakdown>(*member, environment); });
        storyboard.addSegue(breakdownName, QStringLiteral("Grouped"),
                            make<EditViewController>(environment));
        storyboard.addSegue(breakdownName, QStringLiteral("showPrint"),
                            make<PrintStampsViewController>(environment));
        storyboard.addTrigger(breakdownName, QStringLiteral("PrintAllButton"),
                              QStringLiteral("showPrint"));
    }

    // Each reference list: its menu button opens its browser, which opens the list's add and
    // edit screens.
    for (const ReferenceListMember& list : ReferenceLists::members()) {
        const ReferenceListMember* member = &list;
        const QString browser = QString::fromLatin1(list.browserName);
        const QString toBrowser =
            ReferenceListsViewController::segueTo(QString::fromLatin1(list.list->entityName));
        storyboard.addSegue(
            QStringLiteral("ReferenceListsViewController"), toBrowser, [member, &environment] {
                return std::make_unique<ReferenceListTableViewController>(*member, environment);
            });
        storyboard.addTrigger(QStringLiteral("ReferenceListsViewController"),
                              QString::fromLatin1(list.menuButton), toBrowser);
        storyboard.addSegue(browser, QString::fromLatin1(list.editSegue), [member, &environment] {
            return std::make_unique<EditReferenceEntryViewController>(*member, environment);
        });
        storyboard.addSegue(browser, QStringLiteral("showAdd"), [member, &environment] {
            return std::make_unique<AddReferenceEntryViewController>(*member, environment);
        });
        storyboard.addTrigger(browser, QStringLiteral("AddButton"), QStringLiteral("showAdd"));
    }

    // The edit form opens the stamp's notes and its enlarged picture.
    storyboard.addSegue(EditForm, QStringLiteral("showNotes"),
                        make<NotesViewController>(environment));
    storyboard.addTrigger(EditForm, QStringLiteral("NotesButton"), QStringLiteral("showNotes"));
    storyboard.addSegue(EditForm, QStringLiteral("Zoom"), make<ZoomViewController>(environment));
}

std::unique_ptr<ViewController> instantiateInitialViewController(Storyboard& storyboard,
                                                                 Environment& environment)
{
    auto menu = std::make_unique<MainMenuViewController>(environment);
    menu->setStoryboard(&storyboard);
    return menu;
}

std::vector<Section> sections(Storyboard& storyboard, Environment& environment)
{
    // Each root as its menu button would open it, with the storyboard its segues come from.
    const auto root = [&storyboard](std::function<std::unique_ptr<ViewController>()> make) {
        return [&storyboard, make = std::move(make)] {
            std::unique_ptr<ViewController> screen = make();
            screen->setStoryboard(&storyboard);
            return screen;
        };
    };
    const auto from = [&storyboard](const QString& segue) {
        return [&storyboard, segue] { return storyboard.instantiate(MainMenu, segue); };
    };
    std::vector<Section> all;
    all.push_back({QStringLiteral("HomeSection"), QT_TRANSLATE_NOOP("Sections", "Home"), "go-home",
                   "star", [&storyboard, &environment] {
                       return instantiateInitialViewController(storyboard, environment);
                   }});
    all.push_back({QStringLiteral("StampsSection"), QT_TRANSLATE_NOOP("Sections", "Stamps"),
                   "view-list-details", "doc.text", root(from(QStringLiteral("showList")))});
    all.push_back({QStringLiteral("GroupsSection"), QT_TRANSLATE_NOOP("Sections", "Groups"),
                   "view-list-tree", "folder.fill", root(from(QStringLiteral("TabBarController"))),
                   false,
                   // The tabs have bars of their own, as when the main menu opens them.
                   true});
    all.push_back({QStringLiteral("ValuationSection"), QT_TRANSLATE_NOOP("Sections", "Valuation"),
                   "accessories-calculator", "magnifyingglass",
                   root(from(QStringLiteral("showValuation")))});
    all.push_back({QStringLiteral("StatisticsSection"), QT_TRANSLATE_NOOP("Sections", "Statistics"),
                   "office-chart-bar", "arrow.up.arrow.down",
                   root(from(QStringLiteral("showStatistics")))});
    all.push_back({QStringLiteral("ReportsSection"), QT_TRANSLATE_NOOP("Sections", "Reports"),
                   "document-print", "printer", root(from(QStringLiteral("showPrint")))});
    all.push_back({QStringLiteral("ReferenceListsSection"),
                   QT_TRANSLATE_NOOP("Sections", "Reference Lists"), "accessories-dictionary",
                   "link", root(from(QStringLiteral("showReferenceLists")))});
    all.push_back({QStringLiteral("ExportImportSection"),
                   QT_TRANSLATE_NOOP("Sections", "Export & Import"), "document-export",
                   "square.and.arrow.up", root(from(QStringLiteral("showExportImport")))});
    all.push_back({QStringLiteral("OverviewSection"), QT_TRANSLATE_NOOP("Sections", "Overview"),
                   "help-contents", "globe", root(from(QStringLiteral("showOverview"))), true});
    all.push_back({QStringLiteral("SettingsSection"), QT_TRANSLATE_NOOP("Sections", "Settings"),
                   "preferences-system", "doc.on.clipboard",
                   root(from(QStringLiteral("showSettings"))), true});
    return all;
}

} // namespace AppStoryboard
