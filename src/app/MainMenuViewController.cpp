#include "app/MainMenuViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/SharedState.h"
#include "platform/core/Console.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/Styling.h"
#include "store/DefaultReferenceValues.h"
#include "store/ObjectContext.h"

#include <QGraphicsOpacityEffect>
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
};

// The menu's buttons in the order they are shown.
const MenuEntry menuEntries[] = {
    {&MainMenuViewController::ListButton, "ListButton", "Stamp List"},
    {&MainMenuViewController::GroupedButton, "GroupedButton", "Grouped Stamps"},
    {&MainMenuViewController::AddButton, "AddButton", "Add Stamp"},
    {&MainMenuViewController::ValuationButton, "ValuationButton", "Valuation"},
    {&MainMenuViewController::ReferenceListsButton, "ReferenceListsButton", "Reference Lists"},
    {&MainMenuViewController::PrintAllButton, "PrintAllButton", "Print Stamps"},
    {&MainMenuViewController::ImportExportButton, "ImportExportButton", "Export / Import"},
    {&MainMenuViewController::OverviewButton, "OverviewButton", "Overview"},
    {&MainMenuViewController::RateShareButton, "RateShareButton", "Rate & Share"},
};

} // namespace

MainMenuViewController::MainMenuViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("MainMenuViewController"), parent),
      userDefaults(environment.services.userDefaults),
      context(environment.appDelegate.viewContext()),
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
    setTitle(QStringLiteral("Main Menu"));
    registerUnwindTarget(QStringLiteral("unwindToMenu"),
                         [this](const StoryboardSegue&) { unwindToMenuWithSegue(); });
}

void MainMenuViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    auto* heading = new QLabel(QStringLiteral("Vellora"), view);
    heading->setObjectName(QStringLiteral("MenuTitleLabel"));
    heading->setAlignment(Qt::AlignCenter);
    QFont font = heading->font();
    font.setPointSizeF(font.pointSizeF() * 2);
    font.setBold(true);
    heading->setFont(font);
    layout->addWidget(heading);

    MenuToggleButton = new QPushButton(QStringLiteral("Menu"), view);
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
        auto* button = new QPushButton(QString::fromLatin1(entry.title), view);
        button->setObjectName(outletName);
        this->*entry.outlet = button;
        MenuButton.append(button);
        layout->addWidget(button);
    }
    layout->addStretch();
}

void MainMenuViewController::viewDidLoad()
{
    if (userDefaults.boolForKey(AboutHasBeenLaunchedBeforeFlag)) {
        Console::printLine(QStringLiteral("Not First Launch"));
    } else {
        // The flag goes first, so a launch stopped halfway through seeding is not seeded again.
        userDefaults.setBool(AboutHasBeenLaunchedBeforeFlag, true);
        userDefaults.synchronize();
        Console::printLine(QStringLiteral("First Launch"));
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
    }

    m_environment.shared.marker = QStringLiteral("Menu");
    for (QPushButton* button : std::as_const(MenuButton))
        Styling::styleButton(button);
    Styling::styleButton(MenuToggleButton);
}

void MainMenuViewController::seedList(const QString& entityName, const QStringList& values)
{
    managedObjectContext = &m_environment.appDelegate.viewContext();
    for (const QString& text : values) {
        ManagedObject* entry = managedObjectContext->insertNewObject(entityName);
        entry->setValue(0, text);
        StoreError error;
        if (!managedObjectContext->save(&error)) {
            // This value is left out; the others still go in.
            Console::printLine(error.description);
            managedObjectContext->rollback();
        }
    }
}

void MainMenuViewController::viewWillAppear(bool animated)
{
    for (QPushButton* button : std::as_const(MenuButton))
        button->setHidden(true);
    if (NavigationController* navigation = navigationController())
        navigation->setNavigationBarHidden(false, animated);
    m_environment.shared.marker = QStringLiteral("Menu");
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

void MainMenuViewController::unwindToMenuWithSegue() {}

void MainMenuViewController::prepareForSegue(const StoryboardSegue& segue, QObject* sender)
{
    ViewController::prepareForSegue(segue, sender);
    if (segue.identifier == QLatin1String("TabBarController")) {
        if (NavigationController* navigation = navigationController())
            navigation->setNavigationBarHidden(true, true);
    }
}
