#include "main/MainWindow.h"

#include "app/AppDelegate.h"
#include "app/BackingUp.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/Preferences.h"
#include "exchange/ExportImportViewController.h"
#include "platform/core/Console.h"
#include "platform/core/CurrencyText.h"
#include "platform/core/MainQueue.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/Alert.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/SymbolIcons.h"
#include "platform/gui/UndoBar.h"
#include "platform/gui/UrlOpener.h"
#include "platform/gui/ViewController.h"
#include "platform/gui/WindowGeometry.h"
#include "platform/gui/WindowKeys.h"
#include "reference/ReferenceLists.h"
#include "reference/ReferenceListsViewController.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"
#include "valuation/CollectionValue.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QKeySequence FindKeys(Qt::CTRL | Qt::Key_F);
const QKeySequence NewKeys(Qt::CTRL | Qt::Key_N);
const QKeySequence PrintKeys(Qt::CTRL | Qt::Key_P);
// Spelled out: a standard key is only known once the application runs.
const QKeySequence UndoKeys(Qt::CTRL | Qt::Key_Z);
const QKeySequence DeleteKeys(Qt::Key_Delete);

// The sidebar's line between the daily sections and Overview and Settings: a row that cannot be
// chosen.
constexpr int SeparatorRole = Qt::UserRole + 1;
constexpr int SectionRole = Qt::UserRole + 2;

QIcon sectionIcon(const char* themeName, const char* symbol)
{
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            SymbolIcons::icon(QString::fromLatin1(symbol)));
}

QString sectionTitle(const AppStoryboard::Section& section)
{
    return QCoreApplication::translate("Sections", section.title);
}

} // namespace

MainWindow::MainWindow(Storyboard& storyboard, Environment& environment, QWidget* parent)
    : QMainWindow(parent), m_environment(environment)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Vellora"));
    // The menus answer these keys, whatever screen is shown; the screens leave them to the menus.
    WindowKeys::take({FindKeys, NewKeys, PrintKeys, UndoKeys, DeleteKeys});

    for (AppStoryboard::Section& section : AppStoryboard::sections(storyboard, environment))
        m_sections.push_back({std::move(section), {}, environment.shared});
    // Every section opens as from the main menu, as the menu's own buttons open it.
    for (Page& page : m_sections)
        page.shared.marker = QString::fromLatin1(OpeningScreens::MainMenu.marker);

    m_splitter = new QSplitter(this);
    m_splitter->setObjectName(QStringLiteral("SidebarSplitter"));
    m_splitter->setChildrenCollapsible(false);
    buildSidebar();
    m_pages = new QStackedWidget(m_splitter);
    m_pages->setObjectName(QStringLiteral("SectionPages"));
    m_splitter->addWidget(m_sidebar);
    m_splitter->addWidget(m_pages);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({200, 1000});
    setCentralWidget(m_splitter);

    buildMenus();
    buildToolBar();
    buildStatusBar();

    // Back in the section shown: its innermost stack (a tab's) first.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Back)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
                [this] { currentStack()->goBackFromShownScreen(); });

    // Undo applies while the bar offers it.
    connect(UndoBar::forWindow(this)->undoAction(), &QAction::changed, this,
            &MainWindow::updateActions);

    m_builtForGeneration = environment.appDelegate.storeGeneration();
    environment.appDelegate.setStoreChangedHandler([this] { storeChanged(); });
    showSection(0);
    updateFigures();
}

MainWindow::~MainWindow()
{
    m_environment.appDelegate.setStoreChangedHandler({});
    // The stacks go before the window's menus, whose keys the screens may bind again.
    for (Page& page : m_sections)
        delete page.stack;
    WindowKeys::release();
}

