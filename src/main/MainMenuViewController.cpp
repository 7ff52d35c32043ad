#include "main/MainMenuViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/SharedState.h"
#include "main/CollectionGlance.h"
#include "platform/core/Console.h"
#include "platform/core/MainQueue.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/Alert.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"
#include "stamps/EditViewController.h"
#include "store/DefaultReferenceValues.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"

#include <QCoreApplication>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ToggleAnimationMilliseconds = 500;

struct MenuEntry
{
    QPushButton* MainMenuViewController::*outlet;
    const char* outletName;
    const char* title;
    const char* themeIcon; // the icon theme's name, with the bundled symbol as fallback
    const char* symbol;
};

// The menu's column and the glance beside it are no wider than this: buttons stretched across
// a desktop's width are hard to read.
constexpr int ColumnWidth = 420;

// The menu's buttons in the order they are shown.
const MenuEntry menuEntries[] = {
    {&MainMenuViewController::ListButton, "ListButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Stamp List"), "view-list-details", "doc.text"},
    {&MainMenuViewController::GroupedButton, "GroupedButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Grouped Stamps"), "view-list-tree",
     "folder.fill"},
    {&MainMenuViewController::AddButton, "AddButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Add Stamp"), "document-new", "plus"},
    {&MainMenuViewController::ValuationButton, "ValuationButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Valuation"), "accessories-calculator",
     "magnifyingglass"},
    {&MainMenuViewController::StatisticsButton, "StatisticsButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Statistics"), "office-chart-bar",
     "arrow.up.arrow.down"},
    {&MainMenuViewController::ReferenceListsButton, "ReferenceListsButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Reference Lists"), "accessories-dictionary",
     "link"},
    {&MainMenuViewController::PrintAllButton, "PrintAllButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Print Stamps"), "document-print", "printer"},
    {&MainMenuViewController::ImportExportButton, "ImportExportButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Export / Import"), "document-export",
     "square.and.arrow.up"},
    {&MainMenuViewController::OverviewButton, "OverviewButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Overview"), "help-contents", "globe"},
    {&MainMenuViewController::RateShareButton, "RateShareButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Rate & Share"), "starred", "star"},
    {&MainMenuViewController::SettingsButton, "SettingsButton",
     QT_TRANSLATE_NOOP("MainMenuViewController", "Settings"), "preferences-system",
     "doc.on.clipboard"},
};

} // namespace

MainMenuViewController::MainMenuViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("MainMenuViewController"), parent),
      userDefaults(environment.services.userDefaults),
      ListOfCentered(DefaultReferenceValues::centered()),
      ListOfConditions(DefaultReferenceValues::conditions()),
      ListOfCountries(DefaultReferenceValues::countries()),
      ListOfFaults(DefaultReferenceValues::faults()),
      ListOfGrades(DefaultReferenceValues::grades()), ListOfGums(DefaultReferenceValues::gums()),
      ListOfMargins(DefaultReferenceValues::margins()),
      ListOfPapers(DefaultReferenceValues::papers()),
      ListOfPerforations(DefaultReferenceValues::perforations()),
      ListOfSeries(DefaultReferenceValues::series()),
      ListOfStatus(DefaultReferenceValues::statuses()), m_environment(environment)
{
    setTitle(tr("Main Menu"));
    registerUnwindTarget(QString::fromLatin1(OpeningScreens::MainMenu.unwind),
                         [this](const StoryboardSegue&) { unwindToMenuWithSegue(); });
}

