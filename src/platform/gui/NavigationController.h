#pragma once

#include "platform/gui/ViewController.h"

#include <QList>
#include <QWidget>
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
class NavigationController final : public QWidget
{
    Q_OBJECT

public:
    explicit NavigationController(std::unique_ptr<ViewController> root, QWidget* parent = nullptr);
    ~NavigationController() override;
    Q_DISABLE_COPY_MOVE(NavigationController)

    void pushViewController(std::unique_ptr<ViewController> controller, bool animated);
    // The back button. False when only the root is left.
    bool popViewController(bool animated);
    // Removes every screen above controller; false when it is not on the stack.
    bool popToViewController(ViewController* controller, bool animated);
    bool popToRootViewController(bool animated);
    // Runs the destination's unwind action, then pops back to it.
    bool unwind(const StoryboardSegue& segue);

    ViewController* topViewController() const;
    QList<ViewController*> viewControllers() const;
    // The nearest screen below `from` (below the top when from is not on the stack) that
    // registered the identifier; null when none did.
    ViewController* unwindTarget(const QString& identifier, const ViewController* from) const;

    void setNavigationBarHidden(bool hidden, bool animated);
    bool isNavigationBarHidden() const { return m_barHidden; }

    QWidget* navigationBar() const { return m_bar; }
    QToolButton* backButton() const { return m_backButton; }
    // The tool button the bar shows for a bar button item of the top screen, or null.
    QToolButton* buttonForItem(const QAction* item) const;

Q_SIGNALS:
    // After every push and pop, once the new top screen is shown.
    void topViewControllerChanged(ViewController* top);

private:
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
};
