#pragma once

#include "platform/gui/ViewController.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QHBoxLayout;
class QLabel;
class QStackedWidget;
class QToolButton;

// A stack of screens under a navigation bar (back button with the previous screen's title, the
// top screen's title and its bar button items). It owns the screens on its stack.
//
// The root screen appears (viewWillAppear, viewDidAppear) in the constructor, so a screen always
// receives a matching disappear for each appear whether or not the window is shown yet. Set the
// root's storyboard before handing it in: its view is built here.
//
// A stack inside a container (one tab of a TabBarController) is made with that container: the
// container decides when the stack is on screen (begin/endAppearanceTransition), so its root does
// not appear in the constructor and pushes and pops call the lifecycle only while it is shown.
// An unwind that finds no target on such a stack goes on below the container in the container's
// own navigation controller.
class NavigationController final : public QWidget
{
    Q_OBJECT

public:
    // What a window does with an unwind that no screen of the stack, nor of the stacks below its
    // containers, registered; true when it took it.
    using UnwindFallback = std::function<bool(const StoryboardSegue& segue)>;

    explicit NavigationController(std::unique_ptr<ViewController> root, QWidget* parent = nullptr);
    NavigationController(std::unique_ptr<ViewController> root, ViewController* container,
                         QWidget* parent = nullptr);
    // One of several stacks of a window that shows one at a time (its sections): the window
    // shows and hides it through begin/endAppearanceTransition (it starts hidden), takes the
    // keys back itself (goBackFromShownScreen), and is handed every unwind that finds no target.
    NavigationController(std::unique_ptr<ViewController> root, UnwindFallback fallback,
                         QWidget* parent = nullptr);
    ~NavigationController() override;
    Q_DISABLE_COPY_MOVE(NavigationController)

    void pushViewController(std::unique_ptr<ViewController> controller, bool animated);
    // Pops the top screen. False when only the root is left.
    bool popViewController(bool animated);
    // Removes every screen above controller; false when it is not on the stack.
    bool popToViewController(ViewController* controller, bool animated);
    bool popToRootViewController(bool animated);
    // Runs the destination's unwind action, then pops back to it.
    bool unwind(const StoryboardSegue& segue);
    // An unwind that found no target anywhere: the hosting window's, when there is one.
    bool unwindWithoutTarget(const StoryboardSegue& segue) const;

    // The screen whose view holds this stack; null for a stack of its own (the window's).
    ViewController* containerViewController() const { return m_container; }
    // Whether the top screen has appeared (always, unless a container hides the stack).
    bool isShown() const { return m_shown; }
    // For the container: the top screen appears or disappears with the stack's page. Each begin is
    // followed by one end; a begin towards the state the stack is already in does nothing.
    void beginAppearanceTransition(bool appearing, bool animated);
    void endAppearanceTransition();

    ViewController* topViewController() const;
    // The innermost stack on show: the selected tab's, when the top screen is a tab bar, at any
    // depth; this stack otherwise.
    NavigationController* shownStack();
    // The screen the collector sees: the top screen of shownStack().
    ViewController* shownViewController() { return shownStack()->topViewController(); }
    QList<ViewController*> viewControllers() const;
    // The screen whose changes leaving it would lose, nearest the top first (those of stacks
    // nested in the screens included), other than those in `skipped`; `above` screens at the
    // bottom are left out (1: those a pop to the root would lose). Null when none has any.
    ViewController* changedScreen(const QList<QPointer<ViewController>>& skipped = {},
                                  int above = 0) const;
    // The nearest screen below `from` (below the top when from is not on the stack) that
    // registered the identifier; null when none did.
    ViewController* unwindTarget(const QString& identifier, const ViewController* from) const;

    void setNavigationBarHidden(bool hidden, bool animated);
    bool isNavigationBarHidden() const { return m_barHidden; }

    QWidget* navigationBar() const { return m_bar; }
    QToolButton* backButton() const { return m_backButton; }
    // The tool button the bar shows for a bar button item of the top screen, or null.
    QToolButton* buttonForItem(const QAction* item) const;

public Q_SLOTS:
    // The collector's own way back (the back button, Escape, Alt+Left): the top screen is asked
    // first, and pops once it agrees (a changed form asks the collector).
    void goBackByUser();
    // Escape and Alt+Left: back from the screen on show, in the innermost stack that shows; a
    // stack at its root inside a container (a tab) leaves the container.
    void goBackFromShownScreen();

Q_SIGNALS:
    // After every push and pop, once the new top screen is shown.
    void topViewControllerChanged(ViewController* top);

protected:
    // As a window: closing asks the screens first, and waits for the collector's answer when a
    // changed form asks.
    void closeEvent(QCloseEvent* event) override;

private:
    NavigationController(std::unique_ptr<ViewController> root, ViewController* container,
                         bool appearNow, bool takesBackKeys, QWidget* parent);
    // The screen among controller and the stacks nested in it whose changes leaving it would
    // lose, other than those in `skipped`; null when none has any.
    static ViewController* changedScreenIn(ViewController* controller,
                                           const QList<QPointer<ViewController>>& skipped = {});
    qsizetype indexOf(const ViewController* controller) const;
    void adopt(ViewController* controller);
    void popTo(qsizetype index, bool animated);
    void showView(QWidget* view, bool animated);
    void updateBar();
    void clearItemButtons();
    QToolButton* makeItemButton(QAction* item);

    std::vector<std::unique_ptr<ViewController>> m_stack;
    QWidget* m_bar = nullptr;
    QToolButton* m_backButton = nullptr;
    QHBoxLayout* m_leftItems = nullptr;
    QLabel* m_titleLabel = nullptr;
    QHBoxLayout* m_rightItems = nullptr;
    QStackedWidget* m_pages = nullptr;
    QList<QToolButton*> m_itemButtons;
    bool m_barHidden = false;
    QPointer<ViewController> m_container;
    bool m_shown = false;
    // The screen told it will appear or disappear, and which, until the end of the transition.
    QPointer<ViewController> m_transitioning;
    bool m_transitionAppearing = false;
    bool m_transitionAnimated = false;
    // The collector has agreed to close with changes unsaved.
    bool m_closeAgreed = false;
    UnwindFallback m_unwindFallback;
};