void MainMenuViewController::buildView(QWidget* view)
{
    // The menu's column and the collection at a glance side by side, centred in the width.
    auto* columns = new QHBoxLayout(view);
    columns->addStretch(1);
    auto* menuColumn = new QWidget(view);
    menuColumn->setMaximumWidth(ColumnWidth);
    auto* layout = new QVBoxLayout(menuColumn);
    layout->setContentsMargins(0, 0, 0, 0);
    columns->addWidget(menuColumn, 2);

    auto* heading = new QLabel(QStringLiteral("Vellora"), view);
    heading->setObjectName(QStringLiteral("MenuTitleLabel"));
    heading->setAlignment(Qt::AlignCenter);
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 2);
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);

    MenuToggleButton = new QPushButton(tr("Menu"), view);
    MenuToggleButton->setObjectName(QStringLiteral("MenuToggleButton"));
    connect(MenuToggleButton, &QPushButton::clicked, this,
            &MainMenuViewController::HandleButtonClick);
    layout->addWidget(MenuToggleButton);

    // A button only for a screen the storyboard can open, so the menu never offers a dead end.
    for (const MenuEntry& entry : menuEntries) {
        const QString outletName = QString::fromLatin1(entry.outletName);
        const QString segue =
            storyboard() ? storyboard()->triggeredSegue(objectName(), outletName) : QString();
        if (segue.isEmpty() || !storyboard()->hasSegue(objectName(), segue))
            continue;
        // "&&" shows an ampersand; a single one would mark a shortcut letter ("Rate & Share").
        auto* button =
            new QPushButton(tr(entry.title).replace(QLatin1Char('&'), QStringLiteral("&&")), view);
        button->setObjectName(outletName);
        button->setIcon(QIcon::fromTheme(QString::fromLatin1(entry.themeIcon),
                                         SymbolIcons::icon(QString::fromLatin1(entry.symbol))));
        this->*entry.outlet = button;
        MenuButton.append(button);
        layout->addWidget(button);
    }
    layout->addStretch();

    columns->addSpacing(24);
    Glance = new CollectionGlance(view);
    Glance->setMaximumWidth(ColumnWidth);
    connect(Glance, &CollectionGlance::stampChosen, this, [this](Stamps* stamp) {
        m_chosenStamp = stamp;
        performSegue(QStringLiteral("showDetails"), this);
    });
    columns->addWidget(Glance, 2);
    columns->addStretch(1);
}

void MainMenuViewController::viewDidLoad()
{
    const bool readOnly = m_environment.appDelegate.persistentContainer().isReadOnly();
    if (userDefaults.boolForKey(AboutHasBeenLaunchedBeforeFlag)) {
        Console::printLine(QStringLiteral("Not First Launch"));
    } else {
        userDefaults.setBool(AboutHasBeenLaunchedBeforeFlag, true);
        const Result<void> written = userDefaults.synchronize();
        Console::printLine(QStringLiteral("First Launch"));
        // A read-only collection is said below; its folder will not take the settings either.
        if (!written && !readOnly)
            tellLater(tr("Settings Not Saved"),
                      tr("The settings could not be saved: ") + written.error());
    }
    if (readOnly)
        tellLater(tr("Read-Only Collection"),
                  tr("This collection is read-only: changes cannot be saved"));
    else
        seedReferenceLists();

    m_environment.shared.marker = QString::fromLatin1(OpeningScreens::MainMenu.marker);
    for (QPushButton* button : std::as_const(MenuButton))
        Styling::styleButton(button);
    Styling::styleButton(MenuToggleButton);
}

void MainMenuViewController::seedReferenceLists()
{
    m_seededStoreGeneration = m_environment.appDelegate.storeGeneration();
    managedObjectContext = &m_environment.appDelegate.viewContext();
    const QString marker = QString::fromLatin1(DefaultReferenceValues::SeededMarker);
    const StoreResult<bool> seeded = managedObjectContext->hasMarker(marker);
    if (seeded && *seeded)
        return;
    const StoreResult<> filled = seeded ? fillReferenceLists(marker) : Failure{seeded.error()};
    if (filled)
        return;
    Console::printLine(filled.error().description);
    tellLater(tr("Reference Lists"),
              tr("The reference lists could not be filled: ") + filled.error().description);
}

