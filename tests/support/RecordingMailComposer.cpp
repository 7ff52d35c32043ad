#include "RecordingMailComposer.h"

bool RecordingMailComposer::present(const MailMessage& message)
{
    m_lastError = m_failure;
    if (!m_failure.isEmpty())
        return false;
    m_messages.append(message);
    return true;
}