void MainWindow::buildSidebar()
{
    m_sidebar = new QListWidget(m_splitter);
    m_sidebar->setObjectName(QStringLiteral("Sidebar"));
    m_sidebar->setAccessibleName(tr("Sections"));
    m_sidebar->setIconSize(QSize(22, 22));
    m_sidebar->setMinimumWidth(140);
    m_sidebar->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int index = 0; index < sectionCount(); ++index) {
        const AppStoryboard::Section& section = m_sections[static_cast<size_t>(index)].section;
        if (index == firstSecondarySection()) {
            auto* separator = new QListWidgetItem(m_sidebar);
            // Not selectable, but the arrow keys may reach it: they are sent on past it below.
            separator->setFlags(Qt::ItemIsEnabled);
            separator->setData(SeparatorRole, true);
            separator->setSizeHint(QSize(1, 9));
            auto* line = new QFrame(m_sidebar);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            m_sidebar->setItemWidget(separator, line);
        }
        auto* item = new QListWidgetItem(sectionIcon(section.themeIcon, section.symbol),
                                         sectionTitle(section), m_sidebar);
        item->setData(SectionRole, index);
    }
    connect(m_sidebar, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item, QListWidgetItem* previous) {
                if (!item)
                    return;
                if (item->data(SeparatorRole).toBool()) {
                    const int row = m_sidebar->row(item);
                    const bool down = !previous || m_sidebar->row(previous) < row;
                    m_sidebar->setCurrentRow(down ? row + 1 : row - 1);
                    return;
                }
                showSection(item->data(SectionRole).toInt());
            });
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& name, const QString& text,
                                const QKeySequence& keys, const std::function<void()>& run)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    if (!keys.isEmpty())
        action->setShortcut(keys);
    connect(action, &QAction::triggered, this, run);
    return action;
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    addCommand(file, QStringLiteral("NewStampAction"), tr("&New Stamp"), NewKeys, [this] {
        newStamp();
    })->setIcon(sectionIcon("document-new", "plus"));
    file->addSeparator();
    addCommand(file, QStringLiteral("ImportAction"), tr("&Import..."), {}, [this] {
        importStamps();
    })->setIcon(sectionIcon("document-import", "doc.on.clipboard"));
    addCommand(file, QStringLiteral("ExportAction"), tr("&Export..."), {}, [this] {
        exportStamps();
    })->setIcon(sectionIcon("document-export", "square.and.arrow.up"));
    addCommand(file, QStringLiteral("ExportSpreadsheetAction"), tr("Export for &Spreadsheet..."),
               {}, [this] { exportForSpreadsheet(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("PrintAction"), tr("&Print..."), PrintKeys, [this] {
        print();
    })->setIcon(sectionIcon("document-print", "printer"));
    addCommand(file, QStringLiteral("BackUpNowAction"), tr("&Back Up Now"), {},
               [this] { backUpNow(); });
    addCommand(file, QStringLiteral("OpenDataFolderAction"), tr("Open &Data Folder"), {},
               [this] { openDataFolder(); });
    file->addSeparator();
    addCommand(file, QStringLiteral("QuitAction"), tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q),
               [this] { close(); })
        ->setMenuRole(QAction::QuitRole);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    // Named apart from the undo bar's own action, which it triggers.
    m_undo = addCommand(edit, QStringLiteral("UndoDeleteAction"), tr("&Undo"), UndoKeys,
                        [this] { undo(); });
    edit->addSeparator();
    m_delete = addCommand(edit, QStringLiteral("DeleteAction"), tr("&Delete"), DeleteKeys,
                          [this] { deleteSelected(); });
    m_find =
        addCommand(edit, QStringLiteral("FindAction"), tr("&Find"), FindKeys, [this] { find(); });
    m_find->setIcon(sectionIcon("edit-find", "magnifyingglass"));
    edit->addSeparator();
    addCommand(edit, QStringLiteral("SettingsAction"), tr("Se&ttings..."),
               QKeySequence(Qt::CTRL | Qt::Key_Comma), [this] { showSettings(); })
        ->setMenuRole(QAction::PreferencesRole);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    auto* sectionGroup = new QActionGroup(this);
    for (int index = 0; index < sectionCount(); ++index) {
        const AppStoryboard::Section& section = m_sections[static_cast<size_t>(index)].section;
        if (index == firstSecondarySection())
            view->addSeparator();
        // Ctrl+1 to Ctrl+9 for the first nine.
        const QKeySequence keys =
            index < 9 ? QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + index)) : QKeySequence();
        QAction* action =
            addCommand(view, section.name + QStringLiteral("Action"), sectionTitle(section), keys,
                       [this, index] { showSection(index); });
        action->setCheckable(true);
        // One checked, the section shown; choosing it again keeps it checked.
        sectionGroup->addAction(action);
        m_sectionActions.append(action);
    }
    view->addSeparator();
    QAction* sidebarShown =
        addCommand(view, QStringLiteral("ShowSidebarAction"), tr("Show &Sidebar"), {}, [] {});
    sidebarShown->setCheckable(true);
    sidebarShown->setChecked(true);
    connect(sidebarShown, &QAction::toggled, m_sidebar, &QWidget::setVisible);
    m_toolBar = new QToolBar(tr("Toolbar"), this);
    m_toolBar->setObjectName(QStringLiteral("MainToolBar"));
    QAction* toolBarShown = m_toolBar->toggleViewAction();
    toolBarShown->setObjectName(QStringLiteral("ShowToolbarAction"));
    toolBarShown->setText(tr("Show &Toolbar"));
    view->addAction(toolBarShown);
    view->addSeparator();
    auto* layoutGroup = new QActionGroup(this);
    const Preferences::ListLayout chosenLayout =
        Preferences(m_environment.services.userDefaults).listLayout();
    const std::pair<const char*, Preferences::ListLayout> layouts[] = {
        {"AutomaticLayoutAction", Preferences::ListLayout::Automatic},
        {"AsTableAction", Preferences::ListLayout::Table},
        {"AsCardsAction", Preferences::ListLayout::Cards}};
    const QString layoutTitles[] = {tr("Lists &Fit the Window"), tr("Lists as &Table"),
                                    tr("Lists as &Cards")};
    for (int index = 0; index < 3; ++index) {
        const Preferences::ListLayout layout = layouts[index].second;
        QAction* action =
            addCommand(view, QString::fromLatin1(layouts[index].first), layoutTitles[index], {},
                       [this, layout] { setListLayout(layout); });
        action->setCheckable(true);
        action->setChecked(layout == chosenLayout);
        layoutGroup->addAction(action);
    }
    view->addSeparator();
    QAction* fullScreen = addCommand(view, QStringLiteral("FullScreenAction"), tr("&Full Screen"),
                                     QKeySequence(Qt::Key_F11), [] {});
    fullScreen->setCheckable(true);
    connect(fullScreen, &QAction::toggled, this, [this](bool on) {
        setWindowState(on ? windowState() | Qt::WindowFullScreen
                          : windowState() & ~Qt::WindowFullScreen);
    });

    QMenu* lists = menuBar()->addMenu(tr("&Lists"));
    for (const ReferenceListMember& member : ReferenceLists::members()) {
        const QString entity = QString::fromLatin1(member.list->entityName);
        addCommand(lists, entity + QStringLiteral("Action"),
                   QCoreApplication::translate("ReferenceLists", member.browserTitle), {},
                   [this, entity, browser = QString::fromLatin1(member.browserName)] {
                       openInSection(QStringLiteral("ReferenceListsSection"),
                                     ReferenceListsViewController::segueTo(entity), browser);
                   });
    }

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    addCommand(help, QStringLiteral("OverviewAction"), tr("&Overview"),
               QKeySequence(QKeySequence::HelpContents),
               [this] { showSection(sectionIndex(QStringLiteral("OverviewSection"))); });
    addCommand(help, QStringLiteral("ShortcutsAction"), tr("&Keyboard Shortcuts"), {},
               [this] { showShortcuts(); });
    addCommand(help, QStringLiteral("RateShareAction"), tr("&Rate && Share"), {},
               [this] { showRateShare(); });
    help->addSeparator();
    addCommand(help, QStringLiteral("AboutAction"), tr("&About Vellora"), {}, [this] {
        showAbout();
    })->setMenuRole(QAction::AboutRole);
    addCommand(help, QStringLiteral("AboutQtAction"), tr("About &Qt"), {}, [] {
        QApplication::aboutQt();
    })->setMenuRole(QAction::AboutQtRole);

    for (QMenu* menu : {file, edit, view, lists, help})
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateActions);
}

