#include "platform/gui/TabBarController.h"

#include "platform/core/Console.h"
#include "platform/gui/NavigationController.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

TabBarController::TabBarController(const QString& name, std::vector<Tab> tabs, QObject* parent)
    : ViewController(name, parent), m_unbuiltTabs(std::move(tabs))
{
    if (m_unbuiltTabs.empty())
        Console::printLine(QStringLiteral("%1: a tab bar without tabs").arg(name));
    for (Tab& tab : m_unbuiltTabs) {
        if (!tab.root) {
            Console::printLine(QStringLiteral("%1: tab %2 has no root screen; it shows an empty "
                                              "one")
                                   .arg(name, tab.title));
            tab.root = std::make_unique<ViewController>(QStringLiteral("EmptyViewController"));
        }
        m_roots.append(tab.root.get());
    }
    m_selectedIndex = m_roots.isEmpty() ? -1 : 0;
}

TabBarController::~TabBarController()
{
    // The base class deletes the view after this part of the object is gone: no tab change may
    // reach it on the way.
    if (m_tabWidget)
        disconnect(m_tabWidget, nullptr, this, nullptr);
}

void TabBarController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tabWidget = new QTabWidget(view);
    m_tabWidget->setObjectName(objectName() + QStringLiteral("TabWidget"));
    m_tabWidget->setTabPosition(QTabWidget::South);
    m_tabWidget->setDocumentMode(true);
    layout->addWidget(m_tabWidget);

    for (Tab& tab : m_unbuiltTabs) {
        ViewController* root = tab.root.get();
        // Before the stack is made: the root's view, with its triggers, is built there.
        if (storyboard() && !root->storyboard())
            root->setStoryboard(storyboard());
        auto* stack = new NavigationController(std::move(tab.root), this, m_tabWidget);
        stack->setObjectName(root->objectName() + QStringLiteral("NavigationController"));
        m_stacks.append(stack);
        m_tabWidget->addTab(stack, tab.title);
    }
    m_unbuiltTabs.clear();
    if (m_selectedIndex >= 0)
        m_tabWidget->setCurrentIndex(m_selectedIndex);
    connect(m_tabWidget, &QTabWidget::currentChanged, this, &TabBarController::tabChanged);
}

QList<NavigationController*> TabBarController::tabNavigationControllers()
{
    view();
    QList<NavigationController*> stacks;
    for (const QPointer<NavigationController>& stack : std::as_const(m_stacks))
        stacks.append(stack);
    return stacks;
}

QTabWidget* TabBarController::tabWidget()
{
    view();
    return m_tabWidget;
}

void TabBarController::setSelectedIndex(int index)
{
    if (index < 0 || index >= m_roots.size()) {
        Console::printLine(QStringLiteral("%1: no tab %2 to select (there are %3)")
                               .arg(objectName())
                               .arg(index)
                               .arg(m_roots.size()));
        return;
    }
    if (m_tabWidget) {
        m_tabWidget->setCurrentIndex(index); // tabChanged() does the rest
        return;
    }
    if (index == m_selectedIndex)
        return;
    m_selectedIndex = index;
    Q_EMIT selectedIndexChanged(index);
}

void TabBarController::tabChanged(int index)
{
    const int previous = std::exchange(m_selectedIndex, index);
    if (previous == index)
        return;
    // A hidden container's tabs have all disappeared; the new one appears with the container.
    if (m_appeared) {
        NavigationController* leaving = stackAt(previous);
        NavigationController* entering = stackAt(index);
        if (leaving)
            leaving->beginAppearanceTransition(false, false);
        if (entering)
            entering->beginAppearanceTransition(true, false);
        if (leaving)
            leaving->endAppearanceTransition();
        if (entering)
            entering->endAppearanceTransition();
    }
    Q_EMIT selectedIndexChanged(index);
}

NavigationController* TabBarController::stackAt(int index) const
{
    return index >= 0 && index < m_stacks.size() ? m_stacks.at(index).data() : nullptr;
}

void TabBarController::viewWillAppear(bool animated)
{
    view(); // the stacks are part of it
    m_appeared = true;
    if (NavigationController* stack = stackAt(m_selectedIndex))
        stack->beginAppearanceTransition(true, animated);
}

void TabBarController::viewDidAppear(bool animated)
{
    Q_UNUSED(animated)
    if (NavigationController* stack = stackAt(m_selectedIndex))
        stack->endAppearanceTransition();
}

void TabBarController::viewWillDisappear(bool animated)
{
    m_appeared = false;
    if (NavigationController* stack = stackAt(m_selectedIndex))
        stack->beginAppearanceTransition(false, animated);
}

void TabBarController::viewDidDisappear(bool animated)
{
    Q_UNUSED(animated)
    if (NavigationController* stack = stackAt(m_selectedIndex))
        stack->endAppearanceTransition();
}
