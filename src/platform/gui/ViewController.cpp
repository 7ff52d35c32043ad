#include "platform/gui/ViewController.h"

#include "platform/core/Console.h"
#include "platform/gui/Alert.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/WindowKeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextEdit>
#include <QWidget>

namespace {

// Marks a widget as the view of a screen, so a screen can tell its own widgets from those of
// the screens nested in it (the tabs of a tab bar).
constexpr char ScreenViewProperty[] = "velloraScreenView";

const QKeySequence SaveKeys(Qt::CTRL | Qt::Key_S);
const QKeySequence FindKeys(Qt::CTRL | Qt::Key_F);

// Tab leaves a text view like any other input; Ctrl+Tab types the tab instead.
class TextViewKeys final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier)
            return false;
        if (auto* plain = qobject_cast<QPlainTextEdit*>(watched))
            plain->insertPlainText(QStringLiteral("\t"));
        else if (auto* rich = qobject_cast<QTextEdit*>(watched))
            rich->insertPlainText(QStringLiteral("\t"));
        else
            return false;
        return true;
    }
};

// What an input shows, as text; null for a widget that is no input.
QString shownValue(const QWidget* input)
{
    if (const auto* field = qobject_cast<const QLineEdit*>(input))
        return field->text();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(input))
        return plain->toPlainText();
    if (const auto* rich = qobject_cast<const QTextEdit*>(input))
        return rich->toPlainText();
    return {};
}

bool isEditableTextView(const QWidget* widget)
{
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    if (const auto* rich = qobject_cast<const QTextEdit*>(widget))
        return !rich->isReadOnly();
    return false;
}

QString withKeys(const QString& tip, const QKeySequence& keys)
{
    const QString named = keys.toString(QKeySequence::NativeText);
    if (tip.contains(named))
        return tip;
    return ViewController::tr("%1 (%2)").arg(tip, named);
}

} // namespace

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
    m_view->setProperty(ScreenViewProperty, true);
    buildView(m_view);
    if (m_storyboard)
        m_storyboard->connectTriggers(this);
    viewDidLoad();
    setUpKeyboard();
    rememberShownValues();
    return m_view;
}

template <class Widget> QList<Widget*> ViewController::ownWidgets() const
{
    QList<Widget*> own;
    if (!m_view)
        return own;
    for (Widget* widget : m_view->findChildren<Widget*>()) {
        // Up to the nearest screen's view, unless a window (a popup, a dialog) comes first.
        const QWidget* holder = widget;
        while (holder && holder != m_view && !holder->isWindow() &&
               !holder->property(ScreenViewProperty).toBool())
            holder = holder->parentWidget();
        if (holder == m_view)
            own.append(widget);
    }
    return own;
}

void ViewController::setUpKeyboard()
{
    // Return presses the focused button, as in a dialog.
    for (QPushButton* button : ownWidgets<QPushButton>())
        button->setAutoDefault(true);

    for (QLineEdit* field : ownWidgets<QLineEdit>()) {
        connect(field, &QLineEdit::returnPressed, this, [this, field] {
            // A read-only field is filled by its picker, which takes Return itself.
            if (m_saveAction && !field->isReadOnly() && m_saveAction->isEnabled())
                m_saveAction->trigger();
        });
    }

    for (QWidget* widget : ownWidgets<QWidget>()) {
        if (!isEditableTextView(widget))
            continue;
        if (!m_textViewKeys)
            m_textViewKeys = new TextViewKeys(this);
        if (auto* plain = qobject_cast<QPlainTextEdit*>(widget))
            plain->setTabChangesFocus(true);
        else if (auto* rich = qobject_cast<QTextEdit*>(widget))
            rich->setTabChangesFocus(true);
        widget->installEventFilter(m_textViewKeys);
    }

    const QList<QLineEdit*> fields = ownWidgets<QLineEdit>();
    const auto search = std::find_if(fields.cbegin(), fields.cend(), [](const QLineEdit* field) {
        return field->objectName() == QLatin1String("searchBar");
    });
    if (search != fields.cend()) {
        QLineEdit* searchBar = *search;
        auto* find = new QAction(tr("Find"), this);
        find->setObjectName(QStringLiteral("FindAction"));
        connect(find, &QAction::triggered, searchBar, [searchBar] {
            searchBar->setFocus(Qt::ShortcutFocusReason);
            searchBar->selectAll();
        });
        makeShortcut(find, FindKeys);
        if (searchBar->toolTip().isEmpty())
            searchBar->setToolTip(withKeys(tr("Search"), FindKeys));
    }

    for (const auto& [action, keys] : std::as_const(m_pendingShortcuts)) {
        if (action)
            makeShortcut(action, keys);
    }
    m_pendingShortcuts.clear();
}

