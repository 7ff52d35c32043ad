#include "platform/gui/Alert.h"

#include "platform/core/Console.h"
#include "platform/gui/NavigationController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <memory>
#include <vector>

Alert Alert::withOk(const QString& title, const QString& message, const QString& buttonTitle)
{
    const QString shown =
        buttonTitle.isEmpty() ? QCoreApplication::translate("Alert", "OK") : buttonTitle;
    return Alert{title, message, {AlertAction{shown, AlertAction::Style::Default, {}}}};
}

Alert Alert::withContext(QObject* context) const
{
    if (!context) {
        Console::printLine(QStringLiteral("Alert \"%1\" was given no object for its buttons; "
                                          "they act without one")
                               .arg(title));
        return *this;
    }
    Alert guarded = *this;
    guarded.owner = context;
    const QPointer<QObject> alive(context);
    for (AlertAction& action : guarded.actions) {
        if (!action.handler)
            continue;
        action.handler = [alive, handler = std::move(action.handler)] {
            if (alive)
                handler();
        };
    }
    return guarded;
}

MessageBoxAlertPresenter::MessageBoxAlertPresenter(QWidget* window) : m_window(window) {}

MessageBoxAlertPresenter::~MessageBoxAlertPresenter()
{
    // Boxes belong to the screens; one still open closes without running a handler.
    m_waiting.clear();
    if (m_shown)
        disconnect(m_shown, nullptr, this, nullptr);
}

namespace {

QMessageBox::ButtonRole roleFor(AlertAction::Style style)
{
    switch (style) {
    case AlertAction::Style::Cancel:
        return QMessageBox::RejectRole;
    case AlertAction::Style::Destructive:
        return QMessageBox::DestructiveRole;
    case AlertAction::Style::Default:
        break;
    }
    return QMessageBox::AcceptRole;
}

// The title reads as the headline: bold, and on one line however long, as far as the screen
// allows (QMessageBox wraps its text beyond about 500 pixels).
void showTitleInFull(QMessageBox* box, const QString& title)
{
    const QList<QLabel*> labels = box->findChildren<QLabel*>();
    const auto label = std::find_if(labels.cbegin(), labels.cend(),
                                    [&title](const QLabel* l) { return l->text() == title; });
    if (label == labels.cend())
        return;
    QFont bold = (*label)->font();
    bold.setBold(true);
    (*label)->setFont(bold);
    int width = 0;
    for (const QString& line : title.split(QLatin1Char('\n')))
        width = std::max(width, QFontMetrics(bold).horizontalAdvance(line));
    if (const QScreen* screen = box->screen())
        width = std::min(width, screen->availableGeometry().width() * 4 / 5);
    // The label's margins and a pixel each side for rounding in the text layout.
    (*label)->setMinimumWidth(width + 2 * (*label)->margin() + 2);
}

struct ButtonHandler
{
    QAbstractButton* button;
    std::function<void()> handler;
};

// The view of the screen on show in `window`: the top screen of the innermost stack that shows
// (a tab's stack inside the window's own); null when no stack shows.
QWidget* shownScreenView(QWidget* window)
{
    if (!window)
        return nullptr;
    QList<NavigationController*> stacks = window->findChildren<NavigationController*>();
    if (auto* own = qobject_cast<NavigationController*>(window))
        stacks.prepend(own);
    NavigationController* innermost = nullptr;
    int innermostDepth = -1;
    for (NavigationController* stack : std::as_const(stacks)) {
        if (!stack->isVisible())
            continue;
        int depth = 0;
        for (const QWidget* up = stack; up && up != window; up = up->parentWidget())
            ++depth;
        if (depth > innermostDepth) {
            innermost = stack;
            innermostDepth = depth;
        }
    }
    return innermost ? innermost->topViewController()->view() : nullptr;
}

} // namespace

