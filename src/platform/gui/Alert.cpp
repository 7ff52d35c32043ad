#include "platform/gui/Alert.h"

#include "platform/core/Console.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
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

MessageBoxAlertPresenter::MessageBoxAlertPresenter(QWidget* fallbackParent)
    : m_fallbackParent(fallbackParent)
{}

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

} // namespace

void MessageBoxAlertPresenter::present(const Alert& alert)
{
    QWidget* parent = QApplication::activeWindow();
    if (!parent)
        parent = m_fallbackParent;

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
    QObject::connect(box, &QMessageBox::finished, box, [box, handlers] {
        QAbstractButton* clicked = box->clickedButton();
        box->deleteLater();
        for (const ButtonHandler& entry : *handlers) {
            if (entry.button == clicked) {
                if (entry.handler)
                    entry.handler();
                return;
            }
        }
    });
    box->open();
    // It has the focus too, since Return presses the focused button.
    if (onReturn)
        onReturn->setFocus();
}
