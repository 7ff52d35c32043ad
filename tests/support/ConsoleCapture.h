#pragma once

#include <QStringList>
#include <QtMessageHandler>

// Collects the diagnostic console's lines while it lives, instead of letting them reach stderr.
class ConsoleCapture final
{
public:
    ConsoleCapture();
    ~ConsoleCapture();
    ConsoleCapture(const ConsoleCapture&) = delete;
    ConsoleCapture& operator=(const ConsoleCapture&) = delete;

    const QStringList& lines() const { return m_lines; }
    void clear() { m_lines.clear(); }

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
    ConsoleCapture* m_outer = nullptr;
};
