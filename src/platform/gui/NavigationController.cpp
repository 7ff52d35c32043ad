#include "platform/gui/NavigationController.h"

#include "platform/core/Console.h"
#include "platform/gui/Styling.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QShortcut>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int fadeMilliseconds = 120;
}

NavigationController::NavigationController(std::unique_ptr<ViewController> root, QWidget* parent)
    : NavigationController(std::move(root), nullptr, true, true, parent)
{}

NavigationController::NavigationController(std::unique_ptr<ViewController> root,
                                           UnwindFallback fallback, QWidget* parent)
    : NavigationController(std::move(root), nullptr, false, false, parent)
{
    m_unwindFallback = std::move(fallback);
}

NavigationController::NavigationController(std::unique_ptr<ViewController> root,
                                           ViewController* container, QWidget* parent)
    : NavigationController(std::move(root), container, container == nullptr, container == nullptr,
                           parent)
{
    if (!container)
        Console::printLine(QStringLiteral("NavigationController: made for a container but given "
                                          "none; it shows its root at once"));
}

NavigationController::NavigationController(std::unique_ptr<ViewController> root,
                                           ViewController* container, bool appearNow,
                                           bool takesBackKeys, QWidget* parent)
    : QWidget(parent), m_container(container), m_shown(appearNow)
{
    setObjectName(QStringLiteral("NavigationController"));
    // Every screen is shown on a navigation stack, so the first one gives the application its
    // look (once; later stacks find it there).
    if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
        Styling::installApplicationStyleSheet(*application);

    m_bar = new QWidget(this);
    m_bar->setObjectName(QStringLiteral("NavigationBar"));
    auto* barLayout = new QHBoxLayout(m_bar);
    barLayout->setContentsMargins(6, 4, 6, 4);

    m_backButton = new QToolButton(m_bar);
    m_backButton->setObjectName(QStringLiteral("BackButton"));
    m_backButton->setAutoRaise(true);
    const QKeySequence escape(Qt::Key_Escape);
    m_backButton->setToolTip(
        tr("Back (%1, %2)")
            .arg(escape.toString(QKeySequence::NativeText),
                 QKeySequence(QKeySequence::Back).toString(QKeySequence::NativeText)));
    // The window's own stack takes the keys back for every stack inside it, so a stack in a
    // container (a tab) goes back even where no back button shows. Owned by the stack, the keys
    // act only while it shows in the active window: a popup or dialog that is open keeps its
    // Escape.
    if (takesBackKeys) {
        for (const QKeySequence& keys : {escape, QKeySequence(QKeySequence::Back)})
            connect(new QShortcut(keys, this), &QShortcut::activated, this,
                    &NavigationController::goBackFromShownScreen);
    }
    connect(m_backButton, &QToolButton::clicked, this, &NavigationController::goBackByUser);
    barLayout->addWidget(m_backButton);

    m_leftItems = new QHBoxLayout;
    barLayout->addLayout(m_leftItems);

    m_titleLabel = new QLabel(m_bar);
    m_titleLabel->setObjectName(QStringLiteral("NavigationTitle"));
    m_titleLabel->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_titleLabel->font();
    titleFont.setBold(true);
    m_titleLabel->setFont(titleFont);
    barLayout->addWidget(m_titleLabel, 1);

    m_rightItems = new QHBoxLayout;
    barLayout->addLayout(m_rightItems);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("NavigationPages"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addWidget(m_pages, 1);

    if (!root) {
        Console::printLine(QStringLiteral("NavigationController: no root screen given; showing an "
                                          "empty one"));
        root = std::make_unique<ViewController>(QStringLiteral("EmptyViewController"));
    }
    ViewController* first = root.get();
    adopt(first);
    m_stack.push_back(std::move(root));
    if (m_shown)
        first->viewWillAppear(false);
    m_pages->setCurrentWidget(first->view());
    updateBar();
    if (m_shown)
        first->viewDidAppear(false);
}

NavigationController::~NavigationController()
{
    // Top first, the way they were stacked; no lifecycle calls for a window that is going away.
    for (const auto& controller : m_stack)
        disconnect(controller.get(), nullptr, this, nullptr);
    while (!m_stack.empty())
        m_stack.pop_back();
}

void NavigationController::adopt(ViewController* controller)
{
    // Owned through the stack: a QObject parent would delete it a second time.
    controller->setParent(nullptr);
    controller->setNavigationController(this);
    m_pages->addWidget(controller->view());
    // Any screen's title may show (on the back button), so every screen on the stack is watched.
    connect(controller, &ViewController::titleChanged, this, &NavigationController::updateBar);
    connect(controller, &ViewController::barButtonItemsChanged, this,
            &NavigationController::updateBar);
}

void NavigationController::pushViewController(std::unique_ptr<ViewController> controller,
                                              bool animated)
{
    if (!controller) {
        Console::printLine(QStringLiteral("NavigationController: a missing screen was pushed; "
                                          "ignored"));
        return;
    }
    if (indexOf(controller.get()) >= 0) {
        Console::printLine(QStringLiteral("NavigationController: %1 is already on the stack; "
                                          "not pushed again")
                               .arg(controller->objectName()));
        (void)controller.release(); // owned by the stack already
        return;
    }
    ViewController* previous = topViewController();
    ViewController* next = controller.get();
    adopt(next); // loads the view
    m_stack.push_back(std::move(controller));

    // A hidden stack's screens have disappeared already; the new top appears with the stack.
    if (m_shown) {
        previous->viewWillDisappear(animated);
        next->viewWillAppear(animated);
    }
    showView(next->view(), animated);
    updateBar();
    if (QWidget* first = next->initialFocusWidget())
        first->setFocus(Qt::OtherFocusReason);
    if (m_shown) {
        previous->viewDidDisappear(animated);
        next->viewDidAppear(animated);
    }
    Q_EMIT topViewControllerChanged(next);
}

bool NavigationController::popViewController(bool animated)
{
    if (m_stack.size() < 2)
        return false;
    popTo(static_cast<qsizetype>(m_stack.size()) - 2, animated);
    return true;
}

void NavigationController::goBackByUser()
{
    if (m_stack.size() < 2)
        return;
    const QPointer<NavigationController> self(this);
    const QPointer<ViewController> leaving = topViewController();
    // A container leaves with its stacks: a changed form in any of them asks first.
    ViewController* asking = changedScreenIn(leaving);
    (asking ? asking : leaving.data())->confirmLeaving([self, leaving] {
        // The answer may come when the stack has moved on.
        if (self && leaving && self->topViewController() == leaving)
            self->popViewController(true);
    });
}

void NavigationController::goBackFromShownScreen()
{
    NavigationController* stack = shownStack();
    // A stack at its root goes back in the stack that holds its container: out of the tabs.
    while (stack->m_stack.size() < 2 && stack->containerViewController()) {
        NavigationController* outer = stack->containerViewController()->navigationController();
        if (!outer)
            break;
        stack = outer;
    }
    if (stack->m_stack.size() < 2)
        return;
    // The button shows itself pressed for a moment where it shows.
    if (stack->m_backButton->isVisible())
        stack->m_backButton->animateClick();
    else
        stack->goBackByUser();
}

void NavigationController::closeEvent(QCloseEvent* event)
{
    ViewController* changed = m_closeAgreed ? nullptr : changedScreen();
    if (!changed) {
        QWidget::closeEvent(event);
        return;
    }
    // Alerts do not wait for their answer: the window closes again once the collector agrees.
    event->ignore();
    const QPointer<NavigationController> self(this);
    changed->confirmLeaving([self] {
        if (!self)
            return;
        self->m_closeAgreed = true;
        self->close();
        self->m_closeAgreed = false;
    });
}

ViewController* NavigationController::changedScreen(const QList<QPointer<ViewController>>& skipped,
                                                    int above) const
{
    for (auto screen = m_stack.crbegin(); screen != m_stack.crend() - above; ++screen) {
        if (ViewController* changed = changedScreenIn(screen->get(), skipped))
            return changed;
    }
    return nullptr;
}

ViewController*
NavigationController::changedScreenIn(ViewController* controller,
                                      const QList<QPointer<ViewController>>& skipped)
{
    if (!controller || !controller->isViewLoaded())
        return nullptr;
    const auto changed = [&skipped](ViewController* screen) {
        return screen->hasUnsavedChanges() && !skipped.contains(screen);
    };
    // The stacks of a container (a tab bar's tabs), at any depth, nearest the top first.
    for (const NavigationController* nested :
         controller->view()->findChildren<NavigationController*>()) {
        const QList<ViewController*> stack = nested->viewControllers();
        for (auto screen = stack.crbegin(); screen != stack.crend(); ++screen) {
            if (changed(*screen))
                return *screen;
        }
    }
    return changed(controller) ? controller : nullptr;
}

bool NavigationController::popToViewController(ViewController* controller, bool animated)
{
    const qsizetype index = indexOf(controller);
    if (index < 0) {
        Console::printLine(QStringLiteral("NavigationController: cannot go back to %1: it is not "
                                          "on the stack")
                               .arg(controller ? controller->objectName()
                                               : QStringLiteral("a "
                                                                "missing "
                                                                "screen")));
        return false;
    }
    if (index + 1 < static_cast<qsizetype>(m_stack.size()))
        popTo(index, animated);
    return true;
}

bool NavigationController::popToRootViewController(bool animated)
{
    return popToViewController(m_stack.front().get(), animated);
}

void NavigationController::popTo(qsizetype index, bool animated)
{
    // Taken off the stack first, top first, so the callbacks already see the stack as it will be.
    std::vector<std::unique_ptr<ViewController>> removed;
    while (static_cast<qsizetype>(m_stack.size()) > index + 1) {
        removed.push_back(std::move(m_stack.back()));
        m_stack.pop_back();
    }
    ViewController* target = m_stack.back().get();

    const bool shown = m_shown;
    for (const auto& controller : removed) {
        disconnect(controller.get(), nullptr, this, nullptr);
        if (shown)
            controller->viewWillDisappear(animated);
    }
    if (shown)
        target->viewWillAppear(animated);
    showView(target->view(), animated);
    for (const auto& controller : removed)
        m_pages->removeWidget(controller->view());
    updateBar();
    for (const auto& controller : removed) {
        if (shown)
            controller->viewDidDisappear(animated);
        controller->setNavigationController(nullptr);
    }
    if (shown)
        target->viewDidAppear(animated);
    // Usually we are inside a slot of a removed screen (its back or save button): it goes once
    // control is back in the event loop.
    for (auto& controller : removed)
        controller.release()->deleteLater();
    Q_EMIT topViewControllerChanged(target);
}

bool NavigationController::unwind(const StoryboardSegue& segue)
{
    const qsizetype index = indexOf(segue.destination);
    if (index < 0) {
        Console::printLine(
            QStringLiteral("Unwind %1: its destination is not on the stack").arg(segue.identifier));
        return false;
    }
    if (!segue.destination->runUnwindAction(segue)) {
        Console::printLine(QStringLiteral("Unwind %1: %2 has no unwind action for it")
                               .arg(segue.identifier, segue.destination->objectName()));
        return false;
    }
    // The action may itself have changed the stack.
    return popToViewController(segue.destination, true);
}

bool NavigationController::unwindWithoutTarget(const StoryboardSegue& segue) const
{
    return m_unwindFallback && m_unwindFallback(segue);
}

void NavigationController::beginAppearanceTransition(bool appearing, bool animated)
{
    if (appearing == m_shown)
        return; // a second appear (or disappear) in a row would leave the screen's calls unbalanced
    m_shown = appearing;
    ViewController* top = topViewController();
    m_transitioning = top;
    m_transitionAppearing = appearing;
    m_transitionAnimated = animated;
    if (appearing)
        top->viewWillAppear(animated);
    else
        top->viewWillDisappear(animated);
}

void NavigationController::endAppearanceTransition()
{
    // Only the screen that was told "will": a push or pop in between has given the others theirs.
    ViewController* screen = m_transitioning;
    m_transitioning = nullptr;
    if (!screen || screen != topViewController())
        return;
    if (m_transitionAppearing)
        screen->viewDidAppear(m_transitionAnimated);
    else
        screen->viewDidDisappear(m_transitionAnimated);
}

ViewController* NavigationController::topViewController() const
{
    return m_stack.back().get();
}

NavigationController* NavigationController::shownStack()
{
    NavigationController* stack = this;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (NavigationController* nested :
             stack->topViewController()->view()->findChildren<NavigationController*>()) {
            // Shown in its container: the selected tab's (isVisible would also need the window).
            if (nested->containerViewController() && nested->isShown()) {
                stack = nested;
                deeper = true;
                break;
            }
        }
    }
    return stack;
}

