#include "ConsoleCapture.h"

namespace {
ConsoleCapture* current = nullptr;
}

ConsoleCapture::ConsoleCapture() : m_outer(current)
{
    current = this;
    m_previous = qInstallMessageHandler(&ConsoleCapture::handler);
}

ConsoleCapture::~ConsoleCapture()
{
    qInstallMessageHandler(m_previous);
    current = m_outer;
}

void ConsoleCapture::handler(QtMsgType type, const QMessageLogContext& context,
                             const QString& message)
{
    if (type == QtInfoMsg && current) {
        current->m_lines.append(message);
        return;
    }
    if (current && current->m_previous)
        current->m_previous(type, context, message);
}