void MainWindow::buildToolBar()
{
    // Text beside the icons, or not, as the desktop's style says.
    m_toolBar->setToolButtonStyle(Qt::ToolButtonFollowStyle);
    m_toolBar->setMovable(false);
    for (const char* name :
         {"NewStampAction", "FindAction", "PrintAction", "ImportAction", "ExportAction"}) {
        if (auto* action = findChild<QAction*>(QString::fromLatin1(name)))
            m_toolBar->addAction(action);
    }
    const int statistics = sectionIndex(QStringLiteral("StatisticsSection"));
    QAction* statisticsAction = m_sectionActions.value(statistics);
    if (statisticsAction) {
        const AppStoryboard::Section& section = m_sections[static_cast<size_t>(statistics)].section;
        // The View menu's entry is checkable; the toolbar's button only goes there.
        QAction* go = m_toolBar->addAction(sectionIcon(section.themeIcon, section.symbol),
                                           sectionTitle(section));
        go->setObjectName(QStringLiteral("StatisticsToolAction"));
        connect(go, &QAction::triggered, this, [this, statistics] { showSection(statistics); });
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
}

void MainWindow::buildStatusBar()
{
    m_figures = new QLabel(this);
    m_figures->setObjectName(QStringLiteral("FiguresLabel"));
    statusBar()->addPermanentWidget(m_figures);
    m_readOnly = new QLabel(tr("Read-only: changes cannot be saved"), this);
    m_readOnly->setObjectName(QStringLiteral("ReadOnlyLabel"));
    const PersistentContainer& container = m_environment.appDelegate.persistentContainer();
    m_readOnly->setVisible(container.isLoaded() && container.isReadOnly());
    statusBar()->addPermanentWidget(m_readOnly);
}

int MainWindow::sectionIndex(const QString& name) const
{
    for (int index = 0; index < sectionCount(); ++index) {
        if (m_sections[static_cast<size_t>(index)].section.name == name)
            return index;
    }
    return -1;
}

NavigationController* MainWindow::sectionStack(int index) const
{
    if (index < 0 || index >= sectionCount())
        return nullptr;
    return m_sections[static_cast<size_t>(index)].stack;
}

int MainWindow::firstSecondarySection() const
{
    for (int index = 0; index < sectionCount(); ++index) {
        if (m_sections[static_cast<size_t>(index)].section.secondary)
            return index;
    }
    return -1;
}

NavigationController* MainWindow::makeStack(int index)
{
    // Made as it is first shown, with the section's own screen state already in place.
    Page& page = m_sections[static_cast<size_t>(index)];
    page.stack = new NavigationController(
        page.section.makeRoot(),
        [this, index](const StoryboardSegue& segue) { return unwindWithoutTarget(index, segue); },
        m_pages);
    page.stack->setObjectName(page.section.name);
    if (page.section.hidesNavigationBar)
        page.stack->setNavigationBarHidden(true, false);
    m_pages->addWidget(page.stack);
    connect(page.stack, &NavigationController::topViewControllerChanged, this,
            &MainWindow::updateActions);
    return page.stack;
}

void MainWindow::showSection(int index)
{
    if (index < 0 || index >= sectionCount() || index == m_current)
        return;
    if (m_current >= 0) {
        Page& leaving = m_sections[static_cast<size_t>(m_current)];
        if (leaving.stack) {
            leaving.stack->beginAppearanceTransition(false, false);
            leaving.stack->endAppearanceTransition();
        }
        leaving.shared = m_environment.shared;
    }
    m_current = index;
    Page& page = m_sections[static_cast<size_t>(index)];
    m_environment.shared = page.shared;
    NavigationController* stack = page.stack ? page.stack.data() : makeStack(index);
    m_pages->setCurrentWidget(stack);
    setWindowTitle(tr("%1 - Vellora").arg(sectionTitle(page.section)));
    stack->beginAppearanceTransition(true, false);
    stack->endAppearanceTransition();

    for (int row = 0; row < m_sidebar->count(); ++row) {
        QListWidgetItem* item = m_sidebar->item(row);
        if (item->data(SectionRole).toInt() == index && item->data(SectionRole).isValid()) {
            const QSignalBlocker quiet(m_sidebar);
            m_sidebar->setCurrentItem(item);
        }
    }
    m_sectionActions.value(index)->setChecked(true);
    if (QWidget* first = stack->shownViewController()->initialFocusWidget())
        first->setFocus(Qt::OtherFocusReason);
    updateActions();
}

ViewController* MainWindow::shownScreen()
{
    NavigationController* stack = currentStack();
    return stack ? stack->shownViewController() : nullptr;
}

void MainWindow::atSectionRoot(int index, const std::function<void(ViewController* root)>& then)
{
    showSection(index);
    const QPointer<NavigationController> stack = currentStack();
    // The forms above the root are left as the back button leaves them: a changed one asks.
    ViewController* changed = stack->changedScreen({}, 1);
    const auto leave = [stack, then] {
        if (!stack)
            return;
        stack->popToRootViewController(false);
        then(stack->viewControllers().constFirst());
    };
    if (changed)
        changed->confirmLeaving(leave);
    else
        leave();
}

void MainWindow::openInSection(const QString& section, const QString& segue, const QString& screen,
                               const std::function<void(ViewController*)>& then)
{
    const int index = sectionIndex(section);
    showSection(index);
    NavigationController* stack = currentStack();
    // Already there: the collector's place and typing stay.
    if (stack->topViewController()->objectName() == screen) {
        if (then)
            then(stack->topViewController());
        return;
    }
    atSectionRoot(index, [segue, then](ViewController* root) {
        if (!root->performSegue(segue, root))
            return;
        if (then)
            then(root->navigationController()->topViewController());
    });
}

bool MainWindow::unwindWithoutTarget(int index, const StoryboardSegue& segue)
{
    // A screen of a section returns to the main menu (its form was saved, its import done): the
    // section goes back to its root and the window shows Home, where the main menu is.
    sectionStack(index)->popToRootViewController(true);
    if (segue.identifier == QLatin1String(OpeningScreens::MainMenu.unwind))
        showSection(0);
    return true;
}

void MainWindow::newStamp()
{
    openInSection(QStringLiteral("StampsSection"), QStringLiteral("showAdd"),
                  QStringLiteral("AddViewController"));
}

void MainWindow::importStamps()
{
    openInSection(QStringLiteral("ExportImportSection"), ExportImportViewController::ShowImport,
                  QStringLiteral("ImportViewController"));
}

void MainWindow::exportStamps()
{
    openInSection(QStringLiteral("ExportImportSection"), ExportImportViewController::ShowExport,
                  QStringLiteral("ExportViewController"));
}

void MainWindow::exportForSpreadsheet()
{
    openInSection(QStringLiteral("ExportImportSection"), ExportImportViewController::ShowExport,
                  QStringLiteral("ExportViewController"), [](ViewController* screen) {
                      QMetaObject::invokeMethod(screen, "CreateSpreadsheetFile");
                  });
}

void MainWindow::print()
{
    // A breakdown prints its own group; anywhere else the whole collection is printed.
    ViewController* shown = shownScreen();
    if (shown && shown->storyboard() &&
        shown->storyboard()->hasSegue(shown->objectName(), QStringLiteral("showPrint")) &&
        shown->objectName() != QLatin1String("MainMenuViewController")) {
        shown->performSegue(QStringLiteral("showPrint"), shown);
        return;
    }
    showSection(sectionIndex(QStringLiteral("ReportsSection")));
}

void MainWindow::backUpNow()
{
    const Result<QString> made = BackingUp::now(m_environment);
    if (made) {
        statusBar()->showMessage(
            tr("The collection was backed up to %1").arg(QDir::toNativeSeparators(*made)), 8000);
        return;
    }
    m_environment.services.alerts.present(Alert::withOk(tr("No Backup Made"), made.error()));
}

void MainWindow::openDataFolder()
{
    m_environment.services.urls.open(
        QUrl::fromLocalFile(QDir(m_environment.appDelegate.dataDirectory()).absolutePath()));
}

void MainWindow::undo()
{
    if (UndoBar* bar = UndoBar::findForWindow(this))
        bar->undo();
}

void MainWindow::deleteSelected()
{
    if (ViewController* shown = shownScreen()) {
        if (QAction* remove = shown->actionForKeys(DeleteKeys))
            remove->trigger();
    }
}

void MainWindow::find()
{
    if (ViewController* shown = shownScreen()) {
        if (QAction* search = shown->actionForKeys(FindKeys))
            search->trigger();
    }
}

void MainWindow::showSettings()
{
    showSection(sectionIndex(QStringLiteral("SettingsSection")));
}

void MainWindow::showRateShare()
{
    openInSection(QStringLiteral("HomeSection"), QStringLiteral("showRateShare"),
                  QStringLiteral("RateShareTableViewController"));
}

void MainWindow::showShortcuts()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("ShortcutsDialog"));
    dialog.setWindowTitle(tr("Keyboard Shortcuts"));
    auto* table = new QTableWidget(&dialog);
    table->setObjectName(QStringLiteral("ShortcutsTable"));
    table->setColumnCount(2);
    table->setHorizontalHeaderLabels({tr("Action"), tr("Keys")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    const auto addRow = [table](const QString& action, const QList<QKeySequence>& keys) {
        QStringList named;
        for (const QKeySequence& sequence : keys)
            named.append(sequence.toString(QKeySequence::NativeText));
        const int row = table->rowCount();
        table->insertRow(row);
        table->setItem(row, 0, new QTableWidgetItem(QString(action).remove(QLatin1Char('&'))));
        table->setItem(row, 1, new QTableWidgetItem(named.join(QStringLiteral(", "))));
    };
    // Every menu entry with keys, in menu order, then the keys every screen answers.
    for (QAction* menu : menuBar()->actions()) {
        if (!menu->menu())
            continue;
        for (QAction* action : menu->menu()->actions()) {
            if (!action->shortcuts().isEmpty())
                addRow(action->text().replace(QStringLiteral("&&"), QStringLiteral("&")),
                       action->shortcuts());
        }
    }
    addRow(tr("Back"), {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Back)});
    addRow(tr("Save the form"), {QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::Key_Return)});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog.resize(480, 560);
    dialog.exec();
}