QList<ViewController*> NavigationController::viewControllers() const
{
    QList<ViewController*> controllers;
    controllers.reserve(static_cast<qsizetype>(m_stack.size()));
    for (const auto& controller : m_stack)
        controllers.append(controller.get());
    return controllers;
}

ViewController* NavigationController::unwindTarget(const QString& identifier,
                                                   const ViewController* from) const
{
    qsizetype index = indexOf(from);
    if (index < 0)
        index = static_cast<qsizetype>(m_stack.size());
    while (--index >= 0) {
        if (m_stack[static_cast<size_t>(index)]->hasUnwindTarget(identifier))
            return m_stack[static_cast<size_t>(index)].get();
    }
    return nullptr;
}

void NavigationController::setNavigationBarHidden(bool hidden, bool animated)
{
    Q_UNUSED(animated) // the bar snaps; the page below is laid out again at once
    m_barHidden = hidden;
    m_bar->setHidden(hidden);
}

QToolButton* NavigationController::buttonForItem(const QAction* item) const
{
    for (QToolButton* button : m_itemButtons) {
        if (button->defaultAction() == item)
            return button;
    }
    return nullptr;
}

qsizetype NavigationController::indexOf(const ViewController* controller) const
{
    if (!controller)
        return -1;
    for (size_t i = 0; i < m_stack.size(); ++i) {
        if (m_stack[i].get() == controller)
            return static_cast<qsizetype>(i);
    }
    return -1;
}

