#include "RecordingMailComposer.h"

Result<void> RecordingMailComposer::present(const MailMessage& message)
{
    if (!m_failure.isEmpty())
        return Failure{m_failure};
    m_messages.append(message);
    return {};
}
