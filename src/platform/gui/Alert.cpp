#include "platform/gui/Alert.h"

#include "platform/core/Console.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <memory>
#include <vector>

Alert Alert::withOk(const QString& title, const QString& message, const QString& buttonTitle)
{
    return Alert{title, message, {AlertAction{buttonTitle, AlertAction::Style::Default, {}}}};
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
    box->setWindowTitle(alert.title);
    // The title is the headline; the message (if any) reads below it.
    if (alert.title.isEmpty()) {
        box->setText(alert.message);
    } else {
        box->setText(alert.title);
        box->setInformativeText(alert.message);
    }

    QList<AlertAction> actions = alert.actions;
    if (actions.isEmpty()) {
        Console::printLine(QStringLiteral("Alert \"%1\" has no buttons; an OK button was added so "
                                          "it can be closed")
                               .arg(alert.title));
        actions.append(AlertAction{QStringLiteral("OK"), AlertAction::Style::Default, {}});
    }

    auto handlers = std::make_shared<std::vector<ButtonHandler>>();
    QPushButton* firstDefault = nullptr;
    for (const AlertAction& action : std::as_const(actions)) {
        QPushButton* button = box->addButton(action.title, roleFor(action.style));
        handlers->push_back({button, action.handler});
        if (!firstDefault && action.style == AlertAction::Style::Default)
            firstDefault = button;
    }
    if (firstDefault)
        box->setDefaultButton(firstDefault);

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
}