void MainWindow::showAbout()
{
    QString sqlite = tr("unknown");
    PersistentContainer& container = m_environment.appDelegate.persistentContainer();
    if (container.isLoaded()) {
        QSqlQuery query(container.viewContext().database());
        if (query.exec(QStringLiteral("SELECT sqlite_version()")) && query.next())
            sqlite = query.value(0).toString();
    }
    QMessageBox::about(
        this, tr("About Vellora"),
        tr("<h3>Vellora %1</h3><p>A catalogue of a postage-stamp collection.</p>"
           "<p>Data folder: %2</p><p>Qt %3, SQLite %4</p>")
            .arg(
                QCoreApplication::applicationVersion().toHtmlEscaped(),
                QDir::toNativeSeparators(m_environment.appDelegate.dataDirectory()).toHtmlEscaped(),
                QString::fromLatin1(qVersion()), sqlite.toHtmlEscaped()));
}

void MainWindow::updateFigures()
{
    PersistentContainer& container = m_environment.appDelegate.persistentContainer();
    if (!container.isLoaded())
        return;
    const StoreResult<CollectionValue> totals = CollectionValue::of(container.viewContext());
    if (!totals) {
        // The screens tell a store that cannot be read; the bar only stops counting.
        m_figures->setText(tr("The figures could not be read"));
        return;
    }
    m_figures->setText(
        tr("Stamps held: %1    Value: %2")
            .arg(QLocale().toString(totals->stampsHeld), currencyText(totals->value)));
    m_readOnly->setVisible(container.isReadOnly());
}

