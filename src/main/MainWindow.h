#pragma once

#include "app/Preferences.h"
#include "app/SharedState.h"
#include "main/Storyboard.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

class NavigationController;
class QLabel;
class QListWidget;
class QSplitter;
class QStackedWidget;
class QToolBar;
class Storyboard;
class UserDefaults;
class ViewController;
struct Environment;
struct StoryboardSegue;

// Vellora's one window: a sidebar of sections beside the screens, each section a navigation stack
// of its own that keeps its place while the collector is elsewhere, with the menu bar, the toolbar
// and the status bar around them. The screens share one SharedState; each section keeps its own
// copy of it while another is shown, so a section goes on as if it had been the only one.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    // The user defaults' keys of what the window remembers besides its place.
    static inline const QString StateKey = QStringLiteral("MainWindowState");
    static inline const QString SidebarKey = QStringLiteral("SidebarSplitterState");
    static inline const QString SidebarShownKey = QStringLiteral("SidebarShown");

    MainWindow(Storyboard& storyboard, Environment& environment, QWidget* parent = nullptr);
    ~MainWindow() override;
    Q_DISABLE_COPY_MOVE(MainWindow)

    // Puts the window where it was (or at its starting size on its screen) with its bars and
    // sidebar as they were; true when it was maximised.
    bool restorePlace();
    // Keeps the place, the bars and the sidebar's width for the next launch.
    void keepPlace();

    int sectionCount() const { return static_cast<int>(m_sections.size()); }
    // -1 for an unknown name.
    int sectionIndex(const QString& name) const;
    int currentSection() const { return m_current; }
    // The section's stack; null until the section is first shown, when its screens are made.
    NavigationController* sectionStack(int index) const;
    NavigationController* currentStack() const { return sectionStack(m_current); }
    // The screen the collector sees in the current section (inside a tab, say).
    ViewController* shownScreen();

    QListWidget* sidebar() const { return m_sidebar; }
    QLabel* figuresLabel() const { return m_figures; }

public Q_SLOTS:
    void showSection(int index);

    void newStamp();
    void importStamps();
    void exportStamps();
    void exportForSpreadsheet();
    void print();
    void backUpNow();
    void openDataFolder();
    void undo();
    void deleteSelected();
    void find();
    void showSettings();
    void showRateShare();
    void showShortcuts();
    void showAbout();
    // The stamps held and their value, from the store's own sums.
    void updateFigures();
    // Menu entries that do not apply to the screen shown are disabled.
    void updateActions();

protected:
    // Every section's unsaved form asks first, one after the other.
    void closeEvent(QCloseEvent* event) override;

private:
    struct Page
    {
        AppStoryboard::Section section;
        QPointer<NavigationController> stack;
        SharedState shared;
    };

    NavigationController* makeStack(int index);
    // Overview and Settings come after a separator, in the sidebar and the View menu.
    int firstSecondarySection() const;
    void buildSidebar();
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& text,
                        const QKeySequence& keys, const std::function<void()>& run);
    // Leaves the section's stack at its root once its changed forms have agreed, then runs
    // `then` with the root.
    void atSectionRoot(int index, const std::function<void(ViewController* root)>& then);
    // Opens the root's segue in the section, unless the screen named is shown there already.
    void openInSection(const QString& section, const QString& segue, const QString& screen,
                       const std::function<void(ViewController* screen)>& then = {});
    bool unwindWithoutTarget(int index, const StoryboardSegue& segue);
    // The first section's form, nearest the top, whose changes closing would lose and that the
    // collector has not agreed to lose yet; {-1, null} when there is none.
    std::pair<int, ViewController*>
    changedForm(const QList<QPointer<ViewController>>& agreed) const;
    void askToClose(QList<QPointer<ViewController>> agreed);
    void storeChanged();
    // Lists as a table, as cards, or as the width allows, in every section.
    void setListLayout(Preferences::ListLayout layout);
    // A restore opened another store: every section starts again from its root.
    void startSectionsAgain();

    Environment& m_environment;
    std::vector<Page> m_sections;
    int m_current = -1;
    int m_builtForGeneration = 0;
    QSplitter* m_splitter = nullptr;
    QListWidget* m_sidebar = nullptr;
    QStackedWidget* m_pages = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_figures = nullptr;
    QLabel* m_readOnly = nullptr;
    QList<QAction*> m_sectionActions;
    // The Edit menu's entries that apply only where the screen shown has something for them.
    QAction* m_undo = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_find = nullptr;
    bool m_closeAgreed = false;
};
