#include "platform/gui/ViewController.h"

#include "platform/core/Console.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"

#include <QAction>
#include <QWidget>

ViewController::ViewController(const QString& name, QObject* parent) : QObject(parent)
{
    setObjectName(name);
}

ViewController::~ViewController()
{
    if (!m_view)
        return;
    // The subclass is gone by now: a widget that signals while being torn down (a line edit
    // losing focus, say) must not reach its slots.
    m_view->blockSignals(true);
    for (QObject* child : m_view->findChildren<QObject*>())
        child->blockSignals(true);
    // The view usually sits in a navigation controller's stack, whose widget tree would otherwise
    // keep it until the whole window goes.
    delete m_view.data();
}

QWidget* ViewController::view()
{
    if (m_view)
        return m_view;
    m_view = new QWidget;
    m_view->setObjectName(objectName() + QStringLiteral("View"));
    buildView(m_view);
    if (m_storyboard)
        m_storyboard->connectTriggers(this);
    viewDidLoad();
    return m_view;
}

void ViewController::setTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    Q_EMIT titleChanged(m_title);
}

void ViewController::addRightBarButtonItem(QAction* item)
{
    addBarButtonItem(m_rightItems, item);
}

void ViewController::addLeftBarButtonItem(QAction* item)
{
    addBarButtonItem(m_leftItems, item);
}

void ViewController::addBarButtonItem(QList<QAction*>& items, QAction* item)
{
    if (!item) {
        Console::printLine(
            QStringLiteral("%1: a missing bar button item was added; ignored").arg(objectName()));
        return;
    }
    if (m_rightItems.contains(item) || m_leftItems.contains(item))
        return;
    item->setParent(this);
    items.append(item);
    // A removed item leaves the bar with it.
    connect(item, &QObject::destroyed, this, [this](QObject* gone) {
        m_rightItems.removeAll(static_cast<QAction*>(gone));
        m_leftItems.removeAll(static_cast<QAction*>(gone));
        Q_EMIT barButtonItemsChanged();
    });
    Q_EMIT barButtonItemsChanged();
}

NavigationController* ViewController::navigationController() const
{
    return m_navigationController;
}

void ViewController::setNavigationController(NavigationController* navigationController)
{
    m_navigationController = navigationController;
}

ViewController* ViewController::parentViewController() const
{
    return m_navigationController ? m_navigationController->containerViewController() : nullptr;
}

bool ViewController::performSegue(const QString& identifier, QObject* sender)
{
    if (m_storyboard && m_storyboard->hasSegue(objectName(), identifier)) {
        if (!m_navigationController) {
            Console::printLine(QStringLiteral("Segue %1 from %2 not run: the screen is not in a "
                                              "navigation controller")
                                   .arg(identifier, objectName()));
            return false;
        }
        std::unique_ptr<ViewController> destination =
            m_storyboard->instantiate(objectName(), identifier);
        if (!destination) {
            Console::printLine(QStringLiteral("Segue %1 from %2 not run: its screen could not be "
                                              "made")
                                   .arg(identifier, objectName()));
            return false;
        }
        destination->setStoryboard(m_storyboard);
        const StoryboardSegue segue{identifier, this, destination.get(), false};
        prepareForSegue(segue, sender);
        // prepareForSegue may have navigated away; the push needs this screen's controller still.
        if (!m_navigationController) {
            Console::printLine(QStringLiteral("Segue %1 from %2 not run: the screen left its "
                                              "navigation controller while preparing")
                                   .arg(identifier, objectName()));
            return false;
        }
        m_navigationController->pushViewController(std::move(destination), true);
        return true;
    }

    // Nearest first: below this screen on its own stack, then below each container outward.
    const ViewController* from = this;
    for (NavigationController* stack = m_navigationController; stack;) {
        if (ViewController* found = stack->unwindTarget(identifier, from)) {
            QPointer<NavigationController> targetStack = stack;
            QPointer<ViewController> target = found;
            const StoryboardSegue segue{identifier, this, found, true};
            prepareForSegue(segue, sender);
            if (!targetStack || !target) {
                Console::printLine(QStringLiteral("Unwind %1 from %2 not run: its destination went "
                                                  "away while preparing")
                                       .arg(identifier, objectName()));
                return false;
            }
            return targetStack->unwind(segue);
        }
        from = stack->containerViewController();
        stack = from ? from->navigationController() : nullptr;
    }

    Console::printLine(QStringLiteral("No segue named %1 from %2").arg(identifier, objectName()));
    return false;
}

void ViewController::registerUnwindTarget(const QString& identifier, UnwindAction action)
{
    if (!action) {
        Console::printLine(QStringLiteral("%1: unwind target %2 registered without an action; "
                                          "ignored")
                               .arg(objectName(), identifier));
        return;
    }
    m_unwindActions.insert(identifier, std::move(action));
}

bool ViewController::hasUnwindTarget(const QString& identifier) const
{
    return m_unwindActions.contains(identifier);
}

bool ViewController::runUnwindAction(const StoryboardSegue& segue)
{
    const auto found = m_unwindActions.constFind(segue.identifier);
    if (found == m_unwindActions.constEnd())
        return false;
    // A copy: the action may register targets anew, which would move the stored one.
    const UnwindAction action = found.value();
    action(segue);
    return true;
}

bool ViewController::shouldPerformSegue(const QString& identifier, QObject* sender)
{
    Q_UNUSED(identifier)
    Q_UNUSED(sender)
    return true;
}

void ViewController::prepareForSegue(const StoryboardSegue& segue, QObject* sender)
{
    Q_UNUSED(segue)
    Q_UNUSED(sender)
}
