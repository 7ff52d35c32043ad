#include "RecordingAlertPresenter.h"

#include "platform/core/Console.h"

const Alert& RecordingAlertPresenter::last() const
{
    static const Alert none;
    if (m_alerts.isEmpty()) {
        Console::printLine(QStringLiteral("RecordingAlertPresenter: no alert was presented"));
        return none;
    }
    return m_alerts.last();
}

QStringList RecordingAlertPresenter::buttonTitles(const Alert& alert)
{
    QStringList titles;
    for (const AlertAction& action : alert.actions)
        titles.append(action.title);
    return titles;
}

bool RecordingAlertPresenter::tap(const QString& buttonTitle)
{
    if (m_answered >= m_alerts.size())
        return false;
    const Alert& alert = m_alerts.at(m_answered);
    for (const AlertAction& action : alert.actions) {
        if (action.title != buttonTitle)
            continue;
        // Answered before the handler runs: it may present the next alert, which must then be
        // the oldest unanswered one. The handler is copied as presenting may move the list.
        const std::function<void()> handler = action.handler;
        ++m_answered;
        if (handler)
            handler();
        return true;
    }
    return false;
}

void RecordingAlertPresenter::clear()
{
    m_alerts.clear();
    m_answered = 0;
}