QAction* ViewController::saveAction() const
{
    return m_saveAction;
}

void ViewController::setSaveAction(QAction* save, AlertPresenter& alerts)
{
    if (!save) {
        Console::printLine(QStringLiteral("%1: no save action given; ignored").arg(objectName()));
        return;
    }
    m_saveAction = save;
    m_alerts = &alerts;
    addKeyboardShortcut(save, SaveKeys);
    if (m_view)
        rememberShownValues();
}

void ViewController::addKeyboardShortcut(QAction* action, const QKeySequence& keys)
{
    if (!action || keys.isEmpty()) {
        Console::printLine(
            QStringLiteral("%1: a shortcut without an action or keys; ignored").arg(objectName()));
        return;
    }
    action->setToolTip(withKeys(action->toolTip(), keys));
    if (m_view)
        makeShortcut(action, keys);
    else
        m_pendingShortcuts.append({action, keys});
}

QAction* ViewController::actionForKeys(const QKeySequence& keys) const
{
    for (const auto& [action, bound] : m_keyActions) {
        if (action && bound == keys && action->isVisible())
            return action;
    }
    return nullptr;
}

void ViewController::makeShortcut(QAction* action, const QKeySequence& keys)
{
    m_keyActions.append({action, keys});
    if (WindowKeys::taken(keys))
        return;
    // Owned by the view: it is active only while the view is on show in the active window.
    auto* shortcut = new QShortcut(keys, m_view);
    connect(shortcut, &QShortcut::activated, action, [action] {
        if (action->isVisible())
            action->trigger();
    });
}

void ViewController::rememberShownValues()
{
    m_shownValues.clear();
    if (!m_saveAction)
        return;
    for (QWidget* input : ownWidgets<QWidget>()) {
        if (qobject_cast<QLineEdit*>(input) || isEditableTextView(input))
            m_shownValues.append({input, shownValue(input)});
    }
}

void ViewController::rememberShownValue(const QWidget* input)
{
    for (ShownValue& shown : m_shownValues) {
        if (shown.input == input)
            shown.value = shownValue(input);
    }
}

bool ViewController::hasUnsavedChanges() const
{
    return std::any_of(m_shownValues.cbegin(), m_shownValues.cend(), [](const ShownValue& shown) {
        return shown.input && shownValue(shown.input) != shown.value;
    });
}

void ViewController::confirmLeaving(const std::function<void()>& leave)
{
    if (!leave)
        return;
    if (!hasUnsavedChanges()) {
        leave();
        return;
    }
    if (!m_alerts) {
        // Only a form remembers what it showed, and a form has its alerts.
        Console::printLine(QStringLiteral("%1: changes left without asking: no alerts to ask "
                                          "with")
                               .arg(objectName()));
        leave();
        return;
    }
    if (m_askingToLeave)
        return; // the question is on screen already
    m_askingToLeave = true;
    const QPointer<ViewController> self(this);
    Alert alert{tr("Discard changes?"), tr("What you changed here has not been saved."), {}};
    alert.actions.append({tr("Discard"), AlertAction::Style::Destructive, [self, leave] {
                              if (!self)
                                  return;
                              self->m_askingToLeave = false;
                              leave();
                          }});
    alert.actions.append({tr("Keep Editing"), AlertAction::Style::Cancel, [self] {
                              if (self)
                                  self->m_askingToLeave = false;
                          }});
    m_alerts->present(alert);
}

QWidget* ViewController::initialFocusWidget() const
{
    if (!m_saveAction)
        return nullptr;
    for (QWidget* input : ownWidgets<QWidget>()) {
        const bool typedInto = qobject_cast<QLineEdit*>(input) || isEditableTextView(input);
        if (typedInto && input->isEnabled() && (input->focusPolicy() & Qt::TabFocus))
            return input;
    }
    return nullptr;
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
    NavigationController* outermost = m_navigationController;
    for (NavigationController* stack = m_navigationController; stack;) {
        outermost = stack;
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

    // Nowhere below: the window around the outermost stack may know where it leads.
    if (outermost && outermost->unwindWithoutTarget({identifier, this, nullptr, true}))
        return true;
    Console::printLine(QStringLiteral("No segue named %1 from %2").arg(identifier, objectName()));
    return false;
}

void ViewController::registerUnwindTarget(const QString& identifier, const UnwindAction& action)
{
    if (!action) {
        Console::printLine(QStringLiteral("%1: unwind target %2 registered without an action; "
                                          "ignored")
                               .arg(objectName(), identifier));
        return;
    }
    m_unwindActions.insert(identifier, action);
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