void NavigationController::showView(QWidget* view, bool animated)
{
    m_pages->setCurrentWidget(view);
    // A short fade for the eye only: the stack has already switched.
    if (!animated || !isVisible() || view->graphicsEffect())
        return;
    auto* effect = new QGraphicsOpacityEffect(view);
    view->setGraphicsEffect(effect);
    auto* fade = new QPropertyAnimation(effect, "opacity", effect);
    fade->setDuration(fadeMilliseconds);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    connect(fade, &QPropertyAnimation::finished, view, [view, effect] {
        if (view->graphicsEffect() == effect)
            view->setGraphicsEffect(nullptr); // deletes the effect and the animation with it
    });
    fade->start();
}

void NavigationController::updateBar()
{
    const ViewController* top = topViewController();
    m_titleLabel->setText(top->title());

    const bool canGoBack = m_stack.size() > 1;
    m_backButton->setVisible(canGoBack);
    if (canGoBack) {
        const QString previousTitle = m_stack[m_stack.size() - 2]->title();
        // A button takes its text's mnemonic as its shortcut, so a single "&" in the title would
        // become a shortcut letter: double it. (The keys back are shortcuts of their own.)
        m_backButton->setText(
            QStringLiteral("‹ ") +
            (previousTitle.isEmpty()
                 ? tr("Back")
                 : QString(previousTitle).replace(QLatin1Char('&'), QStringLiteral("&&"))));
    }

    clearItemButtons();
    for (QAction* item : top->leftBarButtonItems())
        m_leftItems->addWidget(makeItemButton(item));
    for (QAction* item : top->rightBarButtonItems())
        m_rightItems->addWidget(makeItemButton(item));
}

void NavigationController::clearItemButtons()
{
    // The clicked button may be the one whose action changed the stack: it goes later, not now.
    for (QToolButton* button : std::as_const(m_itemButtons)) {
        button->hide();
        m_leftItems->removeWidget(button);
        m_rightItems->removeWidget(button);
        button->deleteLater();
    }
    m_itemButtons.clear();
}

QToolButton* NavigationController::makeItemButton(QAction* item)
{
    auto* button = new QToolButton(m_bar);
    button->setObjectName(item->objectName() + QStringLiteral("Button"));
    button->setAutoRaise(true);
    button->setDefaultAction(item);
    button->setToolButtonStyle(item->icon().isNull() ? Qt::ToolButtonTextOnly
                                                     : Qt::ToolButtonIconOnly);
    // A default action carries text, icon and enabled state to the button, but not visibility.
    button->setHidden(!item->isVisible());
    connect(item, &QAction::visibleChanged, button,
            [button, item] { button->setHidden(!item->isVisible()); });
    m_itemButtons.append(button);
    return button;
}
