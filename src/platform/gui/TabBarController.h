#pragma once

#include "platform/gui/ViewController.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class NavigationController;
class QTabWidget;

// A screen made of tabs along the bottom, phone style; each tab is a navigation stack of its own
// (with its own navigation bar) around the tab's root screen. A segue from a screen in a tab pushes
// inside that tab; an unwind goes on outward past the container when nothing in the tab matches.
//
// The stacks are built with the view, so a storyboard set on the container before then reaches
// every root (one that has a storyboard of its own keeps it). The selected tab's top screen appears
// and disappears with the container, which is shown through a navigation controller (one that
// takes the container as its root, or a push); switching tabs moves the appearance from one tab's
// top screen to the other's.
class TabBarController final : public ViewController
{
    Q_OBJECT

public:
    struct Tab
    {
        QString title;
        std::unique_ptr<ViewController> root;
    };

    TabBarController(const QString& name, std::vector<Tab> tabs, QObject* parent = nullptr);
    ~TabBarController() override;
    Q_DISABLE_COPY_MOVE(TabBarController)

    // The tabs' root screens, in tab order.
    QList<ViewController*> viewControllers() const { return m_roots; }
    // The tabs' navigation controllers, in tab order; builds the view when it is not yet.
    QList<NavigationController*> tabNavigationControllers();
    // Builds the view when it is not yet.
    QTabWidget* tabWidget();

    // -1 only when there are no tabs.
    int selectedIndex() const { return m_selectedIndex; }
    // Out of range: a console line, and the selection stays.
    void setSelectedIndex(int index);

    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

Q_SIGNALS:
    void selectedIndexChanged(int index);

protected:
    void buildView(QWidget* view) override;

private:
    void tabChanged(int index);
    NavigationController* stackAt(int index) const;

    std::vector<Tab> m_unbuiltTabs; // until buildView() hands them to their stacks
    QList<ViewController*> m_roots;
    QPointer<QTabWidget> m_tabWidget;
    QList<QPointer<NavigationController>> m_stacks;
    int m_selectedIndex = -1;
    bool m_appeared = false;
};