QWidget* MessageBoxAlertPresenter::parentFor(const Alert& alert) const
{
    if (auto* screen = qobject_cast<ViewController*>(alert.owner.data()))
        return screen->view();
    if (auto* widget = qobject_cast<QWidget*>(alert.owner.data()))
        return widget;
    if (QWidget* shown = shownScreenView(m_window))
        return shown;
    if (m_window)
        return m_window;
    // Without a window of its own (a tool, a test), the active one: not a dialog that is
    // closing, whose alert would stay behind when it goes.
    QWidget* active = QApplication::activeWindow();
    return active && !qobject_cast<QDialog*>(active) ? active : nullptr;
}

void MessageBoxAlertPresenter::present(const Alert& alert)
{
    QWidget* parent = parentFor(alert);
    if (m_shown || !m_waiting.empty()) {
        m_waiting.push_back({alert, parent, parent != nullptr});
        return;
    }
    show(alert, parent);
}

void MessageBoxAlertPresenter::showNext()
{
    while (!m_shown && !m_waiting.empty()) {
        Waiting next = std::move(m_waiting.front());
        m_waiting.pop_front();
        // Its screen has closed while it waited: it goes with the screen.
        if (next.hasParent && !next.parent)
            continue;
        show(next.alert, next.parent);
    }
}

void MessageBoxAlertPresenter::show(const Alert& alert, QWidget* parent)
{
    auto* box = new QMessageBox(parent);
    box->setObjectName(QStringLiteral("AlertMessageBox"));
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->setIcon(QMessageBox::NoIcon);
    // A window manager's title bar cuts a long title short, and a title both there and in the
    // box reads twice: the bar names the application, the box shows the title in full, in bold,
    // with the message below it.
    box->setWindowTitle(QGuiApplication::applicationDisplayName());
    box->setTextFormat(Qt::PlainText);
    if (alert.title.isEmpty()) {
        box->setText(alert.message);
    } else {
        box->setText(alert.title);
        if (alert.message != alert.title)
            box->setInformativeText(alert.message);
        showTitleInFull(box, alert.title);
    }

    QList<AlertAction> actions = alert.actions;
    if (actions.isEmpty()) {
        Console::printLine(QStringLiteral("Alert \"%1\" has no buttons; an OK button was added so "
                                          "it can be closed")
                               .arg(alert.title));
        actions.append(AlertAction{
            QCoreApplication::translate("Alert", "OK"), AlertAction::Style::Default, {}});
    }

    auto handlers = std::make_shared<std::vector<ButtonHandler>>();
    QPushButton* firstDefault = nullptr;
    QPushButton* firstCancel = nullptr;
    for (const AlertAction& action : std::as_const(actions)) {
        QPushButton* button = box->addButton(action.title, roleFor(action.style));
        handlers->push_back({button, action.handler});
        if (!firstDefault && action.style == AlertAction::Style::Default)
            firstDefault = button;
        if (!firstCancel && action.style == AlertAction::Style::Cancel)
            firstCancel = button;
    }
    // Without a default button, Return takes the cancel one: a key pressed out of habit never
    // confirms a destructive choice ("Discard").
    QPushButton* onReturn = firstDefault ? firstDefault : firstCancel;
    if (onReturn)
        box->setDefaultButton(onReturn);

    // finished() comes once the box is hidden, so a handler that presents the next alert (or
    // changes screens) works on a closed box.
    QObject::connect(box, &QMessageBox::finished, this, [box, handlers] {
        QAbstractButton* clicked = box->clickedButton();
        box->deleteLater();
        const auto pressed =
            std::find_if(handlers->cbegin(), handlers->cend(),
                         [clicked](const ButtonHandler& entry) { return entry.button == clicked; });
        if (pressed != handlers->cend() && pressed->handler)
            pressed->handler();
    });
    // The next alert waits until this box has gone: answered, or closed with its screen. Once
    // control is back in the event loop, so a screen closing meanwhile takes its own alerts.
    QObject::connect(box, &QObject::destroyed, this, [this] {
        QMetaObject::invokeMethod(this, &MessageBoxAlertPresenter::showNext, Qt::QueuedConnection);
    });
    m_shown = box;
    box->open();
    // It has the focus too, since Return presses the focused button.
    if (onReturn)
        onReturn->setFocus();
}