StoreResult<> MainMenuViewController::fillReferenceLists(const QString& marker)
{
    // Every list and the marker are saved together: a store has its lists whole, once, or not
    // yet (and gets them at the next launch).
    seedList(QStringLiteral("CenteredList"), ListOfCentered);
    seedList(QStringLiteral("ConditionList"), ListOfConditions);
    seedList(QStringLiteral("CountryList"), ListOfCountries);
    seedList(QStringLiteral("FaultsList"), ListOfFaults);
    seedList(QStringLiteral("GradeList"), ListOfGrades);
    seedList(QStringLiteral("GumList"), ListOfGums);
    seedList(QStringLiteral("MarginList"), ListOfMargins);
    seedList(QStringLiteral("PaperList"), ListOfPapers);
    seedList(QStringLiteral("PerforationList"), ListOfPerforations);
    seedList(QStringLiteral("SeriesList"), ListOfSeries);
    seedList(QStringLiteral("StatusList"), ListOfStatus);
    managedObjectContext->setMarker(marker);
    StoreResult<> saved = managedObjectContext->save();
    if (!saved)
        managedObjectContext->rollback();
    return saved;
}

void MainMenuViewController::seedList(const QString& entityName, const QStringList& values)
{
    for (const QString& text : values)
        managedObjectContext->insertNewObject(entityName)->setValue(0, text);
}

void MainMenuViewController::tellLater(const QString& title, const QString& message)
{
    // Once the window is up, so the message stands in front of the collection it is about.
    AlertPresenter& alerts = m_environment.services.alerts;
    m_environment.services.mainQueue.async(
        [&alerts, title, message] { alerts.present(Alert::withOk(title, message)); });
}

void MainMenuViewController::viewWillAppear(bool animated)
{
    for (QPushButton* button : std::as_const(MenuButton))
        button->setHidden(true);
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, animated);
    m_environment.shared.marker = QString::fromLatin1(OpeningScreens::MainMenu.marker);
    PersistentContainer& container = m_environment.appDelegate.persistentContainer();
    if (Glance && container.isLoaded())
        Glance->refresh(container.viewContext());
}

void MainMenuViewController::HandleButtonClick()
{
    for (QPushButton* button : std::as_const(MenuButton)) {
        // The state flips at once; the fade only shows it.
        const bool show = button->isHidden();
        button->setHidden(!show);
        if (show) {
            auto* effect = new QGraphicsOpacityEffect(button);
            button->setGraphicsEffect(effect);
            auto* fade = new QPropertyAnimation(effect, "opacity", button);
            fade->setDuration(ToggleAnimationMilliseconds);
            fade->setStartValue(0.0);
            fade->setEndValue(1.0);
            connect(fade, &QPropertyAnimation::finished, button,
                    [button] { button->setGraphicsEffect(nullptr); });
            fade->start(QAbstractAnimation::DeleteWhenStopped);
        }
    }
    if (isViewLoaded())
        view()->updateGeometry();
}

void MainMenuViewController::unwindToMenuWithSegue()
{
    if (m_seededStoreGeneration != m_environment.appDelegate.storeGeneration() &&
        m_environment.appDelegate.persistentContainer().isLoaded() &&
        !m_environment.appDelegate.persistentContainer().isReadOnly())
        seedReferenceLists();
}

void MainMenuViewController::prepareForSegue(const StoryboardSegue& segue, QObject* sender)
{
    ViewController::prepareForSegue(segue, sender);
    // A stamp of the glance opens as one chosen in a list does.
    if (auto* form = qobject_cast<EditViewController*>(segue.destination); form && m_chosenStamp) {
        m_environment.shared.selectedStamp =
            SelectedStamp::from(*m_chosenStamp, m_environment.services.pictures);
        form->setDetailItem(m_chosenStamp);
        m_chosenStamp = nullptr;
    }
    if (segue.identifier == QLatin1String("TabBarController")) {
        if (NavigationController* navigation = navigationController())
            navigation->setNavigationBarHidden(true, true);
    }
}