void MainWindow::updateActions()
{
    ViewController* shown = shownScreen();
    m_find->setEnabled(shown && shown->actionForKeys(FindKeys));
    m_delete->setEnabled(shown && shown->actionForKeys(DeleteKeys));
    const UndoBar* bar = UndoBar::findForWindow(this);
    m_undo->setEnabled(bar && bar->isOffering());
}

void MainWindow::setListLayout(Preferences::ListLayout layout)
{
    Preferences(m_environment.services.userDefaults).setListLayout(layout);
    for (const Page& page : m_sections) {
        if (!page.stack)
            continue;
        for (ViewController* screen : page.stack->viewControllers())
            screen->preferencesChanged();
    }
}

void MainWindow::storeChanged()
{
    updateFigures();
    if (m_environment.appDelegate.storeGeneration() != m_builtForGeneration)
        // After the screen that restored has finished: it is one of those that go.
        m_environment.services.mainQueue.async(this, [this] { startSectionsAgain(); });
}

void MainWindow::startSectionsAgain()
{
    m_builtForGeneration = m_environment.appDelegate.storeGeneration();
    if (m_current >= 0 && m_sections[static_cast<size_t>(m_current)].stack) {
        NavigationController* shown = m_sections[static_cast<size_t>(m_current)].stack;
        shown->beginAppearanceTransition(false, false);
        shown->endAppearanceTransition();
    }
    m_current = -1;
    SharedState fresh;
    fresh.marker = QString::fromLatin1(OpeningScreens::MainMenu.marker);
    for (Page& page : m_sections) {
        if (page.stack) {
            m_pages->removeWidget(page.stack);
            page.stack->deleteLater();
            page.stack = nullptr;
        }
        page.shared = fresh;
    }
    m_environment.shared = fresh;
    showSection(0);
    updateFigures();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_closeAgreed || !changedForm({}).second) {
        keepPlace();
        QMainWindow::closeEvent(event);
        return;
    }
    // Alerts do not wait for their answer: the window closes again once every form agrees.
    event->ignore();
    askToClose({});
}

