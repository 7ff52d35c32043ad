#pragma once

#include "platform/gui/Alert.h"

#include <QList>
#include <QStringList>

// Keeps every alert a screen presents, in order, and lets a test answer them oldest first, as a
// collector would press the buttons.
class RecordingAlertPresenter final : public AlertPresenter
{
public:
    void present(const Alert& alert) override { m_alerts.append(alert); }

    const QList<Alert>& alerts() const { return m_alerts; }
    // The newest alert; an empty one (and a console line) when none was presented.
    const Alert& last() const;
    int unansweredCount() const { return static_cast<int>(m_alerts.size()) - m_answered; }
    // Button titles of an alert, for readable comparisons.
    static QStringList buttonTitles(const Alert& alert);

    // Presses the button with that title on the oldest unanswered alert and runs its handler.
    // False when there is no unanswered alert or it has no such button.
    bool tap(const QString& buttonTitle);

    void clear();

private:
    QList<Alert> m_alerts;
    int m_answered = 0;
};