std::pair<int, ViewController*>
MainWindow::changedForm(const QList<QPointer<ViewController>>& agreed) const
{
    int index = 0;
    for (const Page& page : m_sections) {
        if (ViewController* changed = page.stack ? page.stack->changedScreen(agreed) : nullptr)
            return {index, changed};
        ++index;
    }
    return {-1, nullptr};
}

void MainWindow::askToClose(QList<QPointer<ViewController>> agreed)
{
    if (const auto [index, changed] = changedForm(agreed); changed) {
        // The form asks where the collector can see it.
        showSection(index);
        const QPointer<MainWindow> self(this);
        const QPointer<ViewController> screen(changed);
        changed->confirmLeaving([self, screen, agreed]() mutable {
            if (!self)
                return;
            agreed.append(screen);
            self->askToClose(agreed);
        });
        return;
    }
    m_closeAgreed = true;
    close();
    m_closeAgreed = false;
}

bool MainWindow::restorePlace()
{
    UserDefaults& defaults = m_environment.services.userDefaults;
    const QScreen* own = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize available = own ? own->availableGeometry().size() : QSize(1280, 800);
    // The bars first: they take their room from the window's place that follows.
    if (const QVariant state = defaults.objectForKey(StateKey); state.isValid())
        restoreState(state.toByteArray());
    if (const QVariant sidebar = defaults.objectForKey(SidebarKey); sidebar.isValid())
        m_splitter->restoreState(sidebar.toByteArray());
    const bool maximized =
        WindowGeometry::restore(*this, defaults, WindowGeometry::startingSize(available));
    const QVariant sidebarShown = defaults.objectForKey(SidebarShownKey);
    if (sidebarShown.isValid() && !sidebarShown.toBool()) {
        if (auto* action = findChild<QAction*>(QStringLiteral("ShowSidebarAction")))
            action->setChecked(false);
    }
    return maximized;
}

void MainWindow::keepPlace()
{
    UserDefaults& defaults = m_environment.services.userDefaults;
    defaults.setObject(StateKey, saveState());
    defaults.setObject(SidebarKey, m_splitter->saveState());
    defaults.setObject(SidebarShownKey, !m_sidebar->isHidden());
    // At exit no window is left to tell a failure in: synchronize() has printed it.
    static_cast<void>(WindowGeometry::save(*this, defaults));
}
